#pragma once
// The corpus facts as plain values: parsed by nlohmann-json, copied into members the tests
// can read without its API.
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace trackalbum::test {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    JsonValue() = default;
    explicit JsonValue(const nlohmann::json& j) {
        if (j.is_boolean()) { kind = Kind::Bool; boolean = j.get<bool>(); }
        else if (j.is_number()) { kind = Kind::Number; number = j.get<double>(); }
        else if (j.is_string()) { kind = Kind::String; text = j.get<std::string>(); }
        else if (j.is_array()) { kind = Kind::Array; for (const auto& item : j) items.emplace_back(item); }
        else if (j.is_object()) {
            kind = Kind::Object;
            for (const auto& [key, value] : j.items()) members.emplace(key, JsonValue(value));
        }
    }

    bool IsNull() const { return kind == Kind::Null; }
    const JsonValue& operator[](const std::string& key) const {
        static const JsonValue null;
        const auto it = members.find(key);
        return it == members.end() ? null : it->second;
    }
};

// The whole file parsed; throws when it cannot be read or parsed.
inline JsonValue ReadJsonFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return JsonValue(nlohmann::json::parse(in));
}

}  // namespace trackalbum::test
