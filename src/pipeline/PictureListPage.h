#pragma once
// The picture list page's values without any window: the rows Apply fills, the folder the
// thumbnails are loaded from, and the comment being edited.
#include <string>
#include <vector>

#include "photos/PictureList.h"
#include "pipeline/PictureListRows.h"

namespace trackalbum {

class PictureListPage {
public:
    // Rebuilds the rows from the list and remembers it for the comment edits.
    void RefillPictureList(const std::string& folder, PictureList& pictures);

    const std::vector<PictureListRow>& GetRows() const { return rows_; }
    const std::string& GetFolderPrefix() const { return folderPrefix_; }
    // The photo file of a row, for the thumbnail; "" for no such row.
    std::string GetPicturePath(int index) const;

    // The edit took the focus while `index` was the list's current row (-1 for none).
    void BeginEdit(int index) { editIndex_ = index; }
    int GetEditIndex() const { return editIndex_; }
    // Stores the text as the comment of the row being edited and of its photo. An edit
    // whose photo is no longer in the list (the folder was rescanned meanwhile) is dropped
    // rather than given to another photo; returns whether it was stored.
    bool CommitComment(const std::string& text);

private:
    std::vector<PictureListRow> rows_;
    PictureList* pictures_ = nullptr;
    std::string folderPrefix_;
    int editIndex_ = 0;
};

}  // namespace trackalbum
