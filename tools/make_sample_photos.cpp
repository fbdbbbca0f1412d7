// Writes the photos of the bundled sample outing (examples/photos): small drawn scenes
// with an EXIF date-time in Japan time from a camera whose clock runs 3 minutes fast
// against the sample track (examples/walk.gpx, 00:30 to 02:30 UTC on 2026-05-17). Among
// them: portrait rasters, landscape rasters turned by the Orientation tag, a photo from
// before and one from after the track, one from a camera with an unset clock, and a memo
// that is no photo. The output is the same on every run.
//
//   make_sample_photos [FOLDER]   (default: examples/photos)
#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Colour {
    double r, g, b;
};

Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Scene {
    Colour skyTop, skyHorizon, ridge, ground;
    double sunX, sunY;  // fractions of the width and height
    double phase;       // shape of the ridge line
    int trees;
};

struct Photo {
    const char* name;
    const char* dateTime;  // camera time: UTC + 9 h + 3 min
    int width, height;     // the raster as stored
    int orientation;       // 1 upright, 6 turn right to view, 8 turn left to view
    Scene scene;
};

// An upright RGB picture of the scene.
std::vector<uint8_t> Draw(const Scene& s, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    const double horizon = 0.62 * height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double fx = static_cast<double>(x) / width;
            const double ridge = horizon - height * (0.18 + 0.10 * std::sin(fx * 2 * kPi * 1.3 + s.phase) +
                                                     0.05 * std::sin(fx * 2 * kPi * 3.7 + 2 * s.phase));
            Colour c;
            if (y < ridge) {
                c = Mix(s.skyTop, s.skyHorizon, y / ridge);
                const double dx = x - s.sunX * width, dy = y - s.sunY * height;
                const double d = std::sqrt(dx * dx + dy * dy) / (0.06 * height);
                if (d < 1.0) c = {255, 244, 200};
                else if (d < 2.5) c = Mix({255, 236, 180}, c, (d - 1.0) / 1.5);
            } else if (y < horizon) {
                c = Mix(s.ridge, s.skyHorizon, 0.35 * (horizon - y) / (horizon - ridge + 1));
            } else {
                c = Mix(s.ground, {40, 50, 30}, (y - horizon) / (height - horizon));
            }
            // Trees: dark triangles standing on the foreground.
            for (int t = 0; t < s.trees; ++t) {
                const double cx = width * (0.08 + 0.84 * std::fmod(0.37 * t + s.phase * 0.11, 1.0));
                const double base = horizon + (height - horizon) * (0.3 + 0.5 * std::fmod(0.61 * t, 1.0));
                const double h = height * 0.22 * (0.6 + 0.4 * std::fmod(0.73 * t, 1.0));
                if (y > base - h && y < base && std::fabs(x - cx) < (y - (base - h)) * 0.35) {
                    c = Mix({25, 70, 35}, c, 0.15);
                }
            }
            uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, c.r))));
            p[1] = static_cast<uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, c.g))));
            p[2] = static_cast<uint8_t>(std::lround(std::fmin(255.0, std::fmax(0.0, c.b))));
        }
    }
    return pixels;
}

// The stored raster of an upright picture for an Orientation tag of 6 or 8.
std::vector<uint8_t> TurnForOrientation(const std::vector<uint8_t>& upright, int uprightWidth, int uprightHeight,
                                        int orientation) {
    const int width = uprightHeight, height = uprightWidth;  // stored size
    std::vector<uint8_t> stored(upright.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // 6: the stored top row is the viewed right column; 8: the viewed left column.
            const int ux = orientation == 6 ? uprightWidth - 1 - y : y;
            const int uy = orientation == 6 ? x : uprightHeight - 1 - x;
            for (int c = 0; c < 3; ++c) {
                stored[(static_cast<size_t>(y) * width + x) * 3 + c] =
                    upright[(static_cast<size_t>(uy) * uprightWidth + ux) * 3 + c];
            }
        }
    }
    return stored;
}

// A little-endian TIFF structure: IFD0 with Make, Model, Orientation, DateTime and the
// pointer to an EXIF directory holding DateTimeOriginal.
std::vector<uint8_t> MakeExif(const Photo& photo) {
    std::vector<uint8_t> out{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0};
    auto put16 = [&](uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto put32 = [&](uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}); };
    const std::string make = "Trackalbum";
    const std::string model = "Sample Camera";
    const std::string dateTime = photo.dateTime;
    const uint32_t ifd0Entries = 5;
    const uint32_t dataStart = 8 + 2 + 12 * ifd0Entries + 4;
    const uint32_t makeOffset = dataStart;
    const uint32_t modelOffset = makeOffset + static_cast<uint32_t>(make.size() + 1);
    const uint32_t dateOffset = modelOffset + static_cast<uint32_t>(model.size() + 1);
    const uint32_t exifIfdOffset = dateOffset + static_cast<uint32_t>(dateTime.size() + 1);
    const uint32_t originalOffset = exifIfdOffset + 2 + 12 + 4;
    auto entry = [&](uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
        put16(tag);
        put16(type);
        put32(count);
        put32(value);
    };
    put16(ifd0Entries);
    entry(0x010F, 2, static_cast<uint32_t>(make.size() + 1), makeOffset);
    entry(0x0110, 2, static_cast<uint32_t>(model.size() + 1), modelOffset);
    entry(0x0112, 3, 1, static_cast<uint32_t>(photo.orientation));
    entry(0x0132, 2, static_cast<uint32_t>(dateTime.size() + 1), dateOffset);
    entry(0x8769, 4, 1, exifIfdOffset);
    put32(0);
    for (const std::string* text : {&make, &model, &dateTime}) {
        out.insert(out.end(), text->begin(), text->end());
        out.push_back(0);
    }
    put16(1);
    entry(0x9003, 2, static_cast<uint32_t>(dateTime.size() + 1), originalOffset);
    put32(0);
    out.insert(out.end(), dateTime.begin(), dateTime.end());
    out.push_back(0);
    return out;
}

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool WriteJpeg(const std::string& path, const Photo& photo) {
    const bool turned = photo.orientation == 6 || photo.orientation == 8;
    const int uprightWidth = turned ? photo.height : photo.width;
    const int uprightHeight = turned ? photo.width : photo.height;
    std::vector<uint8_t> pixels = Draw(photo.scene, uprightWidth, uprightHeight);
    if (turned) pixels = TurnForOrientation(pixels, uprightWidth, uprightHeight, photo.orientation);

    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.get());
    cinfo.image_width = static_cast<JDIMENSION>(photo.width);
    cinfo.image_height = static_cast<JDIMENSION>(photo.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 72, TRUE);
    cinfo.write_JFIF_header = FALSE;  // the EXIF segment follows the start of image, as cameras write it
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> exif = MakeExif(photo);
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &pixels[static_cast<size_t>(cinfo.next_scanline) * photo.width * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::ferror(file.get()) == 0;
}

const Scene kMorning{{70, 120, 200}, {190, 215, 235}, {80, 110, 90}, {95, 140, 70}, 0.20, 0.25, 0.3, 5};
const Scene kForest{{90, 140, 210}, {200, 225, 240}, {60, 100, 70}, {70, 120, 60}, 0.75, 0.18, 1.9, 9};
const Scene kRidge{{60, 110, 205}, {175, 205, 235}, {100, 120, 110}, {120, 150, 80}, 0.50, 0.12, 3.1, 3};
const Scene kSummit{{40, 95, 200}, {160, 200, 240}, {120, 130, 140}, {140, 150, 110}, 0.62, 0.10, 4.4, 2};
const Scene kStream{{80, 130, 200}, {210, 220, 230}, {70, 105, 85}, {60, 110, 90}, 0.35, 0.20, 5.2, 7};
const Scene kEvening{{60, 80, 150}, {240, 180, 130}, {70, 80, 90}, {80, 100, 60}, 0.80, 0.45, 0.9, 4};

const Photo kPhotos[] = {
    {"IMG_0001.jpg", "2026:05:17 09:20:00", 640, 480, 1, kMorning},  // at the station, before the log
    {"IMG_0002.jpg", "2026:05:17 09:35:10", 640, 480, 1, kMorning},
    {"IMG_0003.jpg", "2026:05:17 09:52:40", 480, 640, 1, kForest},
    {"IMG_0004.jpg", "2026:05:17 10:08:15", 640, 480, 6, kForest},
    {"IMG_0005.jpg", "2026:05:17 10:21:30", 640, 480, 1, kRidge},
    {"IMG_0006.jpg", "2026:05:17 10:36:05", 640, 480, 1, kSummit},
    {"IMG_0007.jpg", "2026:05:17 10:44:50", 640, 480, 8, kSummit},
    {"IMG_0008.jpg", "2026:05:17 10:58:20", 640, 480, 1, kRidge},
    {"IMG_0009.jpg", "2026:05:17 11:12:45", 480, 640, 1, kStream},
    {"IMG_0010.jpg", "2026:05:17 11:24:00", 640, 480, 1, kStream},
    {"IMG_0011.jpg", "2026:05:17 11:50:00", 640, 480, 1, kEvening},  // back in town, after the log
    {"IMG_0012.jpg", "0000:00:00 00:00:00", 640, 480, 1, kEvening},  // a second camera, clock never set
};

constexpr char kMemo[] =
    "里山さんぽ 2026-05-17\n"
    "カメラの時計は3分進んでいました。\n"
    "IMG_0012.jpg はサブカメラ（時計未設定）。\n";

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "examples/photos";
    mkdir(folder.c_str(), 0755);
    int index = 0;
    for (Photo photo : kPhotos) {
        // Photos sharing a scene still differ: the view swings along the ridge.
        photo.scene.phase += 0.9 * index;
        photo.scene.sunX = std::fmod(photo.scene.sunX + 0.13 * index++, 0.9) + 0.05;
        if (!WriteJpeg(folder + "/" + photo.name, photo)) {
            std::fprintf(stderr, "make_sample_photos: cannot write %s/%s\n", folder.c_str(), photo.name);
            return 1;
        }
    }
    std::unique_ptr<FILE, FileCloser> memo(std::fopen((folder + "/memo.txt").c_str(), "wb"));
    if (!memo || std::fwrite(kMemo, 1, sizeof kMemo - 1, memo.get()) != sizeof kMemo - 1) {
        std::fprintf(stderr, "make_sample_photos: cannot write %s/memo.txt\n", folder.c_str());
        return 1;
    }
    return 0;
}
