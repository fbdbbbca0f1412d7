#pragma once
// The per-user profile file, shared by the desktop and the command-line program: an INI-style
// text file read once when opened and written whole, through a temporary file, on Flush.
#include <memory>
#include <string>

#include "settings/Profile.h"

namespace trackalbum {

class WxFileProfile : public Profile {
public:
    // $XDG_CONFIG_HOME/Trackalbum.conf, with $HOME/.config standing in for an unset or
    // relative XDG_CONFIG_HOME.
    static std::string GetDefaultPath();

    // Reads the file at `path`. A missing, unreadable or garbled file gives an empty profile
    // (every setting at its default); a file that exists but cannot be read is never
    // written over, so nothing it holds is lost.
    explicit WxFileProfile(const std::string& path);
    ~WxFileProfile() override;
    WxFileProfile(const WxFileProfile&) = delete;
    WxFileProfile& operator=(const WxFileProfile&) = delete;

    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
    int GetProfileInt(const std::string& section, const std::string& key,
                      int defaultValue) override;
    void WriteProfileInt(const std::string& section, const std::string& key, int value) override;

    // Creates the file's folder when missing, writes the whole profile into a temporary file
    // beside it, syncs it and renames it over the old file. On failure the old file stays.
    bool Flush() override;

    const std::string& GetPath() const { return path_; }
    std::string GetLastProblem() const override { return lastProblem_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string path_;
    std::string lastProblem_;
    bool dirty_ = false;
    bool mayWrite_ = true;
    // The file held bytes that are no profile at all: they are kept under another name
    // before the first save replaces them, in case the path named the wrong file.
    bool setAsideFirst_ = false;
};

}  // namespace trackalbum
