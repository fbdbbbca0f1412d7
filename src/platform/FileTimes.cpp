#include "platform/FileTimes.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace trackalbum {

bool ReadFileTimes(const std::string& path, FileTimes& times) {
    struct statx info {};
    const unsigned mask = STATX_MTIME | STATX_BTIME;
    if (statx(AT_FDCWD, path.c_str(), 0, mask, &info) != 0 &&
        statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, mask, &info) != 0) {
        return false;
    }
    times.lastWrite = info.stx_mtime.tv_sec;
    times.birth.reset();
    if (info.stx_mask & STATX_BTIME) times.birth = info.stx_btime.tv_sec;
    return true;
}

}  // namespace trackalbum
