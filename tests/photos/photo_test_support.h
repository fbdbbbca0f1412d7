#pragma once
// Records made by name, the scratch folder and the time zone.
#include "photos/PictureRecord.h"
#include "support/ScratchFolder.h"
#include "support/TimeZone.h"

namespace trackalbum::test {

inline PictureRecord NamedRecord(const std::string& name, const std::string& comment = "") {
    PictureRecord record;
    record.FileName = name, record.Comment = comment;
    return record;
}

}  // namespace trackalbum::test
