#include "photos/json_support.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/CFormat.h"

namespace trackalbum::testing {

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text) {}

    JsonValue ParseDocument() {
        JsonValue value = ParseValue();
        SkipBlanks();
        if (position_ != text_.size()) Fail("trailing text");
        return value;
    }

private:
    [[noreturn]] void Fail(const char* what) {
        throw std::runtime_error(std::string("JSON: ") + what + " at " + std::to_string(position_));
    }

    void SkipBlanks() {
        while (position_ < text_.size() && std::string_view(" \t\r\n").find(text_[position_]) != std::string_view::npos) ++position_;
    }

    bool Take(char c) {
        SkipBlanks();
        if (position_ < text_.size() && text_[position_] == c) return ++position_, true;
        return false;
    }

    void Expect(char c) {
        if (!Take(c)) Fail("unexpected character");
    }

    JsonValue ParseValue() {
        SkipBlanks();
        if (position_ >= text_.size()) Fail("unexpected end");
        JsonValue value;
        char c = text_[position_];
        if (c == '{') {
            value.kind = JsonValue::Kind::Object;
            ++position_;
            if (Take('}')) return value;
            do {
                SkipBlanks();
                std::string key = ParseString();
                Expect(':');
                value.members[key] = ParseValue();
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            value.kind = JsonValue::Kind::Array;
            ++position_;
            if (Take(']')) return value;
            do value.items.push_back(ParseValue());
            while (Take(','));
            Expect(']');
        } else if (c == '"') {
            value.kind = JsonValue::Kind::String;
            value.text = ParseString();
        } else if (ParseLiteral("true")) {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = true;
        } else if (ParseLiteral("false")) {
            value.kind = JsonValue::Kind::Bool;
        } else if (ParseLiteral("null")) {
        } else {
            size_t used = 0;
            value.kind = JsonValue::Kind::Number;
            value.number = ParseLeadingDouble(std::string_view(text_).substr(position_), &used);
            if (used == 0) Fail("bad value");
            position_ += used;
        }
        return value;
    }

    bool ParseLiteral(std::string_view word) {
        if (std::string_view(text_).substr(position_, word.size()) != word) return false;
        position_ += word.size();
        return true;
    }

    void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | code >> 6), out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | code >> 12), out += char(0x80 | (code >> 6 & 0x3F)), out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | code >> 18), out += char(0x80 | (code >> 12 & 0x3F));
            out += char(0x80 | (code >> 6 & 0x3F)), out += char(0x80 | (code & 0x3F));
        }
    }

    unsigned ParseHex4() {
        if (position_ + 4 > text_.size()) Fail("short escape");
        unsigned code = static_cast<unsigned>(std::stoul(text_.substr(position_, 4), nullptr, 16));
        position_ += 4;
        return code;
    }

    std::string ParseString() {
        if (position_ >= text_.size() || text_[position_] != '"') Fail("string expected");
        ++position_;
        std::string out;
        while (position_ < text_.size() && text_[position_] != '"') {
            char c = text_[position_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (position_ >= text_.size()) Fail("bad escape");
            char e = text_[position_++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned code = ParseHex4();
                if (code >= 0xD800 && code < 0xDC00 && ParseLiteral("\\u")) {
                    code = 0x10000 + ((code - 0xD800) << 10) + (ParseHex4() - 0xDC00);
                }
                AppendUtf8(out, code);
                break;
            }
            default: out += e;
            }
        }
        if (position_ >= text_.size()) Fail("unterminated string");
        ++position_;
        return out;
    }

    const std::string& text_;
    size_t position_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
    static const JsonValue null;
    auto found = members.find(key);
    return found == members.end() ? null : found->second;
}

JsonValue ParseJson(const std::string& text) {
    return Parser(text).ParseDocument();
}

JsonValue ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return ParseJson(text.str());
}

}  // namespace trackalbum::testing
