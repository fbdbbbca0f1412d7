// Times the scan of a folder of 1,000 JPEGs (warm cache) against two command-line EXIF
// readers asked for the taken time over the same folder in the same run; with --heif, also
// the scan of 1,000 HEIF pictures copied round-robin from that folder.
//   photo_scan_bench WORK-FOLDER SOURCE-FOLDER... [--count N] [--heif FOLDER]
// The JPEG files of the source folders are copied round-robin into WORK-FOLDER (emptied
// first) as IMG_00001.jpg and so on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <fstream>
#include <string>
#include <vector>

#include "photos/PictureList.h"
#include "platform/CFormat.h"

using namespace trackalbum;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool IsJpegName(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return ext == ".jpg" || ext == ".jpeg";
}

// Reads every file once, so that all readers meet a warm cache.
void WarmCache(const std::string& folder) {
    std::vector<char> buffer(1 << 16);
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()))) {
        }
    }
}

// Median wall time of a shell command, its output thrown away; negative when it fails.
double TimeCommand(const std::string& command, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        Clock::time_point start = Clock::now();
        int status = std::system((command + " >/dev/null 2>&1").c_str());
        double elapsed = MillisecondsSince(start);
        if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) == 127) return -1.0;
        times.push_back(elapsed);
    }
    return Median(times);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> sources;
    std::string work, heif;
    int count = 1000;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--count" && i + 1 < argc) count = std::atoi(argv[++i]);
        else if (arg == "--heif" && i + 1 < argc) heif = argv[++i];
        else if (work.empty()) work = arg;
        else sources.push_back(arg);
    }
    if (work.empty() || sources.empty() || count <= 0) {
        std::fprintf(stderr, "usage: photo_scan_bench WORK-FOLDER SOURCE-FOLDER... [--count N] [--heif FOLDER]\n");
        return 2;
    }
    std::vector<fs::path> jpegs;
    for (const std::string& source : sources) {
        for (const auto& entry : fs::directory_iterator(source)) {
            if (entry.is_regular_file() && IsJpegName(entry.path()) && entry.file_size() > 0) jpegs.push_back(entry.path());
        }
    }
    if (jpegs.empty()) {
        std::fprintf(stderr, "photo_scan_bench: no JPEG files in the source folders\n");
        return 1;
    }
    std::sort(jpegs.begin(), jpegs.end());
    fs::remove_all(work);
    fs::create_directories(work);
    uintmax_t bytes = 0;
    for (int i = 0; i < count; ++i) {
        const fs::path& from = jpegs[static_cast<size_t>(i) % jpegs.size()];
        fs::copy_file(from, fs::path(work) / FormatC("IMG_%05d.jpg", i + 1));
        bytes += fs::file_size(from);
    }
    WarmCache(work);
    std::printf("folder: %d JPEGs from %zu originals, %.1f MB\n", count, jpegs.size(), static_cast<double>(bytes) / 1e6);

    std::vector<double> scanTimes;
    size_t records = 0;
    for (int run = 0; run < 21; ++run) {
        Clock::time_point start = Clock::now();
        PictureList pictures;
        pictures.Scan(work);
        scanTimes.push_back(MillisecondsSince(start));
        records = pictures.GetCount();
    }
    const double scan = Median(scanTimes);
    std::printf("Scan:                                   %9.2f ms  (%zu records, median of 21)\n", scan, records);

    const double exiftool = TimeCommand("exiftool -fast2 -DateTimeOriginal -CreateDate -ModifyDate -GPSPosition '" + work + "'", 3);
    const double exiv2 = TimeCommand("exiv2 -g Exif.Photo.DateTimeOriginal -g Exif.Image.DateTime -g Exif.GPSInfo pr '" + work + "'/*", 3);
    auto report = [&](const char* name, double ms) {
        if (ms < 0) std::printf("%-40s not available\n", name);
        else std::printf("%-40s %9.2f ms  (median of 3)  Scan is %.1f times faster\n", name, ms, ms / scan);
    };
    report("exiftool -fast2 (three times, GPS):", exiftool);
    report("exiv2 (two times, GPS):", exiv2);
    fs::remove_all(work);
    if (heif.empty()) return 0;

    std::vector<fs::path> pictures;
    for (const auto& entry : fs::directory_iterator(heif)) {
        if (entry.is_regular_file()) pictures.push_back(entry.path());
    }
    std::sort(pictures.begin(), pictures.end());
    if (pictures.empty()) return 0;
    fs::create_directories(work);
    for (int i = 0; i < count; ++i) fs::copy_file(pictures[static_cast<size_t>(i) % pictures.size()], fs::path(work) / FormatC("IMG_%05d.heic", i + 1));
    WarmCache(work);
    std::vector<double> heifTimes;
    for (int run = 0; run < 5; ++run) {
        Clock::time_point start = Clock::now();
        PictureList list;
        list.Scan(work);
        heifTimes.push_back(MillisecondsSince(start));
    }
    std::printf("Scan of %d HEIF pictures (%zu originals): %9.2f ms  (median of 5)\n", count, pictures.size(), Median(heifTimes));
    fs::remove_all(work);
    return 0;
}
