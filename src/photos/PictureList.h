#pragma once
// The photos of one folder, in the order the folder was enumerated; never re-sorted.
#include <cstddef>
#include <string>
#include <vector>

#include "photos/PictureRecord.h"

namespace trackalbum {

class PictureList {
public:
    using iterator = std::vector<PictureRecord>::iterator;
    using const_iterator = std::vector<PictureRecord>::const_iterator;
    iterator begin() { return records_.begin(); }
    iterator end() { return records_.end(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }
    size_t GetCount() const { return records_.size(); }
    bool IsEmpty() const { return records_.empty(); }
    const PictureRecord& GetHead() const { return records_.front(); }
    PictureRecord& operator[](size_t index) { return records_[index]; }
    const PictureRecord& operator[](size_t index) const { return records_[index]; }

    void AddTail(PictureRecord record) { records_.push_back(std::move(record)); }
    void RemoveAllPictures() { records_.clear(); }

    // Appends one record per file of the folder (not folders, not names starting with ".").
    // An empty folder string, or a folder that cannot be read, adds nothing.
    void Scan(const std::string& folder);
    // Empties the list and scans the folder into it.
    void LoadPictures(const std::string& folder) {
        RemoveAllPictures();
        Scan(folder);
    }

private:
    std::vector<PictureRecord> records_;
};

}  // namespace trackalbum
