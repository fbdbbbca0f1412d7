#pragma once
// Failure codes of a GPX load and the message shown for each.
#include <cstdint>
#include <string>

#include "platform/SaxReader.h"

namespace trackalbum {

namespace GpxFailureCode {
constexpr uint32_t NotFound = 0x80070003u;
constexpr uint32_t InvalidName = 0x80070057u;
constexpr uint32_t AccessDenied = 0x80070005u;
constexpr uint32_t NotAFile = 0x8007010bu;
constexpr uint32_t ReadError = 0x8007001eu;
constexpr uint32_t OutOfMemory = 0x8007000eu;
constexpr uint32_t InvalidTime = 0x8007000du;
constexpr uint32_t EntityDeclared = 0xc00ce600u;
constexpr uint32_t XmlErrorBase = 0xc00ce500u;  // plus the XML parser's error number
constexpr uint32_t Unexpected = 0x80004005u;
}  // namespace GpxFailureCode

uint32_t GpxFailureCodeOf(const SaxResult& result);
// The box text for a failure code: not found, bad name, or "エラーです。hr=<hex>".
std::string GpxFailureMessage(uint32_t code);

}  // namespace trackalbum
