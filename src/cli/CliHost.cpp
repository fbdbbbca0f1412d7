#include "cli/CliHost.h"

namespace trackalbum {

std::string CliHost::ToTerminalLines(const std::string& text) {
    std::string result;
    result.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result += text[i] == '\r' ? '\n' : text[i];
    }
    if (!result.empty() && result.back() != '\n') result += '\n';
    return result;
}

void CliHost::Print(std::FILE* stream, const std::string& text) {
    std::string lines = ToTerminalLines(text);
    std::fwrite(lines.data(), 1, lines.size(), stream);
    std::fflush(stream);
}

void CliHost::ShowMessage(const std::string& text) { Print(err_, text); }

void CliHost::ShowStatus(const std::string& text) { Print(out_, text); }

void CliHost::ShowInformation(const std::string& text) { Print(out_, text); }

void CliHost::ShowCompressionResult(const std::string& text) { compressionResult_ = text; }

// The rows are the panel's; the list is printed once Apply has ended.
void CliHost::RefillPictureList(const std::string&, PictureList&) {}

void CliHost::RefillSpeedChoices(const SpeedChoices&) {}

void CliHost::Navigate(const std::string& address) { address_ = address; }

void CliHost::ShowFileError(const std::string& description) { Print(err_, description); }

}  // namespace trackalbum
