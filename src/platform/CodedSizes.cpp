#include "platform/CodedSizes.h"

#include <vector>

namespace trackalbum {

namespace {

// Reads bits most significant first; reading past the end sets a flag instead.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Failed() const { return failed_; }
    uint32_t Bits(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            if (position_ >= size_ * 8) {
                failed_ = true;
                return 0;
            }
            value = value << 1 | ((data_[position_ >> 3] >> (7 - (position_ & 7))) & 1);
            ++position_;
        }
        return value;
    }
    void Skip(size_t count) {
        if (count > size_ * 8 - position_) failed_ = true;
        position_ += count;
    }
    // ue(v) in HEVC, uvlc() in AV1: leading zeros, a one, as many bits again.
    uint32_t ExpGolomb() {
        int zeros = 0;
        while (!failed_ && Bits(1) == 0) {
            if (++zeros > 31) failed_ = true;
        }
        if (failed_) return 0;
        return static_cast<uint32_t>((uint64_t{1} << zeros) - 1 + Bits(zeros));
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

// The raw sequence payload: every 0x03 after two zero bytes is dropped.
std::vector<uint8_t> Unescape(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    out.reserve(size);
    int zeros = 0;
    for (size_t i = 0; i < size; ++i) {
        if (zeros >= 2 && data[i] == 3) {
            zeros = 0;
            continue;
        }
        out.push_back(data[i]);
        zeros = data[i] == 0 ? zeros + 1 : 0;
    }
    return out;
}

}  // namespace

std::optional<CodedSize> ReadHevcSpsSize(const uint8_t* nal, size_t size) {
    constexpr uint32_t SpsType = 33;
    if (size < 2 || ((nal[0] >> 1) & 0x3F) != SpsType) return std::nullopt;
    const std::vector<uint8_t> payload = Unescape(nal + 2, size - 2);
    BitReader bits(payload.data(), payload.size());
    bits.Skip(4);  // sps_video_parameter_set_id
    const uint32_t subLayers = bits.Bits(3);
    bits.Skip(1);
    // profile_tier_level: the general profile and level, then what each sub-layer has.
    bits.Skip(96);
    bool profile[8] = {}, level[8] = {};
    for (uint32_t i = 0; i < subLayers; ++i) profile[i] = bits.Bits(1), level[i] = bits.Bits(1);
    if (subLayers > 0) bits.Skip(2 * (8 - subLayers));
    for (uint32_t i = 0; i < subLayers; ++i) bits.Skip((profile[i] ? 88 : 0) + (level[i] ? 8 : 0));
    bits.ExpGolomb();  // sps_seq_parameter_set_id
    if (bits.ExpGolomb() == 3) bits.Skip(1);  // chroma_format_idc, separate_colour_plane_flag
    CodedSize coded;
    coded.width = bits.ExpGolomb();
    coded.height = bits.ExpGolomb();
    if (bits.Failed()) return std::nullopt;
    return coded;
}

std::optional<CodedSize> ReadAv1SequenceHeaderSize(const uint8_t* payload, size_t size) {
    BitReader bits(payload, size);
    bits.Skip(3);  // seq_profile
    bits.Skip(1);  // still_picture
    if (bits.Bits(1)) {  // reduced_still_picture_header
        bits.Skip(5);    // seq_level_idx
    } else {
        bool decoderModel = false;
        uint32_t delayLength = 0;
        if (bits.Bits(1)) {  // timing_info_present_flag
            bits.Skip(64);   // num_units_in_display_tick, time_scale
            if (bits.Bits(1)) bits.ExpGolomb();  // equal_picture_interval, num_ticks_per_picture_minus_1
            decoderModel = bits.Bits(1);
            if (decoderModel) {
                delayLength = bits.Bits(5) + 1;
                bits.Skip(32 + 5 + 5);
            }
        }
        const bool initialDelay = bits.Bits(1);
        const uint32_t points = bits.Bits(5) + 1;
        for (uint32_t i = 0; i < points && !bits.Failed(); ++i) {
            bits.Skip(12);                           // operating_point_idc
            if (bits.Bits(5) > 7) bits.Skip(1);      // seq_level_idx, seq_tier
            if (decoderModel && bits.Bits(1)) bits.Skip(2 * delayLength + 1);
            if (initialDelay && bits.Bits(1)) bits.Skip(4);
        }
    }
    const int widthBits = static_cast<int>(bits.Bits(4)) + 1;
    const int heightBits = static_cast<int>(bits.Bits(4)) + 1;
    CodedSize coded;
    coded.width = bits.Bits(widthBits) + 1;
    coded.height = bits.Bits(heightBits) + 1;
    if (bits.Failed()) return std::nullopt;
    return coded;
}

}  // namespace trackalbum
