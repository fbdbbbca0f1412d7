#pragma once
// The picture size that a video coding layer's own headers give: an HEVC sequence parameter
// set, an AV1 sequence header. The decoders allocate by these, whatever a container says.
#include <cstddef>
#include <cstdint>
#include <optional>

namespace trackalbum {

struct CodedSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// An HEVC SPS NAL unit, its two-byte header included (emulation prevention bytes are taken
// out): pic_width_in_luma_samples and pic_height_in_luma_samples. Nothing when the unit
// ends before them or is no SPS.
std::optional<CodedSize> ReadHevcSpsSize(const uint8_t* nal, size_t size);

// The payload of an AV1 sequence header OBU: max_frame_width_minus_1 + 1 and
// max_frame_height_minus_1 + 1. Nothing when it ends before them.
std::optional<CodedSize> ReadAv1SequenceHeaderSize(const uint8_t* payload, size_t size);

}  // namespace trackalbum
