#include "photos/CommentsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "photos/photo_test_support.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

using namespace test;
using Records = std::vector<std::pair<std::string, std::string>>;

class CommentsFileTest : public ::testing::Test {
protected:
    PictureList Read(const Records& records, const std::string& gpsFile = "trip.gpx") {
        PictureList pictures;
        for (const auto& [name, comment] : records) pictures.AddTail(NamedRecord(name, comment));
        comments_.ReadComments(pictures, gpsFile);
        return pictures;
    }
    ScratchFolder folder_{ScratchFolder::Enter};  // the current directory, where comments files are kept
    CommentsFile comments_;
};

TEST_F(CommentsFileTest, EveryTextComesBackInShiftJisOrElseUtf8) {
    EXPECT_EQ(GetCommentsPath("/home/me/log/trip.GPX") + GetCommentsPath("/a/b.c/trip.gpx.xml"), "trip.csvtrip.gpx.xml.csv");
    // An emoji, a name that is not UTF-8 and a wave dash (read back changed) need UTF-8.
    const std::pair<Records, std::string> cases[] = {
        {{{"b.jpg", ""}, {"a.jpg", "hello, world"}}, "b.jpg,\r\na.jpg,hello, world\r\n"},
        {{{"写真.jpg", "山頂で休憩"}}, "\x8E\xCA\x90\x5E.jpg,\x8E\x52\x92\xB8\x82\xC5\x8B\x78\x8C\x65\r\n"},
        {{{"a", "x"}, {"a,b.jpg", "y,z"}, {"c.jpg", ",,"}}, "a,x\r\na,b.jpg,y,z\r\nc.jpg,,,\r\n"},
        {{{"a.jpg", "晴れ ☀️"}, {"\xFF\xFE.jpg", "raw"}, {"c.jpg", "8〜9時"}},
         "\xEF\xBB\xBF" "a.jpg,晴れ ☀️\r\n\xFF\xFE.jpg,raw\r\nc.jpg,8〜9時\r\n"},
    };
    for (const auto& [records, file] : cases) {
        unlink("trip.csv");
        PictureList pictures = Read(records);
        comments_.WriteComments(pictures, "trip.gpx");
        EXPECT_EQ(ReadFile("trip.csv"), file);
        for (PictureRecord& record : pictures) record.Comment.clear();
        comments_.ReadComments(pictures, "trip.gpx");
        for (size_t i = 0; i < records.size(); ++i) EXPECT_EQ(pictures[i].Comment, records[i].second);
    }
}

TEST_F(CommentsFileTest, ReadingFollowsTheLineRules) {
    // CR, LF and runs of them, no comma, unknown and case-different names, the later line
    // winning, a NUL (ends its line), bytes that are not Shift-JIS, a very long line.
    static const char text[] = "a.jpg,one\rB.JPG,no\n\n\r\nb.jpg,first\r\rb.jpg,second\nlonely\ngone.jpg,x\r\n"
                               "c.jpg,be\0fore\r\nd.jpg,\x81\x20ok\xFF\r\ne.jpg,";
    const std::string longComment(200000, 'x');
    WriteFile("trip.csv", std::string(text, sizeof text - 1) + longComment);
    const PictureList pictures = Read({{"a.jpg", ""}, {"b.jpg", ""}, {"c.jpg", ""}, {"d.jpg", ""}, {"e.jpg", ""}, {"f.jpg", "kept"}});
    const std::string expected[] = {"one", "second", "be", "\xEF\xBF\xBD ok\xEF\xBF\xBD", longComment, "kept"};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(pictures[i].Comment, expected[i]) << i;
}

TEST_F(CommentsFileTest, CommentsGoOnlyToTheFileTheyWereReadFrom) {
    WriteFile("a.csv", "p.jpg,from a\r\n");
    WriteFile("b.csv", "p.jpg,from b\r\n");
    comments_.WriteComments(PictureList(), "a.gpx");  // an empty list writes nothing
    EXPECT_EQ(Read({{"p.jpg", "mine"}}, "missing.gpx")[0].Comment, "mine");
    PictureList pictures = Read({{"p.jpg", ""}}, "a.gpx");
    pictures[0].Comment = "edited for a";
    comments_.WriteComments(pictures, "b.gpx");  // switched to b.gpx: the list holds a's comments
    EXPECT_EQ(ReadFile("a.csv") + ReadFile("b.csv"), "p.jpg,edited for a\r\np.jpg,from b\r\n");
    // A list read without a GPS file never overwrites stored comments, but starts a new file.
    pictures = Read({{"p.jpg", "typed"}}, "");
    comments_.WriteComments(pictures, "a.gpx");
    comments_.WriteComments(pictures, "new.gpx");
    EXPECT_EQ(ReadFile("a.csv") + ReadFile("new.csv"), "p.jpg,edited for a\r\np.jpg,typed\r\n");
    // A failed write keeps the old file: a folder holds the temporary file's name.
    pictures[0].Comment = "lost";
    ASSERT_EQ(mkdir(("new.csv." + std::to_string(getpid()) + ".tmp").c_str(), 0755), 0);
    EXPECT_THROW(comments_.WriteComments(pictures, "new.gpx"), FileError);
    EXPECT_EQ(ReadFile("new.csv"), "p.jpg,typed\r\n");
}

}  // namespace
}  // namespace trackalbum
