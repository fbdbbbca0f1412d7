#include "shell/CPagePictureList.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <wx/uiaction.h>

#include "ShellTestSupport.h"
#include "image/Image.h"
#include "shell/CPictureView.h"
#include "shell/CThumbnailCtrl.h"
#include "shell/ShellText.h"

namespace trackalbum {
namespace {

class PagePictureListTest : public ::testing::Test {
protected:
    void SetUp() override {
        SavePhoto("wide.jpg", 640, 480);
        SavePhoto("tall.jpg", 480, 640);
        test::WriteFile(folder + "/broken.jpg", "not a photo");
        for (const char* name : {"wide.jpg", "tall.jpg", "broken.jpg"}) {
            PictureRecord record;
            record.SetFolder(folder);
            record.SetFileName(name);
            record.SetTakenTime(TimeValue(2024, 5, 1, 10, pictures.GetCount(), 0));
            pictures.AddTail(record);
        }
        pictures[1].SetPosition(35.5, 139.25);
        pictures[2].SetComment("既に");
        page = ShowInFrame<CPagePictureList>(frame, [this](wxWindow* parent) {
            return new CPagePictureList(parent, model);
        });
        page->Refill(folder, pictures);
        list = page->GetPictureView();
        edit = page->GetCommentEdit();
    }
    void TearDown() override { frame->Destroy(); }

    void SavePhoto(const char* name, int width, int height) {
        Image photo;
        ASSERT_TRUE(photo.Create(width, height, 24));
        photo.FillRect(0, 0, width / 2, height, Rgb{200, 30, 30});
        ASSERT_EQ(photo.Save(folder + "/" + name), ImageStatus::Ok);
    }
    // A click on another row: the selection moves, and the page shows it once it has
    // settled, decoding its photo.
    void Select(int row) {
        const int decodes = page->GetDecodeCount();
        list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        EXPECT_TRUE(PumpUntil([&] { return page->GetDecodeCount() > decodes; }, 5000));
    }
    // A click into the edit, as the user gives it the keyboard.
    void FocusEdit() {
        frame->Raise();
        ASSERT_TRUE(ClickInto(edit));
    }
    std::string Cell(int row, int column) { return ToUtf8(list->GetItemText(row, column)); }

    const test::ScratchFolder scratch;
    const std::string folder = scratch.Path();
    PictureList pictures;
    PictureListPage model;
    wxFrame* frame = nullptr;
    CPagePictureList* page = nullptr;
    CPictureView* list = nullptr;
    wxTextCtrl* edit = nullptr;
};

TEST_F(PagePictureListTest, RowsShowNamesCommentsTimesAndPositionsWithTheirCheckBoxes) {
    std::vector<std::string> headings;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        list->GetColumn(column, item);
        headings.push_back(ToUtf8(item.GetText()));
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"ファイル名", "コメント", "撮影日", "経度", "緯度"}));
    ASSERT_EQ(list->GetItemCount(), 3);
    auto row = [&](int index) {
        wxListItem item;
        item.SetId(index);
        item.SetMask(wxLIST_MASK_IMAGE);
        list->GetItem(item);
        return std::to_string(item.GetImage()) + " " + Cell(index, 0) + "|" + Cell(index, 1) + "|" + Cell(index, 2) +
               "|" + Cell(index, 3) + "|" + Cell(index, 4);
    };
    EXPECT_EQ(row(0), "0 wide.jpg||2024/05/01 10:00:00||");
    EXPECT_EQ(row(1), "1 tall.jpg||2024/05/01 10:01:00|139.250000|35.500000");
    EXPECT_EQ(row(2), "0 broken.jpg|既に|2024/05/01 10:02:00||");
    // Nothing is selected after a fill: the edit waits for a photo.
    EXPECT_EQ(list->GetSelectedItemCount(), 0);
    EXPECT_FALSE(edit->IsEnabled());
    EXPECT_EQ(page->GetDecodeCount(), 0);
}

TEST_F(PagePictureListTest, ColumnsFillTheListAfterADividerDrag) {
    list->SetColumnWidth(0, 3 * list->GetColumnWidth(1));
    wxListEvent drag(wxEVT_LIST_COL_END_DRAG, list->GetId());
    drag.SetEventObject(list);
    list->ProcessWindowEvent(drag);
    // Integer shares may leave a pixel a column unused.
    auto filled = [&] {
        int sum = 0;
        for (int column = 0; column < list->GetColumnCount(); ++column) sum += list->GetColumnWidth(column);
        const int width = list->GetClientSize().GetWidth();
        return sum <= width && sum >= width - list->GetColumnCount();
    };
    EXPECT_TRUE(PumpUntil(filled));
    EXPECT_NEAR(list->GetColumnWidth(0), 3 * list->GetColumnWidth(1), 3);
}

TEST_F(PagePictureListTest, ThumbnailIsDecodedOncePerSelectionInItsShape) {
    Select(1);
    const CThumbnailCtrl* thumbnail = page->GetThumbnailCtrl();
    EXPECT_EQ(thumbnail->GetSize(), wxSize(79, 104));
    // Left half red, right half black, sampled pixel by pixel.
    const wxImage shown = thumbnail->GetThumbnail().ConvertToImage();
    EXPECT_GT(shown.GetRed(10, 50), 150);
    EXPECT_LT(shown.GetRed(60, 50), 50);
    EXPECT_EQ(page->GetDecodeCount(), 1);
    for (int i = 0; i < 3; ++i) {
        frame->Refresh();
        frame->Update();  // paints at once
    }
    EXPECT_EQ(page->GetDecodeCount(), 1);

    Select(0);
    EXPECT_EQ(thumbnail->GetSize(), wxSize(104, 79));
    // A file that is no photo empties the field rather than leaving the last photo there.
    Select(2);
    EXPECT_FALSE(thumbnail->GetThumbnail().IsOk());
    EXPECT_EQ(thumbnail->GetSize(), wxSize(104, 104));
    EXPECT_EQ(ToUtf8(edit->GetValue()), "既に");
    EXPECT_EQ(page->GetDecodeCount(), 3);
}

TEST_F(PagePictureListTest, TypedCommentIsStoredOneSecondAfterTheLastKey) {
    Select(0);
    FocusEdit();
    wxUIActionSimulator keys;
    keys.Text("abc");
    ASSERT_TRUE(PumpUntil([&] { return edit->GetValue() == "abc"; }, 5000));
    const auto typed = std::chrono::steady_clock::now();
    EXPECT_EQ(pictures[0].GetComment(), "");
    ASSERT_TRUE(PumpUntil([&] { return pictures[0].GetComment() == "abc"; }, 10000));
    // Not at the keystroke: once the user has paused for the commit delay.
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - typed);
    EXPECT_GE(waited.count(), CPagePictureList::CommitDelayMs - 100);
    EXPECT_EQ(Cell(0, 1), "abc");
    EXPECT_TRUE(edit->HasFocus());
}

TEST_F(PagePictureListTest, CommentGoesToThePhotoItWasTypedFor) {
    Select(0);
    FocusEdit();
    Type(edit, "typed for wide");
    // Clicking another photo leaves the edit: the text is stored at once, on the first photo.
    list->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return list->HasFocus(); }));
    Select(2);
    EXPECT_EQ(pictures[0].GetComment(), "typed for wide");
    EXPECT_EQ(pictures[2].GetComment(), "既に");
    EXPECT_EQ(ToUtf8(edit->GetValue()), "既に");

    // Apply or the photo button read the page while a comment is pending: it is stored,
    // and the list built from the rescanned records starts without a selection.
    FocusEdit();
    Type(edit, "before rescan");
    page->CommitPendingComment();
    EXPECT_EQ(pictures[2].GetComment(), "before rescan");
    PictureList rescanned = pictures;
    page->Refill(folder, rescanned);
    // Nothing of the old edit may arrive later: a commit would have come within the delay.
    Pump(CPagePictureList::CommitDelayMs + 100);
    EXPECT_EQ(rescanned[2].GetComment(), "before rescan");
    EXPECT_FALSE(edit->IsEnabled());
    EXPECT_EQ(edit->GetValue(), "");
}

}  // namespace
}  // namespace trackalbum
