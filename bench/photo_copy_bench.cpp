// The photo copy's shrink over a folder of twelve-megapixel camera photos: the worker with
// one thread and with its pool of one thread per core, in the same run, the results checked
// to be the same bytes; then vipsthumbnail on the same photos, with its own threads and
// with one. Wall-clock time is what the user waits for, so that is the measure; the
// processor time and the load of the machine are printed beside it.
//
//   photo_copy_bench DATA_DIR [COUNT] [DISTINCT] [ROUNDS]
//
// With several rounds the two runs alternate and the fastest of each counts, which keeps
// a shared machine's other work from deciding the ratio.
// The photos are generated into DATA_DIR/photos when missing: DISTINCT different pictures,
// each file with an EXIF header of its own time, as a camera writes them.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "PhotoBenchPictures.h"
#include "PhotoCopyTiming.h"
#include "photos/ExifReader.h"
#include "photos/PhotoCopyPool.h"
#include "photos/PhotoCopyWorker.h"
#include "photos/PictureRecord.h"
#include "platform/CFormat.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using namespace trackalbum::bench;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int PhotoWidth = 4000;
constexpr int PhotoHeight = 3000;

// A landscape picture as a camera's JPEG (without its Exif segment).
Bytes EncodePicture(unsigned variant) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = PhotoWidth;
    info.image_height = PhotoHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    info.write_JFIF_header = FALSE;  // a camera writes its EXIF segment first instead
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(PhotoWidth * 3);
    LandscapePainter painter(PhotoWidth, PhotoHeight, variant);
    for (int y = 0; y < PhotoHeight; ++y) {
        painter.PaintRow(y, row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(memory, memory + size);
    std::free(memory);
    return bytes;
}

// An APP1 segment holding the Exif block.
Bytes ExifSegment(const std::string& dateTime) {
    const Bytes block = ExifBlock(dateTime);
    Bytes segment = {0xff, 0xe1, static_cast<uint8_t>((block.size() + 2) >> 8), static_cast<uint8_t>((block.size() + 2) & 0xff)};
    segment.insert(segment.end(), block.begin(), block.end());
    return segment;
}

std::vector<std::string> PreparePhotos(const fs::path& folder, int count, int distinct) {
    fs::create_directories(folder);
    std::vector<std::string> names;
    std::vector<Bytes> pictures;
    for (int i = 0; i < count; ++i) {
        const std::string name = FormatC("IMG_%04d.JPG", 1000 + i);
        names.push_back(name);
        if (fs::exists(folder / name)) continue;
        const size_t variant = static_cast<size_t>(i % distinct);
        if (pictures.size() <= variant) pictures.resize(variant + 1);
        if (pictures[variant].empty()) pictures[variant] = EncodePicture(static_cast<unsigned>(variant));
        const int seconds = 9 * 3600 + 45 * i;  // a walk: a photo every 45 seconds from 9:00
        Bytes file = {0xff, 0xd8};
        const Bytes exif = ExifSegment(FormatC("2024:05:03 %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60));
        file.insert(file.end(), exif.begin(), exif.end());
        file.insert(file.end(), pictures[variant].begin() + 2, pictures[variant].end());
        const fs::path temporary = folder / (name + ".part");
        std::ofstream(temporary, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        fs::rename(temporary, folder / name);
    }
    return names;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: photo_copy_bench DATA_DIR [COUNT] [DISTINCT] [ROUNDS]\n");
        return 2;
    }
    const fs::path data = fs::absolute(argv[1]);
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const int distinct = argc > 3 ? std::clamp(std::atoi(argv[3]), 1, count) : 8;
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 1;
    const fs::path photos = data / "photos";
    auto start = Clock::now();
    const std::vector<std::string> names = PreparePhotos(photos, count, distinct);
    std::printf("%d photos of %dx%d with EXIF times (%d distinct pictures) ready in %.1f s\n", count, PhotoWidth,
                PhotoHeight, distinct, std::chrono::duration<double>(Clock::now() - start).count());
    ExifReader exif;
    if (exif.Read((photos / names.back()).string()) != 1) Fail("the photos carry no EXIF time");
    // Warm the page cache, so both runs read from memory.
    size_t total = 0;
    for (const std::string& name : names) total += ReadAll(photos / name).size();
    const int pool = GetDefaultPhotoCopyThreads();
    std::printf("%.1f MB of photos; %d cores; load average %.1f before\n", total / 1e6, pool, LoadAverage());

    Timing one{1e300, 0};
    Timing many{1e300, 0};
    for (int round = 1; round <= rounds; ++round) {
        const Timing oneRound = TimePhotoCopy(photos, names, data / "out-1", 1);
        const Timing manyRound = TimePhotoCopy(photos, names, data / "out-pool", pool);
        if (rounds > 1) std::printf("round %d: 1 thread %.2f s, pool %.2f s\n", round, oneRound.Wall, manyRound.Wall);
        if (oneRound.Wall < one.Wall) one = oneRound;
        if (manyRound.Wall < many.Wall) many = manyRound;
    }
    PrintTiming("shrink, 1 thread", one, count);
    PrintTiming(FormatC("shrink, pool of %d threads", pool).c_str(), many, count,
          FormatC("  pool/one %.3f", many.Wall / one.Wall));
    for (const std::string& name : names) {
        if (ReadAll(data / "out-1" / name) != ReadAll(data / "out-pool" / name)) Fail(name + " differs between the runs");
    }
    std::printf("all %d results byte-identical; load average %.1f after\n", count, LoadAverage());

    if (std::getenv("PHOTO_COPY_BENCH_NO_VIPS")) return 0;
    fs::remove_all(data / "out-vips");
    const std::vector<std::string> vips = VipsThumbnailCommand(photos, names, data / "out-vips", "160");
    const Timing vipsOwn = TimeVips(vips, nullptr);
    const Timing vipsOne = TimeVips(vips, "1");
    if (vipsOwn.Wall < 0 || vipsOne.Wall < 0) Fail("vipsthumbnail failed");
    PrintTiming("vipsthumbnail -s 160", vipsOwn, count, FormatC("  pool/vips %.2f", many.Wall / vipsOwn.Wall));
    PrintTiming("vipsthumbnail, VIPS_CONCURRENCY=1", vipsOne, count, FormatC("  one/vips %.2f", one.Wall / vipsOne.Wall));
    return 0;
}
