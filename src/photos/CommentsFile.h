#pragma once
// The per-photo comments, kept beside the outputs as "<base>.csv", one "name,comment" line
// per photo.
#include <string>

#include "photos/PictureList.h"

namespace trackalbum {

std::string GetCommentsPath(const std::string& gpsFile);

class CommentsFile {
public:
    // Stores the comments of the list into the comments file of the GPS file whose
    // comments were last read into it; nothing for an empty list.
    void WriteComments(const PictureList& pictures, const std::string& gpsFile);
    // Gives the list the comments stored for the GPS file and remembers that file.
    void ReadComments(PictureList& pictures, const std::string& gpsFile);

private:
    std::string readFrom_;  // the GPS file whose comments the current list holds
};

}  // namespace trackalbum
