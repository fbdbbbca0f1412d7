#include "pipeline/PictureListPage.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

namespace trackalbum {
namespace {

class PictureListPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Tokyo", 1);
        tzset();
        pictures.AddTail(Record("early.jpg", TimeValue(2006, 5, 3, 9, 0, 0)));
        PictureRecord placed = Record("placed.jpg", TimeValue(2006, 5, 3, 10, 4, 5));
        placed.SetPosition(35.5, 139.25);
        pictures.AddTail(placed);
        page.RefillPictureList("/photos", pictures);
    }
    static PictureRecord Record(const std::string& name, TimeValue taken) {
        PictureRecord record;
        record.SetFileName(name);
        record.SetTakenTime(taken);
        return record;
    }

    PictureList pictures;
    PictureListPage page;
};

TEST_F(PictureListPageTest, RowsShowTakenTimeAndLongitudeBeforeLatitude) {
    ASSERT_EQ(page.GetRows().size(), 2u);
    const PictureListRow& unplaced = page.GetRows()[0];
    EXPECT_FALSE(unplaced.Placed);
    EXPECT_EQ(unplaced.TakenTime, "2006/05/03 09:00:00");
    EXPECT_EQ(unplaced.Longitude, "");
    EXPECT_EQ(unplaced.Latitude, "");
    const PictureListRow& placed = page.GetRows()[1];
    EXPECT_TRUE(placed.Placed);
    EXPECT_EQ(placed.Longitude, "139.250000");
    EXPECT_EQ(placed.Latitude, "35.500000");
    EXPECT_EQ(page.GetPicturePath(1), "/photos/placed.jpg");
    EXPECT_EQ(page.GetPicturePath(2), "");
}

TEST_F(PictureListPageTest, CommentGoesToTheRowThatWasCurrentWhenEditingBegan) {
    page.BeginEdit(1);
    EXPECT_TRUE(page.CommitComment("abc"));
    EXPECT_EQ(page.GetRows()[1].Comment, "abc");
    EXPECT_EQ(pictures[1].GetComment(), "abc");
    EXPECT_EQ(pictures[0].GetComment(), "");

    page.BeginEdit(-1);
    EXPECT_FALSE(page.CommitComment("lost"));
}

TEST_F(PictureListPageTest, EditForAPhotoRescannedAwayIsDropped) {
    page.BeginEdit(1);
    pictures.RemoveAllPictures();
    pictures.AddTail(Record("other.jpg", TimeValue(0)));
    pictures.AddTail(Record("another.jpg", TimeValue(0)));
    EXPECT_FALSE(page.CommitComment("typed for placed.jpg"));
    EXPECT_EQ(pictures[1].GetComment(), "");
}

}  // namespace
}  // namespace trackalbum
