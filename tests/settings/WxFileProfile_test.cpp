#include "platform/WxFileProfile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/SettingsStore.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWhole(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class WxFileProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/ta-profile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        path = folder / "conf" / "Trackalbum.conf";
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(folder, ignored);
    }
    size_t CountEntries(const fs::path& where) {
        size_t count = 0;
        for (auto it = fs::directory_iterator(where); it != fs::directory_iterator(); ++it) ++count;
        return count;
    }

    fs::path folder;
    fs::path path;
};

TEST_F(WxFileProfileTest, MissingFileReadsAsDefaultsAndFlushCreatesTheFolder) {
    WxFileProfile profile(path.string());
    SettingsStore store(profile);
    EXPECT_EQ(store.GetZoomLevel(), 10);
    EXPECT_EQ(profile.GetLastProblem(), "");
    store.SetZoomLevel(12);
    ASSERT_TRUE(profile.Flush());
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_NE(ReadWhole(path).find("[Parameters]"), std::string::npos);
    EXPECT_EQ(CountEntries(path.parent_path()), 1u);  // no temporary file left behind
}

TEST_F(WxFileProfileTest, StringsComeBackVerbatim) {
    const std::string values[] = {
        "$HOME/${USER}", "%PATH%", "a\\b\\\\c", "\"quoted\"", "  padded  ", "key=value;#not a comment",
        "line1\nline2\ttab\rcr", "日本語のキー", "[Parameters]", "",
    };
    {
        WxFileProfile profile(path.string());
        int index = 0;
        for (const std::string& value : values) profile.WriteProfileString("Parameters", "K" + std::to_string(index++), value);
        ASSERT_TRUE(profile.Flush());
    }
    setenv("USER", "someone", 1);
    WxFileProfile reread(path.string());
    int index = 0;
    for (const std::string& value : values) {
        EXPECT_EQ(reread.GetProfileString("Parameters", "K" + std::to_string(index++), "absent"), value);
    }
}

TEST_F(WxFileProfileTest, IntegersAndSettingsSurviveAReopen) {
    {
        WxFileProfile profile(path.string());
        SettingsStore store(profile);
        store.SetPathColor(MakeColor(1, 2, 171));
        store.SetDisplayWidth(-640);
        store.SetAPIKey("ABQ$x%y");
        ASSERT_TRUE(store.Flush());
    }
    WxFileProfile profile(path.string());
    SettingsStore store(profile);
    EXPECT_EQ(store.GetPathColor(), MakeColor(1, 2, 171));
    EXPECT_EQ(store.GetDisplayWidth(), -640);
    EXPECT_EQ(store.GetAPIKey(), "ABQ$x%y");
}

TEST_F(WxFileProfileTest, InvalidUtf8IsRepairedNotDropped) {
    WxFileProfile profile(path.string());
    profile.WriteProfileString("Parameters", "APIKey", std::string("ab\xFF" "cd"));
    EXPECT_EQ(profile.GetProfileString("Parameters", "APIKey", ""), "ab\xEF\xBF\xBD" "cd");
}

TEST_F(WxFileProfileTest, GarbageFileGivesDefaultsWithoutCrashing) {
    fs::create_directories(path.parent_path());
    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    const std::string samples[] = {
        garbage, "[Parameters\nZoomLevel=", "=\n==\n[]\n[/]\nZoomLevel\n", std::string(100000, '['),
        "[Parameters]\nZoomLevel=abc\nPathWidth=99999999999999999999\n",
        "\\ =a$", "[Parameters]\r\\\t=;]", "/].#[\\[b$b.#[\r= \n.]", "P\n\\#[b\"\t\n\r\tb\r=\"#\n\r",
    };
    for (const std::string& bytes : samples) {
        WriteWhole(path, bytes);
        testing::internal::CaptureStderr();
        {
            WxFileProfile profile(path.string());
            SettingsStore store(profile);
            EXPECT_EQ(store.GetZoomLevel(), 10);
            int width = store.GetPathWidth();
            EXPECT_TRUE(width == 10 || width == 2147483647) << width;
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}

TEST_F(WxFileProfileTest, UnreadableProfileIsNeverWrittenOver) {
    // A folder where the file should be: it cannot be read, and must survive.
    fs::create_directories(path);
    WriteWhole(path / "keep", "x");
    WxFileProfile profile(path.string());
    EXPECT_NE(profile.GetLastProblem(), "");
    EXPECT_EQ(SettingsStore(profile).GetZoomLevel(), 10);
    profile.WriteProfileInt("Parameters", "ZoomLevel", 3);
    EXPECT_FALSE(profile.Flush());
    EXPECT_TRUE(fs::is_regular_file(path / "keep"));
}

TEST_F(WxFileProfileTest, FailedWriteKeepsTheEarlierProfile) {
    {
        WxFileProfile profile(path.string());
        profile.WriteProfileString("Parameters", "APIKey", "old");
        ASSERT_TRUE(profile.Flush());
    }
    const std::string before = ReadWhole(path);
    // A file-size limit makes the write itself fail, whoever runs the test.
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool flushed = true;
    {
        WxFileProfile profile(path.string());
        profile.WriteProfileString("Parameters", "APIKey", std::string(4096, 'n'));
        flushed = profile.Flush();
        EXPECT_NE(profile.GetLastProblem(), "");
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(flushed);
    EXPECT_EQ(ReadWhole(path), before);
    EXPECT_EQ(CountEntries(path.parent_path()), 1u);
}

TEST_F(WxFileProfileTest, FolderThatCannotBeMadeFailsCleanly) {
    WriteWhole(folder / "file", "x");
    WxFileProfile profile((folder / "file" / "sub" / "Trackalbum.conf").string());
    profile.WriteProfileInt("Parameters", "ZoomLevel", 3);
    EXPECT_FALSE(profile.Flush());
    EXPECT_EQ(ReadWhole(folder / "file"), "x");
}

TEST_F(WxFileProfileTest, DefaultPathFollowsXdgConfigHome) {
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    std::string saved = oldXdg ? oldXdg : "";
    std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
    EXPECT_EQ(WxFileProfile::GetDefaultPath(), "/somewhere/config/Trackalbum.conf");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(WxFileProfile::GetDefaultPath(), "/home/someone/.config/Trackalbum.conf");
    if (oldXdg) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
}  // namespace trackalbum
