#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "photos/PictureList.h"
#include "photos/photo_test_support.h"
#include "platform/DirectoryListing.h"
#include "platform/FileTimes.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using test::WriteFile;
const std::string Samples = std::string(SOURCE_DIR) + "/examples/photos/";

class PictureScanTest : public ::testing::Test {
protected:
    const test::ScopedTimeZone zone_{"Asia/Tokyo"};
    test::ScratchFolder folder_;
    PictureList pictures_;
};

TEST_F(PictureScanTest, TakesEveryFileWithItsExifOrFileTime) {
    fs::copy_file(Samples + "IMG_0001.jpg", folder_ / "a.jpg");
    fs::copy_file(Samples + "IMG_0012.jpg", folder_ / "b.jpg");  // a camera clock never set
    WriteFile(folder_ / "memo.txt", "not a photo");
    WriteFile(folder_ / ".hidden.jpg", "");
    WriteFile(folder_ / "locked.jpg", "\xFF\xD8\xFF\xE1");
    chmod((folder_ / "locked.jpg").c_str(), 0);
    ASSERT_EQ(mkfifo((folder_ / "pipe.jpg").c_str(), 0644), 0);
    fs::create_directory(folder_ / "folder.jpg");
    fs::create_directory_symlink(folder_ / "folder.jpg", folder_ / "link-to-folder");
    fs::create_symlink(folder_ / "a.jpg", folder_ / "link.jpg");
    fs::create_symlink(folder_ / "nowhere.jpg", folder_ / "dangling.jpg");
    fs::create_symlink(folder_ / "loop2", folder_ / "loop1");
    fs::create_symlink(folder_ / "loop1", folder_ / "loop2");
    FileTimes born;
    ASSERT_TRUE(ReadFileTimes(folder_ / "memo.txt", born));
    // Last written before its birth: that time; in the future: the birth time, where kept.
    const timespec past[2] = {{1200000000, 0}, {1200000000, 0}}, future[2] = {{4000000000, 0}, {4000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, (folder_ / "b.jpg").c_str(), past, 0) + utimensat(AT_FDCWD, (folder_ / "memo.txt").c_str(), future, 0), 0);

    pictures_.Scan(folder_.Path());
    std::string names;
    for (const PictureRecord& record : pictures_) names += record.FileName + " ";
    ASSERT_EQ(names, "a.jpg b.jpg dangling.jpg link.jpg locked.jpg loop1 loop2 memo.txt pipe.jpg ");
    EXPECT_EQ(pictures_[0].TakenTime, TimeValue(2026, 5, 17, 9, 20, 0));
    EXPECT_EQ(pictures_[1].TakenTime, TimeValue(1200000000));
    EXPECT_NE(pictures_[2].TakenTime, TimeValue()) << "the link's own time";
    EXPECT_EQ(pictures_[3].TakenTime, pictures_[0].TakenTime);
    EXPECT_EQ(pictures_[7].TakenTime, TimeValue(born.birth.value_or(4000000000)));
}

TEST_F(PictureScanTest, ListsManyAndOddNamesWithLettersFoldedToUpperCase) {
    // The fold direction puts [ \ ] ^ _ and the backquote after the letters; ties go by bytes.
    const std::vector<std::string> ordered{"10.jpg", "9.jpg", "A", "a", "A.jpg", "a.jpg", "b", "Z", "[", "_x", "`q"};
    for (auto name = ordered.rbegin(); name != ordered.rend(); ++name) WriteFile(folder_ / *name, "");
    pictures_.Scan(folder_.Path());
    for (size_t i = 0; i < ordered.size(); ++i) EXPECT_EQ(pictures_[i].FileName, ordered[i]);

    const std::vector<std::string> odd{"a,b.jpg", "quote\"d.jpg", "with space.jpg", "写真 1.jpg", "\xFF\xFE \xE9.jpg"};
    for (const std::string& name : odd) fs::copy_file(Samples + "IMG_0001.jpg", folder_ / name);
    for (int i = 0; i < 10000; ++i) WriteFile(folder_ / ("IMG_" + std::to_string(i * 7919 % 10000) + (i % 2 ? ".jpg" : ".JPG")), "");
    pictures_.LoadPictures(folder_.Path());
    ASSERT_EQ(pictures_.GetCount(), ordered.size() + odd.size() + 10000);
    size_t oddWithTime = 0;
    for (size_t i = 0; i < pictures_.GetCount(); ++i) {
        EXPECT_TRUE(i == 0 || DirectoryOrderLess(pictures_[i - 1].FileName, pictures_[i].FileName));
        oddWithTime += std::count(odd.begin(), odd.end(), pictures_[i].FileName) && pictures_[i].TakenTime == TimeValue(2026, 5, 17, 9, 20, 0);
    }
    EXPECT_EQ(oddWithTime, odd.size());
    // No folder, or one that cannot be read, adds nothing.
    pictures_.RemoveAllPictures();
    for (const fs::path& folder : {fs::path(), folder_ / "missing", folder_ / "a.jpg"}) pictures_.Scan(folder);
    EXPECT_TRUE(pictures_.IsEmpty());
}

}  // namespace
}  // namespace trackalbum
