// Failure codes of a GPX load. Two classes have texts of their own; every other failure shows
// "エラーです。" followed by "hr=" and its code in lower-case hexadecimal:
//
//   80070003  the file, or a folder on its path, does not exist   -> "ファイルが見つかりません。"
//   80070057  empty path, NUL in the path, name too long           -> "ファイル名が正しくないか、空です。"
//   80070005  access denied
//   8007010b  a folder (or device, FIFO) instead of a file
//   8007001e  read error
//   8007000e  out of memory
//   8007000d  a time text that gives no representable time (points read so far are kept)
//   c00ce600  the document declares entities (refused; stops entity-expansion bombs)
//   c00ce5nn  malformed XML, nn the XML parser's error number in hex, for example:
//             c00ce503 no element found (an empty file), c00ce502 syntax error,
//             c00ce504 invalid token (binary garbage), c00ce505 unclosed token (cut off),
//             c00ce507 mismatched tag, c00ce512 unknown encoding, c00ce51b unbound prefix
//   80004005  any other failure
#include "gps/GpxFailure.h"

#include "platform/CFormat.h"

namespace trackalbum {

uint32_t GpxFailureCodeOf(const SaxResult& result) {
    switch (result.status) {
    case SaxStatus::Ok: return 0;
    case SaxStatus::FileNotFound: return GpxFailureCode::NotFound;
    case SaxStatus::InvalidPath: return GpxFailureCode::InvalidName;
    case SaxStatus::NotAFile: return GpxFailureCode::NotAFile;
    case SaxStatus::AccessDenied: return GpxFailureCode::AccessDenied;
    case SaxStatus::ReadError: return GpxFailureCode::ReadError;
    case SaxStatus::OutOfMemory: return GpxFailureCode::OutOfMemory;
    case SaxStatus::EntityDeclared: return GpxFailureCode::EntityDeclared;
    case SaxStatus::XmlError:
        return GpxFailureCode::XmlErrorBase + static_cast<uint32_t>(result.xmlError & 0xff);
    }
    return GpxFailureCode::Unexpected;
}

std::string GpxFailureMessage(uint32_t code) {
    switch (code) {
    case 0: return std::string();
    case GpxFailureCode::NotFound: return "ファイルが見つかりません。";
    case GpxFailureCode::InvalidName: return "ファイル名が正しくないか、空です。";
    default: return "エラーです。" + FormatC("hr=%x", code);
    }
}

}  // namespace trackalbum
