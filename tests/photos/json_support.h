#pragma once
// Just enough JSON to read the corpus facts: objects, arrays, strings, numbers, literals.
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace trackalbum::testing {

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    bool IsNull() const { return kind == Kind::Null; }
    // A member, or a null value when there is none.
    const JsonValue& operator[](const std::string& key) const;
};

// Throws std::runtime_error on malformed text.
JsonValue ParseJson(const std::string& text);
JsonValue ReadJsonFile(const std::string& path);

}  // namespace trackalbum::testing
