#include "photos/CommentsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "photos/temp_folder_support.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

// Works in a temporary current directory, where the comments files are kept.
class CommentsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(getcwd(oldDirectory_, sizeof oldDirectory_), nullptr);
        ASSERT_EQ(chdir(folder_.Path().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(oldDirectory_), 0); }

    static PictureList List(std::initializer_list<std::pair<const char*, const char*>> records) {
        PictureList pictures;
        for (auto [name, comment] : records) {
            PictureRecord record;
            record.FileName = name;
            record.Comment = comment;
            pictures.AddTail(record);
        }
        return pictures;
    }

    static PictureList WithoutComments(const PictureList& pictures) {
        PictureList copy = pictures;
        for (PictureRecord& record : copy) record.Comment.clear();
        return copy;
    }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    // Writes the list as the comments of trip.gpx and reads it back into a fresh list.
    PictureList RoundTrip(const PictureList& pictures) {
        CommentsFile comments;
        PictureList loaded = WithoutComments(pictures);
        comments.ReadComments(loaded, "/log/trip.gpx");
        comments.WriteComments(pictures, "/log/trip.gpx");
        comments.ReadComments(loaded, "/log/trip.gpx");
        return loaded;
    }

    testing::TempFolder folder_;
    char oldDirectory_[4096] = {};
};

TEST_F(CommentsFileTest, PathIsTheGpsFileTitleWithCsvInTheCurrentFolder) {
    EXPECT_EQ(GetCommentsPath("/home/me/log/trip.gpx"), "trip.csv");
    EXPECT_EQ(GetCommentsPath("trip.GPX"), "trip.csv");
    EXPECT_EQ(GetCommentsPath("/a/trip.gpx.xml"), "trip.gpx.xml.csv");
    EXPECT_EQ(GetCommentsPath("/a/b.c/trip"), "trip.csv");
}

TEST_F(CommentsFileTest, WritesOneLinePerPhotoInListOrder) {
    CommentsFile comments;
    PictureList pictures = List({{"b.jpg", ""}, {"a.jpg", "hello, world"}});
    comments.ReadComments(pictures, "trip.gpx");
    comments.WriteComments(pictures, "trip.gpx");
    EXPECT_EQ(ReadBytes("trip.csv"), "b.jpg,\r\na.jpg,hello, world\r\n");
    PictureList back = RoundTrip(pictures);
    EXPECT_EQ(back[0].Comment, "");
    EXPECT_EQ(back[1].Comment, "hello, world");
}

TEST_F(CommentsFileTest, JapaneseTextIsStoredInShiftJis) {
    PictureList pictures = List({{"写真.jpg", "山頂で休憩"}});
    PictureList back = RoundTrip(pictures);
    EXPECT_EQ(ReadBytes("trip.csv"), "\x8E\xCA\x90\x5E.jpg,\x8E\x52\x92\xB8\x82\xC5\x8B\x78\x8C\x65\r\n");
    EXPECT_EQ(back[0].Comment, "山頂で休憩");
}

TEST_F(CommentsFileTest, TextWithoutAShiftJisFormIsStoredAsUtf8WithBom) {
    // An emoji, a name that is not UTF-8 at all, and a wave dash that code page 932 would
    // read back as another character.
    PictureList pictures = List({{"a.jpg", "晴れ ☀️"}, {"\xFF\xFE.jpg", "raw"}, {"c.jpg", "8〜9時"}});
    PictureList back = RoundTrip(pictures);
    EXPECT_EQ(ReadBytes("trip.csv").substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(back[0].Comment, "晴れ ☀️");
    EXPECT_EQ(back[1].Comment, "raw");
    EXPECT_EQ(back[2].Comment, "8〜9時");
}

TEST_F(CommentsFileTest, NamesWithCommasComeBack) {
    PictureList pictures = List({{"a", "x"}, {"a,b.jpg", "y,z"}, {"c.jpg", ",,"}});
    PictureList back = RoundTrip(pictures);
    EXPECT_EQ(back[0].Comment, "x");
    EXPECT_EQ(back[1].Comment, "y,z");
    EXPECT_EQ(back[2].Comment, ",,");
}

TEST_F(CommentsFileTest, ReadingFollowsTheLineRules) {
    // Bare CR and LF, runs of them, a line without comma, an unknown name, a name that
    // differs in case, a repeated name (the later wins), a NUL inside a line.
    static const char text[] =
        "a.jpg,one\rB.JPG,no\n\n\r\nb.jpg,first\r\rb.jpg,second\nlonely\n"
        "gone.jpg,x\r\nc.jpg,be\0fore\r\nd.jpg,after";
    WriteBytes("trip.csv", std::string(text, sizeof text - 1));
    PictureList pictures = List({{"a.jpg", ""}, {"b.jpg", ""}, {"c.jpg", ""}, {"d.jpg", ""}, {"e.jpg", "kept"}});
    CommentsFile comments;
    comments.ReadComments(pictures, "trip.gpx");
    EXPECT_EQ(pictures[0].Comment, "one");
    EXPECT_EQ(pictures[1].Comment, "second");
    EXPECT_EQ(pictures[2].Comment, "be");
    EXPECT_EQ(pictures[3].Comment, "after");
    EXPECT_EQ(pictures[4].Comment, "kept");
}

TEST_F(CommentsFileTest, BadBytesAndLongLinesAreReadWithoutLoss) {
    std::string longComment(200000, 'x');
    WriteBytes("trip.csv", "a.jpg,\x81\x20ok\xFF\r\nb.jpg," + longComment + "\r\n");
    PictureList pictures = List({{"a.jpg", ""}, {"b.jpg", ""}});
    CommentsFile comments;
    comments.ReadComments(pictures, "trip.gpx");
    EXPECT_EQ(pictures[0].Comment, "\xEF\xBF\xBD ok\xEF\xBF\xBD");
    EXPECT_EQ(pictures[1].Comment, longComment);
}

TEST_F(CommentsFileTest, AnEmptyListOrAMissingFileChangesNothing) {
    WriteBytes("trip.csv", "a.jpg,old\r\n");
    CommentsFile comments;
    PictureList empty;
    comments.ReadComments(empty, "trip.gpx");
    comments.WriteComments(empty, "trip.gpx");
    EXPECT_EQ(ReadBytes("trip.csv"), "a.jpg,old\r\n");
    PictureList pictures = List({{"a.jpg", "mine"}});
    comments.ReadComments(pictures, "other.gpx");
    comments.ReadComments(pictures, "");
    EXPECT_EQ(pictures[0].Comment, "mine");
}

TEST_F(CommentsFileTest, CommentsGoToTheFileTheyWereReadFrom) {
    WriteBytes("a.csv", "p.jpg,from a\r\n");
    WriteBytes("b.csv", "p.jpg,from b\r\n");
    CommentsFile comments;
    PictureList pictures = List({{"p.jpg", ""}});
    comments.ReadComments(pictures, "a.gpx");
    pictures[0].Comment = "edited for a";
    // The user has switched to b.gpx: the list still holds a's comments.
    comments.WriteComments(pictures, "b.gpx");
    EXPECT_EQ(ReadBytes("a.csv"), "p.jpg,edited for a\r\n");
    EXPECT_EQ(ReadBytes("b.csv"), "p.jpg,from b\r\n");
    comments.ReadComments(pictures, "b.gpx");
    EXPECT_EQ(pictures[0].Comment, "from b");
    pictures[0].Comment = "edited for b";
    comments.WriteComments(pictures, "b.gpx");
    EXPECT_EQ(ReadBytes("b.csv"), "p.jpg,edited for b\r\n");
}

TEST_F(CommentsFileTest, AListReadWithoutGpsFileNeverOverwritesStoredComments) {
    WriteBytes("a.csv", "p.jpg,stored\r\n");
    CommentsFile comments;
    PictureList pictures = List({{"p.jpg", "typed"}});
    comments.ReadComments(pictures, "");
    comments.WriteComments(pictures, "a.gpx");
    EXPECT_EQ(ReadBytes("a.csv"), "p.jpg,stored\r\n");
    comments.WriteComments(pictures, "new.gpx");
    EXPECT_EQ(ReadBytes("new.csv"), "p.jpg,typed\r\n");
}

TEST_F(CommentsFileTest, AFailedWriteKeepsTheOldFile) {
    WriteBytes("trip.csv", "a.jpg,old\r\n");
    CommentsFile comments;
    PictureList pictures = List({{"a.jpg", ""}});
    comments.ReadComments(pictures, "trip.gpx");
    pictures[0].Comment = "new";
    // A folder in place of the temporary file's name cannot be written over.
    ASSERT_EQ(mkdir(("trip.csv." + std::to_string(getpid()) + ".tmp").c_str(), 0755), 0);
    EXPECT_THROW(comments.WriteComments(pictures, "trip.gpx"), FileError);
    EXPECT_EQ(ReadBytes("trip.csv"), "a.jpg,old\r\n");
}

}  // namespace
}  // namespace trackalbum
