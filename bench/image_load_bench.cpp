// Image::Load of a 12-megapixel JPEG against a bare libjpeg-turbo decode of the same file,
// in the same run. Usage: image_load_bench [photo.jpg] [rounds]; without a photo one is
// generated into bench/data/ (relative to the current folder).
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "image/Image.h"
#include "platform/CFormat.h"

namespace {

using Clock = std::chrono::steady_clock;
using trackalbum::FormatC;
using trackalbum::Image;

// Value noise over several octaves, tinted like a landscape, with grain: large soft
// areas, edges and fine texture, so the entropy coder sees photo-like data.
void GeneratePhoto(const std::string& path, int width, int height) {
    const int grid = 257;
    std::vector<float> lattice(static_cast<size_t>(grid) * grid);
    uint32_t seed = 12345;
    for (float& v : lattice) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
    }
    auto noise = [&](float x, float y) {
        const int xi = static_cast<int>(x), yi = static_cast<int>(y);
        const float fx = x - xi, fy = y - yi;
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        auto at = [&](int i, int j) { return lattice[static_cast<size_t>(j % grid) * grid + static_cast<size_t>(i % grid)]; };
        const float a = at(xi, yi) + sx * (at(xi + 1, yi) - at(xi, yi));
        const float b = at(xi, yi + 1) + sx * (at(xi + 1, yi + 1) - at(xi, yi + 1));
        return a + sy * (b - a);
    };
    Image image;
    image.Create(width, height, 24);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = image.GetRow(y);
        for (int x = 0; x < width; ++x, p += 3) {
            float v = 0, amplitude = 0.5f, scale = 1.0f / 400;
            for (int octave = 0; octave < 6; ++octave, amplitude *= 0.5f, scale *= 2.3f)
                v += amplitude * noise(x * scale + octave * 17, y * scale + octave * 31);
            const float sky = static_cast<float>(y) / height;
            seed = seed * 1664525u + 1013904223u;
            v += static_cast<float>(seed >> 24) / 640.0f;  // sensor grain and texture
            p[0] = static_cast<uint8_t>(std::clamp(60 + 170 * v * sky + 20 * (1 - sky), 0.0f, 255.0f));
            p[1] = static_cast<uint8_t>(std::clamp(90 + 140 * v, 0.0f, 255.0f));
            p[2] = static_cast<uint8_t>(std::clamp(200 * (1 - sky) + 60 * v, 0.0f, 255.0f));
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    image.Save(path);
}

// What a program would write with the library alone: the file into memory, then
// straight decoding into one RGB buffer.
size_t BareDecode(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(std::filesystem::file_size(path));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
    auto pixels = std::make_unique_for_overwrite<unsigned char[]>(stride * cinfo.output_height);
    JSAMPROW rows[16];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION n = std::min<JDIMENSION>(16, cinfo.output_height - cinfo.output_scanline);
        for (JDIMENSION i = 0; i < n; ++i) rows[i] = pixels.get() + (cinfo.output_scanline + i) * stride;
        jpeg_read_scanlines(&cinfo, rows, n);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return stride * cinfo.output_height + pixels[0];
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : std::string("bench/data/photo-12mp.jpg");
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    if (!std::filesystem::exists(path)) {
        std::fputs(FormatC("generating %s\n", path.c_str()).c_str(), stderr);
        GeneratePhoto(path, 4000, 3000);
    }
    std::vector<double> bare, load;
    BareDecode(path);  // warm the cache
    for (int i = 0; i < rounds; ++i) {
        // Alternate, so that drift in machine load hits both alike.
        auto t0 = Clock::now();
        BareDecode(path);
        auto t1 = Clock::now();
        Image image;
        if (image.Load(path) != trackalbum::ImageStatus::Ok) {
            std::fputs("load failed\n", stderr);
            return 1;
        }
        auto t2 = Clock::now();
        bare.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        load.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    // The header-only size that the photo markers use, for scale.
    std::vector<double> sized;
    for (int i = 0; i < rounds; ++i) {
        int w = 0, h = 0;
        const auto t0 = Clock::now();
        trackalbum::ReadImageSize(path, w, h);
        sized.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    const double b = Median(bare), l = Median(load);
    std::fputs(FormatC("file %s (%lld bytes)\nbare libjpeg-turbo decode: %.1f ms (median of %d)\n"
                       "Image::Load:               %.1f ms\nratio Load / bare:         %.3f (goal <= 1.1)\n"
                       "ReadImageSize (header):    %.3f ms\n",
                       path.c_str(), static_cast<long long>(std::filesystem::file_size(path)), b, rounds, l, l / b,
                       Median(sized))
                   .c_str(),
               stdout);
    return 0;
}
