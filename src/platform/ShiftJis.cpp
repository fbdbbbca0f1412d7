#include "platform/ShiftJis.h"

#include <iconv.h>

#include <cerrno>

namespace trackalbum {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns the errno of the stop (0 when all was converted)
    // with `in` advanced past what was consumed.
    int Convert(std::string_view& in, std::string& out) {
        char buffer[4096];
        while (!in.empty()) {
            char* inPtr = const_cast<char*>(in.data());
            size_t inLeft = in.size();
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            int error = result == static_cast<size_t>(-1) ? errno : 0;
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            in.remove_prefix(in.size() - inLeft);
            if (error == E2BIG) continue;
            if (error != 0) return error;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

constexpr char ReplacementCharacter[] = "\xEF\xBF\xBD";

}  // namespace

bool EncodeShiftJis(std::string_view utf8, std::string& out) {
    Converter converter("CP932", "UTF-8");
    if (!converter.IsOpen()) return false;
    std::string result;
    if (converter.Convert(utf8, result) != 0) return false;
    out = std::move(result);
    return true;
}

std::string DecodeShiftJis(std::string_view bytes) {
    std::string result;
    Converter converter("UTF-8", "CP932");
    if (!converter.IsOpen()) {
        // Without a converter only ASCII can be trusted.
        for (unsigned char c : bytes) {
            if (c < 0x80) result.push_back(static_cast<char>(c));
            else result += ReplacementCharacter;
        }
        return result;
    }
    while (!bytes.empty()) {
        if (converter.Convert(bytes, result) == 0) break;
        result += ReplacementCharacter;
        bytes.remove_prefix(1);
    }
    return result;
}

}  // namespace trackalbum
