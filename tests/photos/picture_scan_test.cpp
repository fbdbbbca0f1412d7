#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "photos/PictureList.h"
#include "photos/jpeg_header_support.h"
#include "photos/temp_folder_support.h"
#include "platform/DirectoryListing.h"
#include "platform/FileTimes.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

class PictureScanTest : public ::testing::Test {
protected:
    testing::ScopedTimeZone zone_{"Asia/Tokyo"};
    testing::TempFolder folder_;

    void Touch(const std::string& name, const std::string& content = "") {
        testing::WriteFile(folder_ / name, testing::Bytes(content.begin(), content.end()));
    }

    void WritePhoto(const std::string& name, const std::string& dateTime) {
        testing::WriteFile(folder_ / name,
                           testing::MakeJpeg({testing::MakeJfifSegment(),
                                              testing::MakeExifSegment(testing::MakeTiff(true, {testing::DateTimeEntry(dateTime)}))}));
    }

    void SetModified(const std::string& name, int64_t seconds) {
        timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, (folder_ / name).c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
    }

    std::vector<std::string> ScannedNames() {
        PictureList pictures;
        pictures.Scan(folder_.Path());
        std::vector<std::string> names;
        for (const PictureRecord& record : pictures) names.push_back(record.FileName);
        return names;
    }
};

TEST_F(PictureScanTest, TakesEveryFileButNotFoldersOrHiddenFiles) {
    Touch("memo.txt", "not a photo");
    Touch(".hidden.jpg");
    fs::create_directory(folder_ / "sub");
    fs::create_directory(folder_ / "folder.jpg");
    fs::create_directory_symlink(folder_ / "sub", folder_ / "link-to-folder");
    SetModified("memo.txt", 1000000000);

    PictureList pictures;
    pictures.Scan(folder_.Path());
    ASSERT_EQ(pictures.GetCount(), 1u);
    const PictureRecord& record = pictures.GetHead();
    EXPECT_EQ(record.FileName, "memo.txt");
    EXPECT_EQ(record.Folder, folder_.Path());
    EXPECT_EQ(record.GetFullPath(), folder_ / "memo.txt");
    EXPECT_EQ(record.TakenTime, TimeValue(1000000000)) << "the file time, older than its birth";
    EXPECT_EQ(record.Comment, "");
    EXPECT_FALSE(record.IsPlaced());
}

TEST_F(PictureScanTest, NamesAreListedWithLettersFoldedToUpperCase) {
    for (const char* name : {"b", "_x", "a.jpg", "Z", "[", "A.jpg", "a", "A", "`q", "10.jpg", "9.jpg"}) Touch(name);
    std::vector<std::string> expected{"10.jpg", "9.jpg", "A", "a", "A.jpg", "a.jpg", "b", "Z", "[", "_x", "`q"};
    EXPECT_EQ(ScannedNames(), expected);
}

TEST_F(PictureScanTest, ThePhotoTimeComesFromExifAndElseFromTheFile) {
    WritePhoto("a.jpg", "2026:05:17 09:33:00");
    WritePhoto("b.jpg", "0000:00:00 00:00:00");  // a camera whose clock was never set
    Touch("c.jpg");
    SetModified("b.jpg", 1200000000);
    SetModified("c.jpg", 1300000000);
    PictureList pictures;
    pictures.Scan(folder_.Path());
    ASSERT_EQ(pictures.GetCount(), 3u) << "the scan goes on after the zero date";
    EXPECT_EQ(pictures[0].TakenTime, TimeValue(2026, 5, 17, 9, 33, 0));
    EXPECT_EQ(pictures[1].TakenTime, TimeValue(1200000000));
    EXPECT_EQ(pictures[2].TakenTime, TimeValue(1300000000));
}

TEST_F(PictureScanTest, AFileTimeInTheFutureGivesWayToTheBirthTime) {
    Touch("new.jpg");
    FileTimes before;
    ASSERT_TRUE(ReadFileTimes(folder_ / "new.jpg", before));
    SetModified("new.jpg", 4000000000);
    PictureRecord record;
    record.Read(folder_.Path(), "new.jpg");
    EXPECT_EQ(record.TakenTime, before.birth.value_or(TimeValue(4000000000)));
}

TEST_F(PictureScanTest, LinksToFilesAreTakenAndBrokenOrLoopingLinksDoNotHang) {
    WritePhoto("target.jpg", "2020:01:02 03:04:05");
    fs::create_symlink(folder_ / "target.jpg", folder_ / "link.jpg");
    fs::create_symlink(folder_ / "nowhere.jpg", folder_ / "dangling.jpg");
    fs::create_symlink(folder_ / "loop2", folder_ / "loop1");
    fs::create_symlink(folder_ / "loop1", folder_ / "loop2");
    PictureList pictures;
    pictures.Scan(folder_.Path());
    ASSERT_EQ(pictures.GetCount(), 5u);
    EXPECT_EQ(pictures[1].FileName, "link.jpg");
    EXPECT_EQ(pictures[1].TakenTime, TimeValue(2020, 1, 2, 3, 4, 5));
    EXPECT_EQ(pictures[0].FileName, "dangling.jpg");
    EXPECT_NE(pictures[0].TakenTime, TimeValue()) << "the link's own time";
}

TEST_F(PictureScanTest, EmptyUnreadableAndSpecialFilesGetARecordEach) {
    Touch("empty.jpg");
    Touch("locked.jpg", "\xFF\xD8\xFF\xE1");
    chmod((folder_ / "locked.jpg").c_str(), 0);
    ASSERT_EQ(mkfifo((folder_ / "pipe.jpg").c_str(), 0644), 0);
    EXPECT_EQ(ScannedNames(), (std::vector<std::string>{"empty.jpg", "locked.jpg", "pipe.jpg"}));
}

TEST_F(PictureScanTest, OddNamesSurviveAsTheyAre) {
    std::vector<std::string> names{"a,b.jpg", "quote\"d.jpg", "with space.jpg", "写真 1.jpg", "\xFF\xFE latin1 \xE9.jpg"};
    for (const std::string& name : names) WritePhoto(name, "2021:02:03 04:05:06");
    PictureList pictures;
    pictures.Scan(folder_.Path());
    ASSERT_EQ(pictures.GetCount(), names.size());
    for (const PictureRecord& record : pictures) {
        EXPECT_NE(std::find(names.begin(), names.end(), record.FileName), names.end()) << record.FileName;
        EXPECT_EQ(record.TakenTime, TimeValue(2021, 2, 3, 4, 5, 6)) << record.FileName;
    }
}

TEST_F(PictureScanTest, TenThousandFilesAreAllListedInOrder) {
    for (int i = 0; i < 10000; ++i) Touch("IMG_" + std::to_string((i * 7919) % 10000) + (i % 2 ? ".jpg" : ".JPG"));
    std::vector<std::string> names = ScannedNames();
    ASSERT_EQ(names.size(), 10000u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), DirectoryOrderLess));
}

TEST_F(PictureScanTest, NoFolderGivesNoRecords) {
    PictureList pictures;
    pictures.Scan("");
    pictures.Scan(folder_ / "missing");
    Touch("file.jpg");
    pictures.Scan(folder_ / "file.jpg");
    EXPECT_TRUE(pictures.IsEmpty());
}

TEST_F(PictureScanTest, LoadPicturesReplacesTheList) {
    Touch("one.jpg");
    PictureList pictures;
    pictures.Scan(folder_.Path());
    pictures.Scan(folder_.Path());
    EXPECT_EQ(pictures.GetCount(), 2u) << "Scan appends";
    pictures.LoadPictures(folder_.Path());
    EXPECT_EQ(pictures.GetCount(), 1u);
}

TEST(DirectoryOrderTest, FoldsOnlyAsciiLettersAndBreaksTiesByBytes) {
    EXPECT_TRUE(DirectoryOrderLess("a", "B"));
    EXPECT_TRUE(DirectoryOrderLess("Z", "_"));
    EXPECT_TRUE(DirectoryOrderLess("z", "_"));
    EXPECT_TRUE(DirectoryOrderLess("A", "a"));
    EXPECT_FALSE(DirectoryOrderLess("a", "A"));
    EXPECT_FALSE(DirectoryOrderLess("a", "a"));
    EXPECT_TRUE(DirectoryOrderLess("abc", "ABCD"));
    EXPECT_TRUE(DirectoryOrderLess("z", "\xC3\xA9"));  // bytes above ASCII come last
}

}  // namespace
}  // namespace trackalbum
