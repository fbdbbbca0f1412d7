#pragma once
// A whole number typed into a page's field. The pages read their number fields the way
// the program always has: blanks around the number, an optional sign, decimal digits and
// nothing else; an empty field or any other text fails, and the user is told why.
#include <string>

namespace trackalbum {

// The reason shown when a number field cannot be read.
inline constexpr const char* IntegerFieldMessage = "整数を入力してください。";

// False, and `value` untouched, when the text is no whole number or does not fit an int.
bool ParseIntegerField(const std::string& text, int& value);

}  // namespace trackalbum
