// Feeds arbitrary bytes to the image decoders, the header scans and, for small results,
// the encoders.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "platform/ImageCodec.h"

namespace {

// Low enough that a hostile header cannot take the fuzzer's memory; the limit checks
// themselves are what such inputs exercise.
constexpr int64_t kMaxPixels = 4'000'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace trackalbum;
    if (const ImageCodec* codec = FindCodecBySignature(data, size)) {
        MemoryReader reader(data, size);
        ImageInfo info;
        codec->ReadInfo(reader, info);
    }
    Image image;
    if (image.LoadFromMemory(data, size, kMaxPixels) != ImageStatus::Ok) return 0;
    unsigned sum = 0;
    for (int y = 0; y < image.GetHeight(); ++y) sum += image.GetRow(y)[0];
    if (image.GetWidth() * image.GetHeight() <= 4096) {
        for (const char* name : {"x.jpg", "x.png", "x.gif", "x.bmp"}) {
            std::vector<uint8_t> encoded;
            FindCodecByPath(name)->Encode(image.GetRaster(), encoded);
            Image again;
            again.LoadFromMemory(encoded.data(), encoded.size(), kMaxPixels);
        }
    }
    return static_cast<int>(sum & 0);
}
