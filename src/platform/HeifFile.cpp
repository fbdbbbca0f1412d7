#include "platform/HeifFile.h"

#include <libheif/heif.h>

#include "platform/HeifItems.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace trackalbum {

namespace {

constexpr const char* PictureBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1", "avif"};

// Exif blocks are a few kilobytes; a larger item is not read into memory.
constexpr size_t MaxExifSize = 16 << 20;

uint32_t Get32(const uint8_t* p) {
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

bool IsPictureBrand(const uint8_t* brand) {
    return std::any_of(std::begin(PictureBrands), std::end(PictureBrands),
                       [brand](const char* name) { return std::memcmp(brand, name, 4) == 0; });
}

// Started once for the process and never stopped: decoders run on several threads at once,
// and libheif's start and stop are not meant to race with them.
void StartLibrary() {
    static const bool started = [] {
        heif_init(nullptr);
        return true;
    }();
    (void)started;
}

CodecStatus FromHeif(const heif_error& error) {
    if (error.code == heif_error_Ok) return CodecStatus::Ok;
    if (error.code == heif_error_Memory_allocation_error) {
        return error.subcode == heif_suberror_Security_limit_exceeded ? CodecStatus::TooLarge : CodecStatus::OutOfMemory;
    }
    return CodecStatus::Corrupt;
}

// libheif's reader callbacks over a ByteReader.
struct ReaderBridge {
    ByteReader* reader = nullptr;
    int64_t position = 0;

    static int64_t Position(void* self) { return static_cast<ReaderBridge*>(self)->position; }
    static int Read(void* data, size_t size, void* self) {
        auto& bridge = *static_cast<ReaderBridge*>(self);
        // The reader may have been moved since (the declared sizes are read through it too).
        if (!bridge.reader->Seek(static_cast<uint64_t>(bridge.position))) return 1;
        if (!bridge.reader->ReadExactly(static_cast<uint8_t*>(data), size)) return 1;
        bridge.position += static_cast<int64_t>(size);
        return 0;
    }
    static int Seek(int64_t position, void* self) {
        auto& bridge = *static_cast<ReaderBridge*>(self);
        if (position < 0 || !bridge.reader->Seek(static_cast<uint64_t>(position))) return 1;
        bridge.position = position;
        return 0;
    }
    static heif_reader_grow_status WaitForSize(int64_t size, void* self) {
        const auto& bridge = *static_cast<ReaderBridge*>(self);
        return size >= 0 && static_cast<uint64_t>(size) <= bridge.reader->GetSize() ? heif_reader_grow_status_size_reached
                                                                                       : heif_reader_grow_status_size_beyond_eof;
    }
};

struct ImageRelease {
    void operator()(const heif_image* image) const { heif_image_release(image); }
};
struct HandleRelease {
    void operator()(const heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct OptionsRelease {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
using ImageHandle = std::unique_ptr<heif_image_handle, HandleRelease>;

// Grids and overlays are allocated by the size their own data declares, coded pictures by
// their coder's headers: no grid may exceed the limit nor may the picture decoded declare
// more than its ispe property; no coded picture may be larger than its ispe allows, and all
// of them together not larger than the limit.
CodecStatus CheckDeclaredSizes(ByteReader& source, heif_item_id id, const heif_image_handle* handle, int64_t limit) {
    const std::optional<HeifItemSizes> sizes = ReadHeifItemSizes(source);
    if (!sizes || !sizes->Oversized.empty()) return CodecStatus::Corrupt;
    if (sizes->CodedTotal > static_cast<uint64_t>(limit)) return CodecStatus::TooLarge;
    const uint64_t own = uint64_t(std::max(0, heif_image_handle_get_ispe_width(handle))) *
                         uint64_t(std::max(0, heif_image_handle_get_ispe_height(handle)));
    for (const auto& [item, pixels] : sizes->Derived) {
        if (pixels > static_cast<uint64_t>(limit)) return CodecStatus::TooLarge;
        if (item == id && pixels > own) return CodecStatus::Corrupt;
    }
    return CodecStatus::Ok;
}

// The picture's size as shown and as its derived items declare it.
CodecStatus CheckHandle(ByteReader& source, heif_item_id id, const heif_image_handle* handle, int64_t limit) {
    const CodecStatus announced = CheckAnnouncedSize(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle), limit);
    return announced != CodecStatus::Ok ? announced : CheckDeclaredSizes(source, id, handle, limit);
}

// Decodes one picture of the file upright into `out`, after checking its sizes.
CodecStatus DecodeHandle(ByteReader& source, heif_item_id id, const heif_image_handle* handle, int64_t maxPixels,
                         Raster& out) {
    out.Clear();
    const int64_t limit = std::min(maxPixels, HeifFile::MaxPixels);
    const CodecStatus checked = CheckHandle(source, id, handle, limit);
    if (checked != CodecStatus::Ok) return checked;
    std::unique_ptr<heif_decoding_options, OptionsRelease> options(heif_decoding_options_alloc());
    if (!options) return CodecStatus::OutOfMemory;
    options->convert_hdr_to_8bit = 1;  // ten-bit phone pictures become eight-bit ones
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    heif_image* decoded = nullptr;
    const heif_error error = heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                                               alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    std::unique_ptr<heif_image, ImageRelease> image(decoded);
    if (error.code != heif_error_Ok || !image) return error.code != heif_error_Ok ? FromHeif(error) : CodecStatus::Corrupt;
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    // A picture that is not the size announced is not the picture the file describes.
    if (!plane || width != heif_image_handle_get_width(handle) || height != heif_image_handle_get_height(handle)) {
        return CodecStatus::Corrupt;
    }
    const int channels = alpha ? 4 : 3;
    if (stride < width * channels) return CodecStatus::Corrupt;
    if (!out.Allocate(width, height, channels)) return CodecStatus::OutOfMemory;
    for (int y = 0; y < height; ++y) std::memcpy(out.Row(y), plane + static_cast<size_t>(y) * stride, out.Stride());
    return CodecStatus::Ok;
}

}  // namespace

bool IsHeifSignature(const uint8_t* head, size_t size) {
    // Only the bytes every caller reads first count, so a file is the same kind to all.
    size = std::min(size, ImageCodec::SignatureSize);
    if (size < 12 || std::memcmp(head + 4, "ftyp", 4) != 0) return false;
    // The box's own length bounds the brand list; 0 means "to the end of the file", and 1
    // announces a 64-bit length after the type.
    const uint32_t length = Get32(head);
    size_t start = 8;
    size_t end = length == 0 ? size : std::min<size_t>(length, size);
    if (length == 1) {
        if (size < 16) return false;
        start = 16;
        end = size;
    }
    if (end < start + 4) return false;
    if (IsPictureBrand(head + start)) return true;
    // Major brand, minor version, then the compatible brands.
    for (size_t brand = start + 8; brand + 4 <= end; brand += 4) {
        if (IsPictureBrand(head + brand)) return true;
    }
    return false;
}

struct HeifFile::Parts {
    heif_context* context = nullptr;
    ImageHandle primary;
    heif_item_id primaryId = 0;
    std::optional<MemoryReader> memory;  // the bytes of a file opened from memory
    ReaderBridge bridge;                 // the source of either
    heif_reader reader{};

    ~Parts() {
        primary.reset();
        if (context) heif_context_free(context);
    }
};

HeifFile::HeifFile() = default;
HeifFile::~HeifFile() = default;

bool HeifFile::OpenMemory(const uint8_t* data, size_t size) {
    parts_.reset();
    if (!IsHeifSignature(data, size)) return false;
    StartLibrary();
    auto parts = std::make_unique<Parts>();
    parts->context = heif_context_alloc();
    if (!parts->context) return false;
    if (heif_context_read_from_memory_without_copy(parts->context, data, size, nullptr).code != heif_error_Ok) return false;
    parts->memory.emplace(data, size);
    parts->bridge.reader = &*parts->memory;
    return OpenPrimary(std::move(parts));
}

bool HeifFile::OpenPrimary(std::unique_ptr<Parts> parts) {
    heif_image_handle* primary = nullptr;
    if (heif_context_get_primary_image_handle(parts->context, &primary).code != heif_error_Ok) return false;
    parts->primary.reset(primary);
    if (heif_context_get_primary_image_ID(parts->context, &parts->primaryId).code != heif_error_Ok) return false;
    parts_ = std::move(parts);
    return true;
}

bool HeifFile::OpenReader(ByteReader& reader) {
    parts_.reset();
    uint8_t head[ImageCodec::SignatureSize];
    if (!reader.Seek(0) || !IsHeifSignature(head, reader.Read(head, sizeof head)) || !reader.Seek(0)) return false;
    StartLibrary();
    auto parts = std::make_unique<Parts>();
    parts->context = heif_context_alloc();
    if (!parts->context) return false;
    parts->bridge.reader = &reader;
    parts->reader.reader_api_version = 1;
    parts->reader.get_position = ReaderBridge::Position;
    parts->reader.read = ReaderBridge::Read;
    parts->reader.seek = ReaderBridge::Seek;
    parts->reader.wait_for_file_size = ReaderBridge::WaitForSize;
    if (heif_context_read_from_reader(parts->context, &parts->reader, &parts->bridge, nullptr).code != heif_error_Ok) {
        return false;
    }
    return OpenPrimary(std::move(parts));
}

int HeifFile::GetWidth() const { return parts_ ? heif_image_handle_get_width(parts_->primary.get()) : 0; }

int HeifFile::GetHeight() const { return parts_ ? heif_image_handle_get_height(parts_->primary.get()) : 0; }

bool HeifFile::ReadExifTiff(std::vector<uint8_t>& tiff) const {
    tiff.clear();
    if (!parts_) return false;
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(parts_->primary.get(), "Exif", &id, 1) < 1) return false;
    const size_t size = heif_image_handle_get_metadata_size(parts_->primary.get(), id);
    if (size < 4 || size > MaxExifSize) return false;
    std::vector<uint8_t> item(size);
    if (heif_image_handle_get_metadata(parts_->primary.get(), id, item.data()).code != heif_error_Ok) return false;
    const uint64_t start = uint64_t{4} + Get32(item.data());
    if (start >= size) return false;
    tiff.assign(item.begin() + static_cast<ptrdiff_t>(start), item.end());
    return true;
}

CodecStatus HeifFile::CheckSize(int64_t maxPixels) const {
    if (!parts_) return CodecStatus::Corrupt;
    return CheckHandle(*parts_->bridge.reader, parts_->primaryId, parts_->primary.get(), std::min(maxPixels, MaxPixels));
}

CodecStatus HeifFile::Decode(int64_t maxPixels, Raster& out) const {
    out.Clear();
    if (!parts_) return CodecStatus::Corrupt;
    return DecodeHandle(*parts_->bridge.reader, parts_->primaryId, parts_->primary.get(), maxPixels, out);
}

CodecStatus HeifFile::DecodeThumbnail(const PreviewFits& fits, int64_t maxPixels, Raster& out) const {
    out.Clear();
    if (!parts_) return CodecStatus::Unsupported;
    const heif_image_handle* primary = parts_->primary.get();
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0) return CodecStatus::Unsupported;
    std::vector<heif_item_id> ids(static_cast<size_t>(count));
    ids.resize(static_cast<size_t>(std::max(0, heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count))));
    ImageHandle chosen;
    heif_item_id chosenId = 0;
    int64_t chosenPixels = std::numeric_limits<int64_t>::max();
    for (heif_item_id id : ids) {
        heif_image_handle* thumbnail = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &thumbnail).code != heif_error_Ok) continue;
        ImageHandle handle(thumbnail);
        const int width = heif_image_handle_get_width(thumbnail);
        const int height = heif_image_handle_get_height(thumbnail);
        const int64_t pixels = int64_t{width} * height;
        if (width > 0 && height > 0 && pixels < chosenPixels && fits(GetWidth(), GetHeight(), width, height)) {
            chosen = std::move(handle);
            chosenId = id;
            chosenPixels = pixels;
        }
    }
    if (!chosen) return CodecStatus::Unsupported;
    return DecodeHandle(*parts_->bridge.reader, chosenId, chosen.get(), maxPixels, out);
}

}  // namespace trackalbum
