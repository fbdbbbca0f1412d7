#pragma once
// The per-photo comments, kept beside the outputs as "<base>.csv", one "name,comment" line
// per photo, in Shift-JIS, or in UTF-8 behind a byte-order mark when some text has no
// Shift-JIS form.
#include <string>

#include "photos/PictureList.h"

namespace trackalbum {

// The GPS file's name without folder and without a trailing ".gpx" (any case), + ".csv",
// in the current directory.
std::string GetCommentsPath(const std::string& gpsFile);

class CommentsFile {
public:
    // Stores the comments of the list into the comments file of the GPS file whose
    // comments were last read into it; nothing for an empty list. A list that holds no
    // file's comments is stored for `gpsFile` only when that file has no comments file
    // yet. The old file is replaced only by a complete new one; raises FileError.
    void WriteComments(const PictureList& pictures, const std::string& gpsFile);
    // Gives the list the comments stored for the GPS file and remembers that file.
    void ReadComments(PictureList& pictures, const std::string& gpsFile);

private:
    std::string readFrom_;  // the GPS file whose comments the current list holds
};

}  // namespace trackalbum
