#include "pipeline/PictureListPage.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

TEST(PictureListPageTest, RowsAndCommentsGoToThePhotoTheEditBeganOn) {
    PictureList pictures;
    for (const char* name : {"early.jpg", "placed.jpg"}) {
        pictures.AddTail(PictureRecord());
        pictures[pictures.GetCount() - 1].SetFileName(name);
    }
    pictures[1].SetPosition(35.5, 139.25);
    PictureListPage page;
    page.RefillPictureList("/photos", pictures);
    const auto& rows = page.GetRows();
    EXPECT_EQ(rows[0].Longitude + "|" + rows[1].Longitude + "|" + rows[1].Latitude, "|139.250000|35.500000");
    EXPECT_EQ(page.GetPicturePath(1), "/photos/placed.jpg");
    page.BeginEdit(1);
    EXPECT_TRUE(page.CommitComment("abc"));
    EXPECT_EQ(rows[1].Comment + pictures[1].GetComment() + pictures[0].GetComment(), "abcabc");
    // The folder was rescanned behind the list's back: the edit is dropped, not misplaced.
    pictures.RemoveAllPictures();
    pictures.AddTail(PictureRecord());
    pictures.AddTail(PictureRecord());
    EXPECT_FALSE(page.CommitComment("typed for placed.jpg"));
    EXPECT_EQ(pictures[1].GetComment(), "");
}

}  // namespace
}  // namespace trackalbum
