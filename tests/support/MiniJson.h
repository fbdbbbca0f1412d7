#pragma once
// Just enough JSON for reading the corpus facts in tests: objects, arrays, strings (with
// \uXXXX turned into UTF-8), numbers, true, false and null.
#include <fstream>
#include <map>
#include <sstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace trackalbum::test {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    bool IsNull() const { return kind == Kind::Null; }
    const JsonValue& operator[](const std::string& key) const {
        static const JsonValue null;
        const auto it = members.find(key);
        return it == members.end() ? null : it->second;
    }
};

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    JsonValue Parse() {
        JsonValue value = ParseValue();
        SkipBlanks();
        if (pos_ != text_.size()) Fail("trailing characters");
        return value;
    }

private:
    [[noreturn]] void Fail(const char* what) const {
        throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(pos_));
    }
    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' || text_[pos_] == '\r' || text_[pos_] == '\t')) ++pos_;
    }
    char Peek() {
        SkipBlanks();
        if (pos_ >= text_.size()) Fail("unexpected end");
        return text_[pos_];
    }
    void Expect(char c) {
        if (Peek() != c) Fail("unexpected character");
        ++pos_;
    }
    bool TakeWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    JsonValue ParseValue() {
        JsonValue v;
        const char c = Peek();
        if (c == '{') {
            v.kind = JsonValue::Kind::Object;
            ++pos_;
            if (Peek() == '}') { ++pos_; return v; }
            do {
                std::string key = ParseString();
                Expect(':');
                v.members.emplace(std::move(key), ParseValue());
            } while (Peek() == ',' && ++pos_);
            Expect('}');
        } else if (c == '[') {
            v.kind = JsonValue::Kind::Array;
            ++pos_;
            if (Peek() == ']') { ++pos_; return v; }
            do {
                v.items.push_back(ParseValue());
            } while (Peek() == ',' && ++pos_);
            Expect(']');
        } else if (c == '"') {
            v.kind = JsonValue::Kind::String;
            v.text = ParseString();
        } else if (TakeWord("true")) {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = true;
        } else if (TakeWord("false")) {
            v.kind = JsonValue::Kind::Bool;
        } else if (TakeWord("null")) {
        } else {
            v.kind = JsonValue::Kind::Number;
            size_t used = 0;
            v.number = std::stod(std::string(text_.substr(pos_, 40)), &used);
            pos_ += used;
        }
        return v;
    }

    std::string ParseString() {
        Expect('"');
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            char c = text_[pos_++];
            if (c != '\\') { out += c; continue; }
            if (pos_ >= text_.size()) Fail("bad escape");
            c = text_[pos_++];
            switch (c) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': AppendUtf8(ParseHex4(), out); break;
            default: out += c; break;
            }
        }
        Expect('"');
        return out;
    }
    unsigned ParseHex4() {
        if (pos_ + 4 > text_.size()) Fail("bad \\u escape");
        const unsigned code = static_cast<unsigned>(std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16));
        pos_ += 4;
        if (code >= 0xD800 && code < 0xDC00 && TakeWord("\\u")) {
            const unsigned low = ParseHex4();
            return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        }
        return code;
    }
    static void AppendUtf8(unsigned code, std::string& out) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::string_view text_;
    size_t pos_ = 0;
};

// The whole file parsed; throws std::runtime_error when it cannot be read or parsed.
inline JsonValue ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string content = text.str();
    return JsonParser(content).Parse();
}

}  // namespace trackalbum::test
