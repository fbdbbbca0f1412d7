#include "pipeline/PictureListPage.h"

namespace trackalbum {

void PictureListPage::RefillPictureList(const std::string& folder, PictureList& pictures) {
    rows_ = BuildPictureListRows(pictures);
    pictures_ = &pictures;
    folderPrefix_ = folder + "/";
}

std::string PictureListPage::GetPicturePath(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= rows_.size()) return "";
    return folderPrefix_ + rows_[static_cast<size_t>(index)].FileName;
}

bool PictureListPage::CommitComment(const std::string& text) {
    if (editIndex_ < 0 || static_cast<size_t>(editIndex_) >= rows_.size() || pictures_ == nullptr) return false;
    const auto index = static_cast<size_t>(editIndex_);
    PictureListRow& row = rows_[index];
    if (index >= pictures_->GetCount() || (*pictures_)[index].GetFileName() != row.FileName) return false;
    row.Comment = text;
    (*pictures_)[index].SetComment(text);
    return true;
}

}  // namespace trackalbum
