#include "settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/CFormat.h"
#include "settings/MemoryProfile.h"
#include "settings/WxFileProfile.h"
#include "support/ScratchFolder.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

TEST(SettingsStoreTest, ColoursAreThreeKeysReadBackByTheirLowEightBits) {
    MemoryProfile profile;
    SettingsStore store(profile);
    store.SetPathColor(0xFFAB0201u);  // the top byte is no colour
    EXPECT_EQ(FormatC("%d %d %d", store.GetInteger("PathRed", -1), store.GetInteger("PathGreen", -1),
                      store.GetInteger("PathBlue", -1)), "1 2 171");
    store.WriteInteger("PathRed", 300);
    store.WriteInteger("PathGreen", -1);
    EXPECT_EQ(store.GetPathColor(), MakeColor(44, 255, 171));
    store.SetUpColor(MakeColor(1, 2, 3));
    store.SetDownColor(MakeColor(4, 5, 6));
    store.SetFlatColor(MakeColor(7, 8, 9));
    EXPECT_EQ(FormatC("%06X %06X %06X %06X", store.GetPathColor(), store.GetUpColor(), store.GetDownColor(),
                      store.GetFlatColor()), "ABFF2C 030201 060504 090807");
}

class WxFileProfileTest : public ::testing::Test {
protected:
    bool StoreApiKey(const fs::path& where, const std::string& value) {
        WxFileProfile profile(where.string());
        SettingsStore(profile).SetAPIKey(value);
        return profile.Flush();
    }
    std::string StoredApiKey(const fs::path& where) {
        WxFileProfile profile(where.string());
        return SettingsStore(profile).GetAPIKey();
    }

    const test::ScratchFolder scratch_;
    const fs::path folder = scratch_.Path();
};

TEST_F(WxFileProfileTest, ValuesComeBackVerbatimFromANewFolder) {
    const fs::path path = folder / "conf" / "Trackalbum.conf";
    for (const std::string value : {"$HOME/${USER}", "%PATH%", "a\\b\\\\c", "\"q\"", "  padded  ", "k=v;#no comment",
                                    "l1\nl2\tt\rc", "日本語", "[Parameters]", "", "ab\xFF" "cd"}) {
        ASSERT_TRUE(StoreApiKey(path, value));
        EXPECT_EQ(StoredApiKey(path), value == "ab\xFF" "cd" ? "ab\xEF\xBF\xBD" "cd" : value);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), {}), 1);  // no temporary left
}

TEST_F(WxFileProfileTest, GarbageFileGivesDefaultsQuietly) {
    std::string noise;
    for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 7919) % 256);
    for (const std::string& bytes : {noise, std::string("=\n==\n[]\n[/]\nZoomLevel\n"), std::string(100000, '['),
                                    std::string("[Parameters]\nZoomLevel=abc\nPathWidth=99999999999999999999\n"),
                                    std::string("\\ =a$"), std::string("/].#[\\[b$b.#[\r= \n.]")}) {
        test::WriteFile(folder / "garbage", bytes);
        testing::internal::CaptureStderr();
        {
            WxFileProfile profile((folder / "garbage").string());
            EXPECT_EQ(SettingsStore(profile).GetZoomLevel(), 10);
            EXPECT_GE(SettingsStore(profile).GetPathWidth(), 10);  // an overflowing number saturates
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}

TEST_F(WxFileProfileTest, AFileThatIsNoProfileIsKeptAsideBeforeTheFirstSave) {
    const fs::path path = folder / "walk.gpx";  // named by mistake
    const std::string first = "<?xml version=\"1.0\"?>\n<gpx creator=\"x\"></gpx>\n";
    test::WriteFile(path, first);
    ASSERT_TRUE(StoreApiKey(path, "k1"));
    EXPECT_EQ(test::ReadFile(folder / "walk.gpx.bad"), first);
    EXPECT_EQ(StoredApiKey(path), "k1");
    ASSERT_TRUE(StoreApiKey(path, "k2"));  // a profile now: replaced without another copy
    EXPECT_FALSE(fs::exists(folder / "walk.gpx.bad.1"));

    test::WriteFile(path, std::string(5 * 1024 * 1024, 'x'));  // too large
    ASSERT_TRUE(StoreApiKey(path, "k3"));
    EXPECT_EQ(fs::file_size(folder / "walk.gpx.bad.1"), 5u * 1024 * 1024);
    EXPECT_EQ(test::ReadFile(folder / "walk.gpx.bad"), first);
}

TEST_F(WxFileProfileTest, NothingStoredIsLostWhenTheProfileCannotBeWritten) {
    fs::create_directories(folder / "dir.conf");  // cannot be read, so never written over
    EXPECT_NE(WxFileProfile((folder / "dir.conf").string()).GetLastProblem(), "");
    EXPECT_FALSE(StoreApiKey(folder / "dir.conf", "k"));
    EXPECT_TRUE(fs::is_directory(folder / "dir.conf"));

    const fs::path good = folder / "good" / "Trackalbum.conf";
    ASSERT_TRUE(StoreApiKey(good, "old"));
    EXPECT_FALSE(StoreApiKey(good / "sub" / "x.conf", "k"));  // a file where a folder should be
    // A file-size limit makes the write itself fail, whoever runs the test.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool stored = StoreApiKey(good, std::string(4096, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(stored);
    EXPECT_EQ(StoredApiKey(good), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(good.parent_path()), {}), 1);
}

// Two programs (the desktop one and the command line, or two of either) saving one profile at
// the same moment: every reader meets one whole save, never a torn or mixed file.
constexpr int Keys = 400, Rounds = 60;

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

TEST_F(WxFileProfileTest, TwoSavesAtOnceLeaveOneWholeProfileAndNoTemporaryFile) {
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
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

}  // namespace
}  // namespace trackalbum
