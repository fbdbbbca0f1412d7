#pragma once
// Message boxes with an OK button. The desktop program shows real boxes; the command line
// prints the text on stderr; tests record it.
#include <string>

namespace trackalbum {

class MessageHost {
public:
    virtual ~MessageHost() = default;
    // An error or warning box; returns when the user has pressed OK.
    virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace trackalbum
