// Photo reduction throughput: the worker's whole step for one photo (decode, reduce to 160
// pixels, encode, write) against a bare libjpeg-turbo decode of the same file, photo by
// photo in the same run; then the same photos through vipsthumbnail and ImageMagick. All
// figures are processor time (user and system), so a busy machine skews them less.
//
//   shrink_bench DATA_DIR [COUNT] [DISTINCT]
//
// Twelve-megapixel test photos are generated into DATA_DIR when missing: DISTINCT different
// ones, the rest hard links to them.
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "RunProgram.h"
#include "image/Image.h"
#include "photos/PhotoCopyStep.h"
#include "photos/ShrinkFilter.h"
#include "platform/CFormat.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int PhotoWidth = 4000;
constexpr int PhotoHeight = 3000;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this thread: the machine may be shared, and the time others take the
// processor away must not count against either side.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void Print(const std::string& text) { std::fputs(text.c_str(), stdout); }

// Camera-like content: smooth shading, edges and sensor noise, so the entropy decoder has
// about as much to do as with a real photo.
void WriteTestPhoto(const std::string& path, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 6.0);
    const double phase = seed * 0.7;
    std::vector<uint8_t> row(PhotoWidth * 3);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = PhotoWidth;
    info.image_height = PhotoHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 92, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < PhotoHeight; ++y) {
        for (int x = 0; x < PhotoWidth; ++x) {
            const double u = x / 400.0 + phase;
            const double v = y / 300.0;
            const double base = 110 + 60 * std::sin(u) * std::cos(v * 1.3) +
                                ((x / 97 + y / 89) % 2 ? 25 : -25);
            for (int c = 0; c < 3; ++c) {
                const double value = base + 30 * std::sin(u * (c + 1) + v) + noise(random);
                row[3 * x + c] = static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

std::vector<std::string> PreparePhotos(const fs::path& folder, int count, int distinct) {
    fs::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const fs::path path = folder / FormatC("photo_%03d.jpg", i);
        if (!fs::exists(path)) {
            const fs::path original = folder / FormatC("photo_%03d.jpg", i % distinct);
            if (i < distinct) {
                WriteTestPhoto(path.string(), 1000 + i);
            } else {
                std::error_code failed;
                fs::create_hard_link(original, path, failed);
                if (failed) {
                    fs::copy_file(original, path);
                }
            }
        }
        paths.push_back(path.string());
    }
    return paths;
}

struct DecodeError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return bytes;
    }
    std::fseek(file, 0, SEEK_END);
    bytes.resize(static_cast<size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    return bytes;
}

// A plain full decode to RGB with the library's defaults, from the file read into memory.
// With `reuse` the pixels go into the buffer of the last decode of the same size, which
// saves the fresh memory (page faults) that any decode into a new image costs: the floor.
bool BareDecode(const std::string& path, std::vector<uint8_t>& pixels, bool reuse) {
    const std::vector<uint8_t> bytes = ReadFile(path);
    jpeg_decompress_struct info{};
    DecodeError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<DecodeError*>(common->err)->jump, 1);
    };
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const size_t stride = static_cast<size_t>(info.output_width) * info.output_components;
    if (!reuse) {
        pixels = std::vector<uint8_t>();
    }
    pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {pixels.data() + stride * info.output_scanline};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

// Runs a program and gives the processor time (user and system) that it took.
double RunCommand(const std::vector<std::string>& arguments) {
    const bench::ProgramTiming timing = bench::RunProgram(arguments);
    if (timing.Processor < 0) std::fprintf(stderr, "%s failed\n", arguments[0].c_str());
    return timing.Processor;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: shrink_bench DATA_DIR [COUNT] [DISTINCT]\n");
        return 2;
    }
    const fs::path data = argv[1];
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const int distinct = argc > 3 ? std::clamp(std::atoi(argv[3]), 1, count) : 8;
    const fs::path output = fs::absolute(data / "out");
    fs::remove_all(output);
    fs::create_directories(output);

    const auto start = Clock::now();
    const std::vector<std::string> photos = PreparePhotos(data / "photos", count, distinct);
    Print(FormatC("%d photos of %dx%d (%d distinct) ready in %.1f s\n", count, PhotoWidth,
                  PhotoHeight, distinct, Seconds(start)));

    // Warm the cache and the allocator once.
    std::vector<uint8_t> pixels;
    BareDecode(photos[0], pixels, true);
    ShrinkPhoto(photos[0], (output / "warm.jpg").string());

    double decodeTotal = 0;
    double reusedTotal = 0;
    double loadTotal = 0;
    double shrinkTotal = 0;
    double filterTotal = 0;
    std::vector<double> ratios;
    for (const std::string& photo : photos) {
        double begin = CpuSeconds();
        if (!BareDecode(photo, pixels, false)) {
            std::fprintf(stderr, "cannot decode %s\n", photo.c_str());
            return 1;
        }
        const double decode = CpuSeconds() - begin;
        begin = CpuSeconds();
        BareDecode(photo, pixels, true);
        reusedTotal += CpuSeconds() - begin;
        begin = CpuSeconds();
        {
            Image loaded;
            loaded.Load(photo);
        }
        loadTotal += CpuSeconds() - begin;
        const std::string target = (output / fs::path(photo).filename()).string();
        begin = CpuSeconds();
        if (ShrinkPhoto(photo, target)) {
            std::fprintf(stderr, "cannot shrink %s\n", photo.c_str());
            return 1;
        }
        const double shrink = CpuSeconds() - begin;
        decodeTotal += decode;
        shrinkTotal += shrink;
        ratios.push_back(shrink / decode);
    }
    {
        // The filter alone, on one decoded photo.
        Image source;
        source.Load(photos[0]);
        Image reduced;
        const int rounds = 10;
        const double begin = CpuSeconds();
        for (int i = 0; i < rounds; ++i) {
            ShrinkImage(source, 160, reduced);
        }
        filterTotal = (CpuSeconds() - begin) / rounds;
    }
    std::sort(ratios.begin(), ratios.end());
    const double decodeEach = decodeTotal / count;
    const double shrinkEach = shrinkTotal / count;
    Print(FormatC("bare libjpeg-turbo decode  %8.1f ms/photo (processor time)\n", decodeEach * 1e3));
    Print(FormatC("  into a reused buffer     %8.1f ms/photo  ours/that %.3f\n",
                  reusedTotal / count * 1e3, shrinkTotal / reusedTotal));
    Print(FormatC("Image::Load alone          %8.1f ms/photo  ratio %.3f\n",
                  loadTotal / count * 1e3, loadTotal / decodeTotal));
    Print(FormatC("load + shrink + save       %8.1f ms/photo  ratio %.3f (median %.3f)\n",
                  shrinkEach * 1e3, shrinkEach / decodeEach, ratios[ratios.size() / 2]));
    Print(FormatC("  of which the filter      %8.1f ms/photo\n", filterTotal * 1e3));

    if (std::getenv("SHRINK_BENCH_NO_TOOLS")) {
        return 0;
    }
    // One process for all photos, as it is meant to be used.
    std::vector<std::string> vips = {"vipsthumbnail", "-s", "160", "-o",
                                     (output / "vips_%s.jpg").string()};
    vips.insert(vips.end(), photos.begin(), photos.end());
    const double vipsTotal = RunCommand(vips);
    // One process per photo, as `convert` takes one input to one output.
    const char* convertProgram = std::getenv("SHRINK_BENCH_CONVERT");
    double convertTotal = 0;
    for (const std::string& photo : photos) {
        const std::string target = (output / ("im_" + fs::path(photo).filename().string())).string();
        const double took = RunCommand({convertProgram ? convertProgram : "convert", photo,
                                        "-resize", "160x", target});
        if (took < 0) {
            convertTotal = -1;
            break;
        }
        convertTotal += took;
    }
    if (vipsTotal > 0) {
        Print(FormatC("vipsthumbnail -s 160       %8.1f ms/photo  ours/vips %.2f\n",
                      vipsTotal / count * 1e3, shrinkTotal / vipsTotal));
    }
    if (convertTotal > 0) {
        Print(FormatC("convert -resize 160x       %8.1f ms/photo  ours/convert %.2f\n",
                      convertTotal / count * 1e3, shrinkTotal / convertTotal));
    }
    return 0;
}
