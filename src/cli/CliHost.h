#pragma once
// Apply's host on a terminal: status and information texts on stdout, boxes and errors on
// stderr. The address to show is kept for the caller, which prints it last.
#include <cstdio>
#include <string>

#include "pipeline/ApplyHost.h"

namespace trackalbum {

class CliHost : public ApplyHost {
public:
    CliHost(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    void ShowMessage(const std::string& text) override;
    void ShowStatus(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowCompressionResult(const std::string& text) override;
    void RefillPictureList(const std::string& folder, PictureList& pictures) override;
    void RefillSpeedChoices(const SpeedChoices& choices) override;
    void Navigate(const std::string& address) override;
    void ShowFileError(const std::string& description) override;

    const std::string& GetAddress() const { return address_; }
    const std::string& GetCompressionResult() const { return compressionResult_; }

    // Texts hold CR LF line ends as the panel shows them; a terminal wants LF.
    static std::string ToTerminalLines(const std::string& text);

private:
    void Print(std::FILE* stream, const std::string& text);

    std::FILE* out_;
    std::FILE* err_;
    std::string address_;
    std::string compressionResult_;
};

}  // namespace trackalbum
