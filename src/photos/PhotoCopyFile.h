#pragma once
// The file operations of the photo copy. Targets are written under a temporary name in
// their own folder and renamed over the old file, so a failed or interrupted write never
// leaves a half-written photo where a good one stood.
#include <string>

namespace trackalbum {

// Copies `source` byte for byte to `target`, replacing an existing target. Only a regular
// file is opened (a pipe or device in the photo folder could block or never end). False
// when it cannot be read or the target cannot be written; the old target then stays.
bool CopyFileReplacing(const std::string& source, const std::string& target);

// True when the path names a regular file (after following links).
bool IsRegularFile(const std::string& path);

// True when both paths exist and name the same file.
bool IsSameFile(const std::string& first, const std::string& second);

// `folder` + "/" + `name`, without doubling a separator; just `name` for an empty folder.
std::string JoinPhotoPath(const std::string& folder, const std::string& name);

}  // namespace trackalbum
