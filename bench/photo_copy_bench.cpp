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

#include "RunProgram.h"
#include "photos/ExifReader.h"
#include "photos/PhotoCopyPool.h"
#include "photos/PhotoCopyWorker.h"
#include "photos/PictureRecord.h"
#include "platform/CFormat.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int PhotoWidth = 4000;
constexpr int PhotoHeight = 3000;

void Fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
}

// Value noise over several octaves, tinted like a landscape, with sensor grain: soft areas,
// edges and fine texture, so that the entropy decoder works about as hard as on a photo.
Bytes EncodePicture(unsigned variant) {
    const int grid = 257;
    std::vector<float> lattice(static_cast<size_t>(grid) * grid);
    uint32_t seed = 12345 + variant * 7919;
    for (float& v : lattice) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
    }
    const auto noise = [&](float x, float y) {
        const int xi = static_cast<int>(x), yi = static_cast<int>(y);
        const float fx = x - xi, fy = y - yi;
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const auto at = [&](int i, int j) { return lattice[static_cast<size_t>(j % grid) * grid + static_cast<size_t>(i % grid)]; };
        const float a = at(xi, yi) + sx * (at(xi + 1, yi) - at(xi, yi));
        const float b = at(xi, yi + 1) + sx * (at(xi + 1, yi + 1) - at(xi, yi + 1));
        return a + sy * (b - a);
    };
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
    for (int y = 0; y < PhotoHeight; ++y) {
        const float sky = static_cast<float>(y) / PhotoHeight;
        for (int x = 0; x < PhotoWidth; ++x) {
            float v = 0, amplitude = 0.5f, scale = 1.0f / 400;
            for (int octave = 0; octave < 5; ++octave, amplitude *= 0.5f, scale *= 2.3f)
                v += amplitude * noise(x * scale + octave * 17 + variant * 5, y * scale + octave * 31);
            seed = seed * 1664525u + 1013904223u;
            v += static_cast<float>(seed >> 24) / 640.0f;
            row[3 * x] = static_cast<uint8_t>(std::clamp(60 + 170 * v * sky + 20 * (1 - sky), 0.0f, 255.0f));
            row[3 * x + 1] = static_cast<uint8_t>(std::clamp(90 + 140 * v, 0.0f, 255.0f));
            row[3 * x + 2] = static_cast<uint8_t>(std::clamp(200 * (1 - sky) + 60 * v, 0.0f, 255.0f));
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes bytes(memory, memory + size);
    std::free(memory);
    return bytes;
}

void Put16(Bytes& out, unsigned value) { out.push_back(value & 0xff), out.push_back(value >> 8 & 0xff); }
void Put32(Bytes& out, uint32_t value) { Put16(out, value & 0xffff), Put16(out, value >> 16); }
void PutEntry(Bytes& out, unsigned tag, unsigned type, uint32_t count, uint32_t value) {
    Put16(out, tag), Put16(out, type), Put32(out, count), Put32(out, value);
}

// An APP1 segment with a little-endian TIFF structure: IFD0 with DateTime and the pointer to
// the EXIF IFD, which holds DateTimeOriginal; both the same time.
Bytes ExifSegment(const std::string& dateTime) {
    Bytes tiff = {'I', 'I', 42, 0};
    Put32(tiff, 8);
    Put16(tiff, 2);                         // IFD0 at 8, 30 bytes
    PutEntry(tiff, 0x0132, 2, 20, 56);      // DateTime
    PutEntry(tiff, 0x8769, 4, 1, 38);       // the EXIF IFD
    Put32(tiff, 0);
    Put16(tiff, 1);                         // EXIF IFD at 38, 18 bytes
    PutEntry(tiff, 0x9003, 2, 20, 76);      // DateTimeOriginal
    Put32(tiff, 0);
    for (int copy = 0; copy < 2; ++copy) tiff.insert(tiff.end(), dateTime.c_str(), dateTime.c_str() + 20);
    Bytes segment = {0xff, 0xe1};
    const size_t length = 2 + 6 + tiff.size();
    segment.push_back(static_cast<uint8_t>(length >> 8)), segment.push_back(static_cast<uint8_t>(length & 0xff));
    for (char c : std::string("Exif\0\0", 6)) segment.push_back(static_cast<uint8_t>(c));
    segment.insert(segment.end(), tiff.begin(), tiff.end());
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

double ProcessorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

struct Timing {
    double Wall = 0;
    double Processor = 0;
};

class QuietHost : public PhotoCopyHost {
public:
    void SetCaption(const std::string&) override {}
    void EnableCopyControls(bool) override {}
    void Finished(const PhotoCopySummary&) override {}
};

Timing Shrink(const fs::path& photos, const std::vector<std::string>& names, const fs::path& target, int threads) {
    fs::remove_all(target);
    fs::create_directories(target);
    PhotoCopyJobs jobs;
    jobs.SourceFolder = photos.string();
    jobs.TargetFolder = target.string();
    for (const std::string& name : names) {
        PictureRecord record;
        record.Read(jobs.SourceFolder, name);
        jobs.Pictures.AddTail(std::move(record));
    }
    QuietHost host;
    PhotoCopyWorker worker(host, false);
    worker.SetThreadCount(threads);
    const double processor = ProcessorSeconds(RUSAGE_SELF);
    const auto start = Clock::now();
    worker.Start(std::move(jobs));
    const PhotoCopySummary summary = worker.Wait();
    Timing timing{std::chrono::duration<double>(Clock::now() - start).count(), ProcessorSeconds(RUSAGE_SELF) - processor};
    if (summary.Shrunk != static_cast<int>(names.size())) Fail(FormatC("only %d photos shrunk", summary.Shrunk));
    return timing;
}

// A program's wall-clock and processor time.
Timing RunCommand(const std::vector<std::string>& arguments, const char* concurrency) {
    const bench::ProgramTiming timing = bench::RunProgram(arguments, [concurrency] {
        if (concurrency) setenv("VIPS_CONCURRENCY", concurrency, 1);
        else unsetenv("VIPS_CONCURRENCY");
    });
    return {timing.Wall, timing.Processor};
}

void Print(const char* label, const Timing& timing, int count, const std::string& tail = "") {
    std::printf("%-34s %7.2f s wall  %6.1f ms/photo  processor %7.2f s%s\n", label, timing.Wall,
                timing.Wall / count * 1e3, timing.Processor, tail.c_str());
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
        const Timing oneRound = Shrink(photos, names, data / "out-1", 1);
        const Timing manyRound = Shrink(photos, names, data / "out-pool", pool);
        if (rounds > 1) std::printf("round %d: 1 thread %.2f s, pool %.2f s\n", round, oneRound.Wall, manyRound.Wall);
        if (oneRound.Wall < one.Wall) one = oneRound;
        if (manyRound.Wall < many.Wall) many = manyRound;
    }
    Print("shrink, 1 thread", one, count);
    Print(FormatC("shrink, pool of %d threads", pool).c_str(), many, count,
          FormatC("  pool/one %.3f", many.Wall / one.Wall));
    for (const std::string& name : names) {
        if (ReadAll(data / "out-1" / name) != ReadAll(data / "out-pool" / name)) Fail(name + " differs between the runs");
    }
    std::printf("all %d results byte-identical; load average %.1f after\n", count, LoadAverage());

    if (std::getenv("PHOTO_COPY_BENCH_NO_VIPS")) return 0;
    std::vector<std::string> vips = {"vipsthumbnail", "-s", "160", "-o", (data / "out-vips" / "%s.jpg").string()};
    fs::remove_all(data / "out-vips");
    fs::create_directories(data / "out-vips");
    for (const std::string& name : names) vips.push_back((photos / name).string());
    const Timing vipsOwn = RunCommand(vips, nullptr);
    const Timing vipsOne = RunCommand(vips, "1");
    if (vipsOwn.Wall < 0 || vipsOne.Wall < 0) Fail("vipsthumbnail failed");
    Print("vipsthumbnail -s 160", vipsOwn, count, FormatC("  pool/vips %.2f", many.Wall / vipsOwn.Wall));
    Print("vipsthumbnail, VIPS_CONCURRENCY=1", vipsOne, count, FormatC("  one/vips %.2f", one.Wall / vipsOne.Wall));
    return 0;
}
