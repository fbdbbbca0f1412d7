#include "photos/PictureList.h"

#include "platform/DirectoryListing.h"

namespace trackalbum {

void PictureList::Scan(const std::string& folder) {
    if (folder.empty()) return;
    for (const DirectoryEntry& entry : ListDirectory(folder)) {
        if (entry.isFolder || entry.isHidden) continue;
        PictureRecord record;
        record.Read(folder, entry.name);
        AddTail(std::move(record));
    }
}

}  // namespace trackalbum
