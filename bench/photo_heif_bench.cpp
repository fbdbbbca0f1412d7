// Phone HEIF photos: twelve-megapixel pictures (4032 x 3024, HEVC, a 320-pixel thumbnail and
// an Exif block, every other one stored on its side and turned by the file, as phones write
// portraits) through the photo button's shrink with its pool, against vipsthumbnail on the
// same files; then the picture list's thumbnail of one such photo with and without its
// embedded thumbnail, and the scan of the folder.
//
//   photo_heif_bench DATA_DIR [COUNT] [DISTINCT] [KEEP]
//
// The photos are generated into DATA_DIR/photos when missing (DISTINCT different pictures;
// the copies differ in their Exif time). KEEP photos also go through the keep-size copy,
// which decodes each whole picture and writes it as a JPEG.
#include <libheif/heif.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PhotoBenchPictures.h"
#include "PhotoCopyTiming.h"
#include "photos/PhotoCopyPool.h"
#include "photos/PictureList.h"
#include "pipeline/PictureThumbnail.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using namespace trackalbum::bench;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int PhotoWidth = 4032;
constexpr int PhotoHeight = 3024;
constexpr const char* FirstTime = "2024:05:03 09:00:00";

void Check(const heif_error& error, const char* what) {
    if (error.code != heif_error_Ok) Fail(std::string(what) + ": " + error.message);
}

heif_error WriteToVector(heif_context*, const void* data, size_t size, void* userdata) {
    auto* out = static_cast<Bytes*>(userdata);
    out->insert(out->end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// One phone picture: HEVC at a phone's quality, turned by the file when `turned`.
Bytes EncodeHeif(unsigned variant, bool turned, bool thumbnail) {
    heif_image* image = nullptr;
    Check(heif_image_create(PhotoWidth, PhotoHeight, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image), "image");
    Check(heif_image_add_plane(image, heif_channel_interleaved, PhotoWidth, PhotoHeight, 8), "plane");
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    LandscapePainter painter(PhotoWidth, PhotoHeight, variant);
    for (int y = 0; y < PhotoHeight; ++y) painter.PaintRow(y, plane + static_cast<size_t>(y) * stride);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    Check(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder), "encoder");
    heif_encoder_set_lossy_quality(encoder, 50);
    heif_encoder_set_parameter_string(encoder, "preset", "fast");
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = turned ? heif_orientation_rotate_90_cw : heif_orientation_normal;
    heif_image_handle* handle = nullptr;
    Check(heif_context_encode_image(context, image, encoder, options, &handle), "encode");
    if (thumbnail) Check(heif_context_encode_thumbnail(context, image, handle, encoder, options, 320, nullptr), "thumbnail");
    const Bytes exif = ExifBlock(FirstTime);
    Check(heif_context_add_exif_metadata(context, handle, exif.data(), static_cast<int>(exif.size())), "exif");
    Bytes file;
    heif_writer writer{1, WriteToVector};
    Check(heif_context_write(context, &writer, &file), "write");
    heif_image_handle_release(handle);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_context_free(context);
    heif_image_release(image);
    return file;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    const fs::path temporary = path.string() + ".part";
    std::ofstream(temporary, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    fs::rename(temporary, path);
}

std::vector<std::string> PreparePhotos(const fs::path& folder, int count, int distinct) {
    fs::create_directories(folder);
    std::vector<std::string> names;
    std::vector<Bytes> pictures(static_cast<size_t>(distinct));
    for (int i = 0; i < count; ++i) {
        const std::string name = FormatC("IMG_%04d.HEIC", 1000 + i);
        names.push_back(name);
        if (fs::exists(folder / name)) continue;
        Bytes& picture = pictures[static_cast<size_t>(i % distinct)];
        if (picture.empty()) picture = EncodeHeif(static_cast<unsigned>(i % distinct), i % 2 == 1, true);
        // A walk: a photo every 45 seconds from 9:00, written over the time of the first.
        Bytes file = picture;
        const int seconds = 9 * 3600 + 45 * i;
        const std::string time = FormatC("2024:05:03 %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
        for (auto at = file.begin(); (at = std::search(at, file.end(), FirstTime, FirstTime + 19)) != file.end(); at += 19)
            std::copy(time.begin(), time.end(), at);
        WriteFile(folder / name, file);
    }
    return names;
}

// Median milliseconds of the picture list's thumbnail of `path`.
double ThumbnailMilliseconds(const fs::path& path, int& sourceWidth, int& sourceHeight) {
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        Image source;
        if (LoadThumbnailSource(source, path.string()) != ImageStatus::Ok) Fail("no thumbnail for " + path.string());
        const Image thumbnail = MakeThumbnail(source);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        sourceWidth = source.GetWidth(), sourceHeight = source.GetHeight();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: photo_heif_bench DATA_DIR [COUNT] [DISTINCT] [KEEP]\n");
        return 2;
    }
    const fs::path data = fs::absolute(argv[1]);
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    const int distinct = argc > 3 ? std::clamp(std::atoi(argv[3]), 1, count) : 8;
    const int keep = argc > 4 ? std::clamp(std::atoi(argv[4]), 0, count) : 20;
    const fs::path photos = data / "photos";
    auto start = Clock::now();
    const std::vector<std::string> names = PreparePhotos(photos, count, distinct);
    if (!fs::exists(data / "no-thumbnail.heic")) WriteFile(data / "no-thumbnail.heic", EncodeHeif(0, true, false));
    size_t total = 0;
    for (const std::string& name : names) total += fs::file_size(photos / name);
    std::printf("%d HEIF photos of %dx%d (%d distinct, %.1f MB) ready in %.1f s; %d cores; load average %.1f\n", count,
                PhotoWidth, PhotoHeight, distinct, total / 1e6, std::chrono::duration<double>(Clock::now() - start).count(),
                GetDefaultPhotoCopyThreads(), LoadAverage());

    start = Clock::now();
    PictureList scanned;
    scanned.Scan(photos.string());
    const double scan = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    int timed = 0;
    for (const PictureRecord& record : scanned) {
        const int index = std::atoi(record.FileName.c_str() + 4) - 1000;  // IMG_1000.HEIC is the first
        timed += record.Heif && record.TakenTime == ParseExifDateTime(FirstTime) + TimeSpan(45 * index);
    }
    std::printf("scan of the folder: %.1f ms, %d of %zu with their Exif time\n", scan, timed, scanned.GetCount());

    const int pool = GetDefaultPhotoCopyThreads();
    const Timing shrink = TimePhotoCopy(photos, names, data / "out-pool", pool);
    PrintTiming(FormatC("shrink, pool of %d threads", pool).c_str(), shrink, count);
    fs::remove_all(data / "out-vips");
    const std::vector<std::string> vips = VipsThumbnailCommand(photos, names, data / "out-vips", "160");
    const Timing vipsOwn = TimeVips(vips, nullptr);
    if (vipsOwn.Wall < 0) Fail("vipsthumbnail failed");
    PrintTiming("vipsthumbnail -s 160", vipsOwn, count, FormatC("  pool/vips %.2f", shrink.Wall / vipsOwn.Wall));

    if (keep > 0) {
        const std::vector<std::string> some(names.begin(), names.begin() + keep);
        const Timing whole = TimePhotoCopy(photos, some, data / "out-keep", pool, true);
        PrintTiming(FormatC("keep size (whole picture as JPEG), %d", keep).c_str(), whole, keep);
        // A size no photo reaches, shrinking only: each whole picture decoded and written as a JPEG.
        const std::vector<std::string> vipsWhole = VipsThumbnailCommand(photos, some, data / "out-vips", "20000>", "%s-whole.jpg");
        const Timing vipsKeep = TimeVips(vipsWhole, nullptr);
        PrintTiming(FormatC("vipsthumbnail, whole pictures, %d", keep).c_str(), vipsKeep, keep, FormatC("  keep/vips %.2f", whole.Wall / vipsKeep.Wall));
    }

    int width = 0, height = 0;
    const double embedded = ThumbnailMilliseconds(photos / names[1], width, height);
    std::printf("list thumbnail, embedded %dx%d thumbnail: %8.1f ms  (median of 5)\n", width, height, embedded);
    const double decoded = ThumbnailMilliseconds(data / "no-thumbnail.heic", width, height);
    std::printf("list thumbnail, whole %dx%d picture:     %8.1f ms  (median of 5)\n", width, height, decoded);
    return 0;
}
