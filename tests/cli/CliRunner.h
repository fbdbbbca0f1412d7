#pragma once
// Runs the built trackalbum-cli in a folder of its own and collects what it printed.
#include <string>
#include <vector>

namespace trackalbum::cli_test {

struct CliRun {
    int exitStatus = -1;
    std::string out;
    std::string err;
    // The last line of stdout, without its line end.
    std::string LastLine() const;
};

// A fresh temporary folder that is removed again with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Runs the program with `arguments` in `folder`; HOME and XDG_CONFIG_HOME point into the
// folder, so the user's own profile is never touched.
CliRun RunCli(const std::vector<std::string>& arguments, const std::string& folder);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

}  // namespace trackalbum::cli_test
