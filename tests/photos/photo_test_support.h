#pragma once
// Whole files, the scratch folder, the time zone; records made by name.
#include <stdlib.h>
#include <time.h>

#include "photos/PictureRecord.h"
#include "support/ScratchFolder.h"

namespace trackalbum::test {

inline void SetTimeZone(const char* zone) { setenv("TZ", zone, 1), tzset(); }
inline PictureRecord NamedRecord(const std::string& name, const std::string& comment = "") {
    PictureRecord record;
    record.FileName = name, record.Comment = comment;
    return record;
}

}  // namespace trackalbum::test
