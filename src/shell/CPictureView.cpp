#include "shell/CPictureView.h"

#include <vector>

#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/imaglist.h>

#include "pipeline/ColumnWidths.h"
#include "shell/ShellText.h"

namespace trackalbum {
namespace {

constexpr int ImageWidth = 11;
constexpr int ImageHeight = 13;

// An 11 x 13 check box: '#' its frame, 'x' the tick, '.' its white inside, ' ' transparent.
const char* const EmptyBox[ImageHeight] = {
    "           ", "           ", "#########  ", "#.......#  ", "#.......#  ", "#.......#  ", "#.......#  ",
    "#.......#  ", "#.......#  ", "#.......#  ", "#########  ", "           ", "           ",
};
const char* const TickedBox[ImageHeight] = {
    "           ", "           ", "#########  ", "#.......#  ", "#.....x.#  ", "#....xx.#  ", "#x..xxx.#  ",
    "#xxxxx..#  ", "#.xxx...#  ", "#..x....#  ", "#########  ", "           ", "           ",
};

wxBitmap DrawBox(const char* const rows[ImageHeight]) {
    wxImage image(ImageWidth, ImageHeight);
    image.InitAlpha();
    for (int y = 0; y < ImageHeight; ++y) {
        for (int x = 0; x < ImageWidth; ++x) {
            switch (rows[y][x]) {
            case '#': image.SetRGB(x, y, 128, 128, 128); image.SetAlpha(x, y, 255); break;
            case 'x': image.SetRGB(x, y, 0, 0, 0); image.SetAlpha(x, y, 255); break;
            case '.': image.SetRGB(x, y, 255, 255, 255); image.SetAlpha(x, y, 255); break;
            default: image.SetAlpha(x, y, 0); break;
            }
        }
    }
    return wxBitmap(image);
}

}  // namespace

CPictureView::CPictureView(wxWindow* parent, wxWindowID id)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL, wxDefaultValidator,
                 "PictureView") {
    // A divider drag ends before the control has taken the new width; fit afterwards.
    Bind(wxEVT_LIST_COL_END_DRAG, [this](wxListEvent& event) {
        event.Skip();
        CallAfter(&CPictureView::ResizeColumns);
    });
    // The page is laid out after the list is made: fit once the list has its real width.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        CallAfter(&CPictureView::ResizeColumns);
    });
}

void CPictureView::SetupColumns() {
    for (const char* heading : {"ファイル名", "コメント", "撮影日", "経度", "緯度"})
        AppendColumn(U8(heading), wxLIST_FORMAT_LEFT, wxLIST_DEFAULT_COL_WIDTH);
    auto* images = new wxImageList(ImageWidth, ImageHeight, true, 2);
    images->Add(DrawBox(EmptyBox));
    images->Add(DrawBox(TickedBox));
    AssignImageList(images, wxIMAGE_LIST_SMALL);
    ResizeColumns();
}

void CPictureView::ResizeColumns() {
    std::vector<int> widths;
    for (int column = 0; column < GetColumnCount(); ++column) widths.push_back(GetColumnWidth(column));
    const std::vector<int> fitted = FitColumnWidths(widths, GetClientSize().GetWidth());
    for (size_t column = 0; column < fitted.size(); ++column)
        if (fitted[column] != widths[column]) SetColumnWidth(static_cast<int>(column), fitted[column]);
}

}  // namespace trackalbum
