#include "photos/ExifReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "photos/PictureList.h"
#include "photos/temp_folder_support.h"
#include "platform/Errors.h"
#include "support/CorpusTest.h"
#include "support/MiniJson.h"

namespace trackalbum {
namespace {

// JPEG headers built byte by byte, so that each case says exactly which bytes the reader meets.
struct Entry {
    std::string text;       // stored after the directory, its offset in the value field
    uint32_t count = 0;     // for entries without text: count and value as given
    uint32_t value = 0;
    uint16_t tag = 0x0132;  // DateTime
};

std::string Put(bool littleEndian, uint64_t value, int size) {
    std::string out;
    for (int i = 0; i < size; ++i) out += static_cast<char>(value >> 8 * (littleEndian ? i : size - 1 - i));
    return out;
}

// Byte order, 42, IFD0 at offset 8 with the entries (all typed ASCII), then the texts.
std::string Tiff(const std::vector<Entry>& entries, bool le = true, uint32_t ifdOffset = 8) {
    std::string out = (le ? "II" : "MM") + Put(le, 42, 2) + Put(le, ifdOffset, 4) + Put(le, entries.size(), 2), data;
    for (const Entry& e : entries) {
        const uint64_t offset = 8 + 2 + 12 * entries.size() + 4 + data.size();
        out += Put(le, e.tag, 2) + Put(le, 2, 2) + Put(le, e.text.empty() ? e.count : e.text.size() + 1, 4) +
               Put(le, e.text.empty() ? e.value : offset, 4);
        if (!e.text.empty()) data += e.text + '\0';
    }
    return out + Put(le, 0, 4) + data;
}

std::string Segment(char marker, const std::string& payload, size_t length = 0) {
    return "\xFF" + std::string(1, marker) + Put(false, length ? length : payload.size() + 2, 2) + payload;
}
std::string Exif(const std::string& tiff, size_t length = 0) { return Segment('\xE1', std::string("Exif\0\0", 6) + tiff, length); }
const std::string Jfif = Segment('\xE0', std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));

// SOI, the segments, a start of scan, and image data holding what reads as an APP1.
std::string Jpeg(const std::string& segments) {
    return "\xFF\xD8" + segments + Segment('\xDA', std::string("\1\1\0\0\x3F\0", 6)) +
           std::string("\x12\x34\xFF\x00\xFF\xE1\x00\x10\x56\xFF\xD9", 11);
}

class ExifReaderTest : public ::testing::Test {
protected:
    void SetUp() override { testing::SetTimeZone("Asia/Tokyo"); }
    // Reads the bytes from memory and from a file; both walks must agree. The time found, or 0.
    int64_t Read(const std::string& bytes) {
        ExifReader memory, file;
        const int32_t fromMemory = memory.ReadBuffer(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        testing::WriteBytes(folder_ / "photo.jpg", bytes);
        EXPECT_TRUE(file.Read(folder_ / "photo.jpg") == fromMemory && file.GetTime() == memory.GetTime());
        return fromMemory ? file.GetTime().GetTime() : 0;
    }
    testing::TempFolder folder_;
};

const Entry Good{"2006:05:03 12:34:56"};

TEST_F(ExifReaderTest, FindsOnlyARepresentableIfd0DateTimeOfTheFirstApp1) {
    const int64_t taken = TimeValue(2006, 5, 3, 12, 34, 56).GetTime();
    const std::vector<Entry> many{{"Maker", 0, 0, 0x010F}, {"2001:01:01 00:00:00"}, {std::string(60000, 'x'), 0, 0, 0x9999}, Good};
    const std::pair<std::string, int64_t> cases[] = {
        // Byte orders, long segments holding APP1-like bytes, fill bytes, later entries, 65535 entries.
        {Jpeg(Jfif + Exif(Tiff(many, false))), taken},
        {Jpeg(Jfif + Segment('\xE2', "\xFF" + std::string(300, '\xE1')) + Exif(Tiff(many))), taken},
        {Jpeg(Segment('\xE2', std::string(5000, '\xE1')) + Segment('\xE2', std::string(65000, '\xE1')) + "\xFF" + Exif(Tiff(many, false))), taken},
        {Jpeg(Exif(Tiff({Good}).replace(8, 2, "\xFF\xFF"))), taken},
        // An unrepresentable date is none; an earlier good entry stands.
        {Jpeg(Exif(Tiff({{"0000:00:00 00:00:00"}}))), 0}, {Jpeg(Exif(Tiff({{"1969:12:31 00:00:00"}}))), 0},
        {Jpeg(Exif(Tiff({{"99999999999999999999:05:03 12:34:56"}}))), 0}, {Jpeg(Exif(Tiff({Good, {"0000:00:00 00:00:00"}}))), taken},
        // No JPEG, no APP1, XMP first, a date only in the sub-directory, past the scan, no marker.
        {"", 0}, {"\x89PNG\r\n\x1A\n", 0}, {"\xFF\xD8", 0}, {Jpeg(Jfif), 0},
        {Jpeg(Segment('\xE1', std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 33)) + Exif(Tiff({Good}))), 0},
        {Jpeg(Exif(Tiff({{"", 1, 8, 0x8769}, {Good.text, 0, 0, 0x9003}}))), 0},
        {Jpeg(Jfif).insert(Jpeg(Jfif).size() - 2, Exif(Tiff({Good}))), 0}, {std::string("\xFF\xD8\x00\x10", 4) + Exif(Tiff({Good})), 0},
        // Lengths, offsets and counts outside the segment are not followed.
        {Jpeg(Exif(Tiff({Good}), 11)), 0}, {Jpeg(Exif(Tiff({Good}), 1)), 0}, {Jpeg(Segment('\xE0', "", 1) + Exif(Tiff({Good}))), 0},
        {Jpeg(Exif(Tiff({Good}, false, 3))), 0}, {Jpeg(Exif(Tiff({Good}, true, 200))), 0}, {Jpeg(Exif(Tiff({Good}, true, 0xFFFFFFF0u))), 0},
        {Jpeg(Exif(Tiff({{"", 20, 4000}}))), 0}, {Jpeg(Exif(Tiff({{"", 4000, 8}}))), 0}, {Jpeg(Exif(Tiff({{"", 0xFFFFFFFFu, 8}}))), 0},
        {Jpeg(Exif(Tiff({{"", 20, 0xFFFFFFFEu}}))), 0}, {Jpeg(Exif(Tiff({Good, {"", 20, 2}}))), taken}};
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Read(cases[i].first), cases[i].second) << "case " << i;
    EXPECT_EQ(ExifReader().Read(folder_ / "missing.jpg") + ExifReader().Read(folder_.Path()), 0);
    // Every cut of a header gives the time or nothing.
    for (bool le : {true, false}) {
        const std::string full = Jpeg(Jfif + Exif(Tiff({{"Maker", 0, 0, 0x010F}, Good}, le)));
        for (size_t length = 0; length < full.size(); ++length) EXPECT_THAT(Read(full.substr(0, length)), ::testing::AnyOf(0, taken)) << length;
    }
}

// The corpus against its facts, in UTC and east of it (where the epoch cannot be represented).
class ExifCorpusTest : public test::CorpusTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExifCorpusTest, TheScanFindsTheIfd0DateTimeOrItsAbsence) {
    testing::SetTimeZone(GetParam());
    const test::JsonValue facts = Facts("jpeg");
    PictureList pictures;
    pictures.Scan((Corpus() / "jpeg").string());
    ASSERT_EQ(pictures.GetCount(), facts.members.size());
    int withTime = 0;
    for (const PictureRecord& record : pictures) {
        const test::JsonValue& fact = facts["jpeg/" + record.FileName];
        SCOPED_TRACE(record.FileName);
        ASSERT_FALSE(fact.IsNull());
        TimeValue expected;
        bool hasTime = fact["first_app1_is_exif"].boolean && !fact["ifd0_datetime"].IsNull();
        try {
            if (hasTime) expected = ParseExifDateTime(fact["ifd0_datetime"].text);
        } catch (const InvalidArgumentError&) {
            hasTime = false;
        }
        ExifReader reader;
        ASSERT_EQ(reader.Read(record.GetFullPath()), hasTime ? 1 : 0);
        withTime += hasTime;
        EXPECT_EQ(reader.GetTime(), expected);
        EXPECT_TRUE(hasTime ? record.TakenTime == expected : record.TakenTime != TimeValue()) << "else a file time";
    }
    EXPECT_GE(withTime, 20);
}

INSTANTIATE_TEST_SUITE_P(Zones, ExifCorpusTest, ::testing::Values("UTC", "Asia/Tokyo"));

}  // namespace
}  // namespace trackalbum
