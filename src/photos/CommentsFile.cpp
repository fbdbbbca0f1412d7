#include "photos/CommentsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "platform/Errors.h"
#include "platform/OutputPaths.h"
#include "platform/ShiftJis.h"

namespace trackalbum {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Shift-JIS when every name and comment has a Shift-JIS form that reads back the same,
// else UTF-8 behind a byte-order mark, so that no text is ever changed or lost.
std::string EncodeComments(const PictureList& pictures) {
    std::string utf8;
    for (const PictureRecord& record : pictures) {
        utf8 += record.FileName;
        utf8 += ',';
        utf8 += record.Comment;
        utf8 += "\r\n";
    }
    std::string shiftJis;
    if (EncodeShiftJis(utf8, shiftJis) && DecodeShiftJis(shiftJis) == utf8) return shiftJis;
    return std::string(Utf8Bom) + utf8;
}

bool FileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

[[noreturn]] void RaiseFileError(const std::string& path, const char* what, int error) {
    throw FileError(path, std::string(what) + " " + path + ": " + std::generic_category().message(error));
}

// Writes a new file beside the old one and renames it over it, so that a failed write
// leaves the old comments intact.
void ReplaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + "." + std::to_string(getpid()) + ".tmp";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) RaiseFileError(path, "ファイルを作成できません:", errno);
    size_t done = 0;
    int error = 0;
    while (done < content.size()) {
        ssize_t written = write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = written < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(written);
    }
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        RaiseFileError(path, "ファイルに書き込めません:", error);
    }
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        content.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    return true;
}

// Gives each line's comment to the first record of its name. The name is the longest
// record name that the line starts with, followed by a comma, so names holding commas come
// back too; for other names that is the text before the first comma.
void ApplyLines(PictureList& pictures, std::string_view text) {
    std::unordered_map<std::string_view, size_t> firstByName;
    size_t longestName = 0;
    for (size_t i = 0; i < pictures.GetCount(); ++i) {
        firstByName.try_emplace(pictures[i].FileName, i);
        longestName = std::max(longestName, pictures[i].FileName.size());
    }
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
        text.remove_prefix(std::min(text.size(), text.find_first_not_of("\r\n")));
        // A zero byte is no text: the line ends there.
        line = line.substr(0, line.find('\0'));
        size_t comma = line.rfind(',', longestName);
        while (comma != std::string_view::npos) {
            auto found = firstByName.find(line.substr(0, comma));
            if (found != firstByName.end()) {
                pictures[found->second].Comment = std::string(line.substr(comma + 1));
                break;
            }
            if (comma == 0) break;
            comma = line.rfind(',', comma - 1);
        }
    }
}

}  // namespace

std::string GetCommentsPath(const std::string& gpsFile) { return GetOutputBaseName(gpsFile) + ".csv"; }

void CommentsFile::WriteComments(const PictureList& pictures, const std::string& gpsFile) {
    if (pictures.IsEmpty()) return;
    std::string target = readFrom_;
    if (target.empty()) {
        // The list holds no file's comments (it was scanned without a GPS file): they go
        // to the given GPS file only while that one has no comments file to lose.
        if (gpsFile.empty() || FileExists(GetCommentsPath(gpsFile))) return;
        target = gpsFile;
        readFrom_ = gpsFile;
    }
    ReplaceFile(GetCommentsPath(target), EncodeComments(pictures));
}

void CommentsFile::ReadComments(PictureList& pictures, const std::string& gpsFile) {
    readFrom_ = gpsFile;
    if (gpsFile.empty()) return;
    std::string content;
    if (!ReadWholeFile(GetCommentsPath(gpsFile), content)) return;
    std::string_view bytes = content;
    if (bytes.substr(0, Utf8Bom.size()) == Utf8Bom) {
        // Kept byte for byte, so names that are not UTF-8 still match.
        ApplyLines(pictures, bytes.substr(Utf8Bom.size()));
    } else {
        ApplyLines(pictures, DecodeShiftJis(bytes));
    }
}

}  // namespace trackalbum
