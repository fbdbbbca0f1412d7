// Two programs (the desktop one and the command line, or two of either) saving one profile at
// the same moment: every reader meets one whole save, never a torn or mixed file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "settings/WxFileProfile.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

constexpr int Keys = 400;
constexpr int Rounds = 60;

std::string Key(int k) { return "Key" + std::to_string(k); }

// Each round opens the profile afresh, as a program start does, sets every key to a value
// naming the writer and the round, and saves.
[[noreturn]] void Writer(const std::string& path, char name) {
    for (int round = 0; round < Rounds; ++round) {
        WxFileProfile profile(path);
        const std::string value = std::string(40, name) + std::to_string(round);
        for (int k = 0; k < Keys; ++k) profile.WriteProfileString("Parameters", Key(k), value);
        if (!profile.Flush()) _exit(1);
    }
    _exit(0);
}

// The value every key holds, "" when the file is not there yet, "torn" when they differ.
std::string OneValue(const std::string& path) {
    WxFileProfile profile(path);
    const std::string first = profile.GetProfileString("Parameters", Key(0), "");
    for (int k = 1; k < Keys; ++k) {
        if (profile.GetProfileString("Parameters", Key(k), "") != first) return "torn";
    }
    return first;
}

TEST(ProfileSaveTest, TwoSavesAtOnceLeaveOneWholeProfileAndNoTemporaryFile) {
    char pattern[] = "/tmp/ta-profile-race-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    const std::string path = (folder / "Trackalbum.conf").string();

    pid_t writers[2];
    for (int i = 0; i < 2; ++i) {
        writers[i] = fork();
        ASSERT_GE(writers[i], 0);
        if (writers[i] == 0) Writer(path, i == 0 ? 'a' : 'b');
    }
    int reads = 0, torn = 0, status[2] = {};
    bool done[2] = {false, false};
    while (!done[0] || !done[1]) {
        const std::string value = OneValue(path);
        torn += value == "torn" || (value.empty() && reads > 0);  // once saved, never empty again
        reads += !value.empty();
        for (int i = 0; i < 2; ++i) {
            if (!done[i] && waitpid(writers[i], &status[i], WNOHANG) == writers[i]) done[i] = true;
        }
    }
    for (int s : status) EXPECT_TRUE(WIFEXITED(s) && WEXITSTATUS(s) == 0) << s;
    EXPECT_EQ(torn, 0) << "of " << reads << " reads";
    EXPECT_GT(reads, 10) << "the reads did not overlap the saves";

    // The last save wins whole: every key holds one writer's final round.
    const std::string last = OneValue(path);
    EXPECT_TRUE(last == std::string(40, 'a') + std::to_string(Rounds - 1) ||
                last == std::string(40, 'b') + std::to_string(Rounds - 1)) << last;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Trackalbum.conf"});
    fs::remove_all(folder);
}

}  // namespace
}  // namespace trackalbum
