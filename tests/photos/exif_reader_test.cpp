#include "photos/ExifReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "photos/PictureList.h"
#include "photos/photo_test_support.h"
#include "platform/Errors.h"
#include "support/CorpusTest.h"

namespace trackalbum {
namespace {

// Exif blocks built byte by byte, so that each case says exactly which bytes the reader meets.
struct Field {
    uint16_t tag = 0;
    uint16_t type = 2;                // ASCII
    std::string text;                 // zero-terminated; in the value field when it fits
    std::vector<uint32_t> rationals;  // numerator, denominator, ...
    std::optional<uint32_t> count, value;  // as given: pointers and broken entries
};
Field Text(uint16_t tag, const std::string& text) { return {tag, 2, text, {}, {}, {}}; }
Field DateTime(const std::string& text) { return Text(0x0132, text); }
Field Original(const std::string& text) { return Text(0x9003, text); }
Field Digitized(const std::string& text) { return Text(0x9004, text); }
Field Raw(uint16_t tag, uint32_t count, uint32_t value, uint16_t type = 2) { return {tag, type, "", {}, count, value}; }
Field Angle(uint16_t tag, std::vector<uint32_t> parts, uint16_t type = 5) { return {tag, type, "", std::move(parts), {}, {}}; }

std::string Put(bool littleEndian, uint64_t value, int size) {
    std::string out;
    for (int i = 0; i < size; ++i) out += static_cast<char>(value >> 8 * (littleEndian ? i : size - 1 - i));
    return out;
}

// Header, IFD0, the Exif and GPS directories (IFD0 points to them unless it holds its own
// pointer), then the values that do not fit their entries.
std::string Tiff(std::vector<Field> ifd0, const std::vector<Field>& exif = {}, const std::vector<Field>& gps = {},
                 bool le = true) {
    const auto size = [](size_t fields) { return fields ? 2 + 12 * fields + 4 : 0; };
    const auto has = [&](uint16_t tag) { return std::any_of(ifd0.begin(), ifd0.end(), [tag](const Field& f) { return f.tag == tag; }); };
    const size_t pointers = (!exif.empty() && !has(0x8769)) + (!gps.empty() && !has(0x8825));
    const size_t exifAt = 8 + size(ifd0.size() + pointers), gpsAt = exifAt + size(exif.size()), dataAt = gpsAt + size(gps.size());
    if (!exif.empty() && !has(0x8769)) ifd0.push_back(Raw(0x8769, 1, static_cast<uint32_t>(exifAt), 4));
    if (!gps.empty() && !has(0x8825)) ifd0.push_back(Raw(0x8825, 1, static_cast<uint32_t>(gpsAt), 4));
    std::string out = (le ? "II" : "MM") + Put(le, 42, 2) + Put(le, 8, 4), data;
    for (const std::vector<Field>* directory : {&std::as_const(ifd0), &exif, &gps}) {
        if (directory->empty()) continue;
        out += Put(le, directory->size(), 2);
        for (const Field& f : *directory) {
            std::string bytes = f.text.empty() ? "" : f.text + '\0';
            for (uint32_t number : f.rationals) bytes += Put(le, number, 4);
            const size_t count = f.count.value_or(f.rationals.empty() ? bytes.size() : f.rationals.size() / 2);
            out += Put(le, f.tag, 2) + Put(le, f.type, 2) + Put(le, count, 4);
            if (f.value) out += Put(le, *f.value, 4);
            else if (bytes.size() <= 4) out += (bytes + std::string(4, '\0')).substr(0, 4);
            else out += Put(le, dataAt + data.size(), 4), data += bytes;
        }
        out += Put(le, 0, 4);
    }
    return out + data;
}

std::string Segment(char marker, const std::string& payload, size_t length = 0) {
    return "\xFF" + std::string(1, marker) + Put(false, length ? length : payload.size() + 2, 2) + payload;
}
std::string Exif(const std::string& tiff, size_t length = 0) { return Segment('\xE1', std::string("Exif\0\0", 6) + tiff, length); }
const std::string Jfif = Segment('\xE0', std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14));
const std::string Xmp = Segment('\xE1', std::string("http://ns.adobe.com/xap/1.0/\0<x/>", 33));

// SOI, the segments, a start of scan, and image data holding what reads as an APP1.
std::string Jpeg(const std::string& segments) {
    return "\xFF\xD8" + segments + Segment('\xDA', std::string("\1\1\0\0\x3F\0", 6)) +
           std::string("\x12\x34\xFF\x00\xFF\xE1\x00\x10\x56\xFF\xD9", 11);
}

const std::string Good = "2006:05:03 12:34:56", Edited = "2006:07:31 10:38:11", Zeros = "0000:00:00 00:00:00";

class ExifReaderTest : public ::testing::Test {
protected:
    // Reads the bytes from memory and from a file; both must agree. The time found, or 0.
    int64_t Read(const std::string& bytes) {
        ExifReader memory, file;
        const int32_t fromMemory = memory.ReadBuffer(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        test::WriteFile(folder_ / "photo.jpg", bytes);
        EXPECT_TRUE(file.Read(folder_ / "photo.jpg") == fromMemory && file.GetTime() == memory.GetTime());
        EXPECT_EQ(file.GetPosition().has_value(), memory.GetPosition().has_value());
        position_ = file.GetPosition();
        return fromMemory ? file.GetTime().GetTime() : 0;
    }
    static int64_t Local(const std::string& text) { return ParseExifDateTime(text).GetTime(); }
    const test::ScopedTimeZone zone_{"Asia/Tokyo"};
    test::ScratchFolder folder_;
    std::optional<GpsPosition> position_;
};

TEST_F(ExifReaderTest, TakesTheFirstExifApp1AmongTheHeaderSegments) {
    const int64_t taken = Local(Good);
    const std::string tiff = Tiff({DateTime(Good)});
    const std::pair<std::string, int64_t> cases[] = {
        // Long segments holding APP1-like bytes, fill bytes, XMP or another APP1 before the Exif one.
        {Jpeg(Jfif + Segment('\xE2', "\xFF" + std::string(300, '\xE1')) + Exif(tiff)), taken},
        {Jpeg(Segment('\xE2', std::string(5000, '\xE1')) + Segment('\xE2', std::string(65000, '\xE1')) + "\xFF" + Exif(tiff)), taken},
        {Jpeg(Jfif + Xmp + Exif(tiff)), taken}, {Jpeg(Segment('\xE1', "QVC") + Segment('\xE1', "") + Exif(tiff)), taken},
        // Only the first Exif APP1 counts, even without a time.
        {Jpeg(Exif(Tiff({Text(0x010F, "Maker")})) + Exif(tiff)), 0},
        // No JPEG, no APP1, Exif only in the image data, past the scan, no marker after SOI.
        {"", 0}, {"\x89PNG\r\n\x1A\n", 0}, {"\xFF\xD8", 0}, {Jpeg(Jfif + Xmp), 0},
        {Jpeg(Jfif).insert(Jpeg(Jfif).size() - 2, Exif(tiff)), 0}, {std::string("\xFF\xD8\x00\x10", 4) + Exif(tiff), 0},
        // Segment lengths too short or past the end.
        {Jpeg(Exif(tiff, 11)), 0}, {Jpeg(Exif(tiff, 1)), 0}, {Jpeg(Segment('\xE0', "", 1) + Exif(tiff)), 0},
        {Jpeg(Exif(tiff, 0xFFFF)), taken}};
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Read(cases[i].first), cases[i].second) << "case " << i;
    EXPECT_EQ(ExifReader().Read(folder_ / "missing.jpg") + ExifReader().Read(folder_.Path()), 0);
}

TEST_F(ExifReaderTest, TakenTimeIsOriginalThenDigitizedThenDateTime) {
    const struct {
        std::vector<Field> ifd0, exif;
        std::string expected;  // empty: no time
    } cases[] = {
        {{DateTime(Edited)}, {Original(Good), Digitized("2006:05:03 12:40:00")}, Good},  // an edited photo
        {{}, {Original(Good)}, Good},                                                 // a phone: no DateTime
        {{DateTime(Edited)}, {Digitized(Good)}, Good},
        {{DateTime(Edited)}, {Original(Zeros), Digitized(Zeros)}, Edited},  // an unset clock, a later edit
        {{DateTime(Good)}, {Original("1969:12:31 00:00:00")}, Good}, {{DateTime(Zeros)}, {Original(Zeros)}, ""},
        {{DateTime(Good)}, {}, Good}, {{DateTime("2004.07.17 00.24.35")}, {}, "2004.07.17 00.24.35"},  // read as it always was
        // A later entry of a tag overrides an earlier one, also with no time or out of reach.
        {{DateTime(Edited), DateTime(Good)}, {}, Good}, {{DateTime(Good), DateTime(Zeros)}, {}, ""},
        {{DateTime(Good)}, {Original(Edited), Original(Zeros)}, Good}, {{DateTime(Good), Raw(0x0132, 20, 4000)}, {}, ""},
        // Texts, counts and pointers outside the block count as absent; the Exif pointer is not
        // IFD0's, and the sub-directory's own pointers are not followed.
        {{DateTime(Edited), Raw(0x8769, 1, 4000, 4)}, {}, Edited}, {{DateTime(Edited), Raw(0x8769, 1, 0xFFFFFFFE, 4)}, {}, Edited},
        {{DateTime(Edited)}, {Raw(0x9003, 20, 0xFFFFFFF0u)}, Edited}, {{DateTime(Edited)}, {Raw(0x9003, 0xFFFFFFFFu, 8)}, Edited},
        {{Original(Good), DateTime(Edited)}, {}, Edited}, {{DateTime(Edited)}, {Raw(0x8769, 1, 8, 4), Original(Good)}, Good},
    };
    for (bool le : {true, false}) {
        for (size_t i = 0; i < std::size(cases); ++i) {
            const int64_t expected = cases[i].expected.empty() ? 0 : Local(cases[i].expected);
            EXPECT_EQ(Read(Jpeg(Jfif + Exif(Tiff(cases[i].ifd0, cases[i].exif, {}, le)))), expected) << "case " << i << (le ? " II" : " MM");
        }
    }
    // IFD0 itself out of reach, or holding more entries than the block does.
    std::string tiff = Tiff({DateTime(Good)});
    EXPECT_EQ(Read(Jpeg(Exif(tiff.replace(4, 4, Put(true, 0xFFFFFFF0u, 4))))), 0);
    EXPECT_EQ(Read(Jpeg(Exif(Tiff({DateTime(Good)}).replace(8, 2, "\xFF\xFF")))), Local(Good));
}

TEST_F(ExifReaderTest, OwnPositionFromTheGpsDirectory) {
    const Field north = Text(1, "N"), east = Text(3, "E");
    const auto latitude = [](uint32_t d, uint32_t m, uint32_t s100) { return Angle(2, {d, 1, m, 1, s100, 100}); };
    const auto longitude = [](uint32_t d, uint32_t m, uint32_t s100) { return Angle(4, {d, 1, m, 1, s100, 100}); };
    const double lat = 35 + 21 / 60.0 + 54.72 / 3600, lon = 138 + 43 / 60.0 + 51.96 / 3600;
    const struct {
        std::vector<Field> gps;
        double latitude, longitude;  // NAN: no position
    } cases[] = {
        {{north, latitude(35, 21, 5472), east, longitude(138, 43, 5196), Text(9, "A")}, lat, lon},
        {{Text(1, "S"), latitude(33, 26, 5604), Text(3, "W"), longitude(70, 40, 948)},
         -(33 + 26 / 60.0 + 56.04 / 3600), -(70 + 40 / 60.0 + 9.48 / 3600)},
        {{latitude(35, 21, 5472), longitude(138, 43, 5196)}, lat, lon},  // no references: north and east
        {{north, latitude(35, 21, 5472), east, longitude(138, 43, 5196), Text(9, "V")}, NAN, NAN},  // void
        {{latitude(90, 0, 0), Text(3, "W"), longitude(180, 0, 0)}, 90, -180}, {{latitude(90, 0, 1), longitude(1, 0, 0)}, NAN, NAN},
        {{latitude(1, 0, 0), longitude(180, 0, 1)}, NAN, NAN}, {{latitude(0, 0, 0), longitude(0, 0, 0)}, NAN, NAN},
        {{latitude(0, 0, 0), longitude(0, 0, 1)}, 0, 1 / 360000.0},
        // Zero denominators in each part, 0/0 included; signed rationals as some phones write
        // them; wrong types and counts; one side only.
        {{Angle(2, {35, 1, 21, 0, 0, 1}), longitude(138, 0, 0)}, NAN, NAN}, {{Angle(2, {0, 0, 0, 0, 0, 0}), longitude(138, 0, 0)}, NAN, NAN},
        {{latitude(35, 0, 0), Angle(4, {138, 1, 0, 1, 0, 0})}, NAN, NAN}, {{latitude(35, 0, 0), Angle(4, {138, 1, 0, 1, 0, 1}, 3)}, NAN, NAN},
        {{Angle(2, {35, 1, 30, 1, 0xFFFFFFFFu, 1}, 10), Angle(4, {0xFFFFFF76u, 1, 0, 1, 0, 1}, 10)}, 35.5 - 1 / 3600.0, -138},
        {{latitude(35, 0, 0), Angle(4, {138, 1, 0, 1})}, NAN, NAN}, {{latitude(35, 0, 0)}, NAN, NAN},
        {{latitude(35, 0, 0), Raw(4, 3, 0xFFFFFFF8u, 5)}, NAN, NAN}};
    for (bool le : {true, false}) {
        for (size_t i = 0; i < std::size(cases); ++i) {
            EXPECT_EQ(Read(Jpeg(Exif(Tiff({DateTime(Good)}, {}, cases[i].gps, le)))), Local(Good)) << i;
            EXPECT_EQ(position_.has_value(), !std::isnan(cases[i].latitude)) << "case " << i << (le ? " II" : " MM");
            if (position_) {
                EXPECT_TRUE(position_->Latitude == cases[i].latitude && position_->Longitude == cases[i].longitude) << i;
            }
        }
    }
    // A position without any time; a GPS pointer to IFD0 itself or out of reach.
    EXPECT_EQ(Read(Jpeg(Exif(Tiff({}, {}, {latitude(35, 0, 0), longitude(138, 0, 0)})))), 0);
    EXPECT_TRUE(position_ && position_->Latitude == 35 && position_->Longitude == 138);
    for (uint32_t pointer : {8u, 2u, 0xFFFFFFFFu}) {
        EXPECT_EQ(Read(Jpeg(Exif(Tiff({DateTime(Good), Raw(0x8825, 1, pointer, 4)})))), Local(Good));
        EXPECT_FALSE(position_) << pointer;
    }
}

// Every cut of a header gives the whole answer or none of it.
TEST_F(ExifReaderTest, AHeaderCutAnywhereGivesAllOrNothing) {
    for (bool le : {true, false}) {
        const std::string full = Jpeg(Jfif + Xmp + Exif(Tiff({Text(0x010F, "Maker"), DateTime(Edited)}, {Original(Good)},
                                                           {Text(1, "N"), Angle(2, {35, 1, 0, 1, 0, 1}), Angle(4, {138, 1, 0, 1, 0, 1})}, le)));
        for (size_t length = 0; length < full.size(); ++length) {
            const int64_t time = Read(full.substr(0, length));
            EXPECT_THAT(time, ::testing::AnyOf(0, Local(Good), Local(Edited))) << length;
        }
        EXPECT_EQ(Read(full), Local(Good));
        EXPECT_TRUE(position_.has_value());
    }
}

// The corpus against its facts, in UTC and east of it (where the epoch cannot be represented).
class ExifCorpusTest : public test::CorpusTest, public ::testing::WithParamInterface<const char*> {
protected:
    // The first of the three texts that gives a representable time.
    static std::optional<TimeValue> Expected(const test::Json& fact) {
        for (const char* key : {"datetime_original", "datetime_digitized", "ifd0_datetime"}) {
            if (!test::Given(fact, key)) continue;
            try {
                return ParseExifDateTime(test::Text(fact, key));
            } catch (const InvalidArgumentError&) {
            }
        }
        return std::nullopt;
    }
};

TEST_P(ExifCorpusTest, EveryPhotoGetsTheTimeAndPlaceItsExifGives) {
    const test::ScopedTimeZone zone(GetParam());
    int withTime = 0, withPosition = 0;
    for (const char* kind : {"jpeg", "heic"}) {
        const test::Json facts = Facts(kind);
        PictureList pictures;
        pictures.Scan((Corpus() / kind).string());
        ASSERT_EQ(pictures.GetCount(), facts.size());
        for (const PictureRecord& record : pictures) {
            SCOPED_TRACE(record.FileName);
            ASSERT_TRUE(facts.contains(std::string(kind) + "/" + record.FileName));
            const test::Json& fact = facts[std::string(kind) + "/" + record.FileName];
            const std::optional<TimeValue> expected = Expected(fact);
            ExifReader reader;
            ASSERT_EQ(reader.Read(record.GetFullPath()), expected ? 1 : 0);
            withTime += expected.has_value();
            EXPECT_EQ(reader.GetTime(), expected.value_or(TimeValue()));
            EXPECT_TRUE(expected ? record.TakenTime == *expected : record.TakenTime != TimeValue()) << "else a file time";
            EXPECT_EQ(record.Heif, std::string(kind) == "heic" || record.FileName.find("heic") != std::string::npos);
            if (!fact.contains("gps_latitude")) continue;  // no fact to compare with
            withPosition += record.HasOwnPosition();
            EXPECT_EQ(record.HasOwnPosition(), test::Given(fact, "gps_latitude"));
            if (record.HasOwnPosition()) {
                EXPECT_NEAR(record.OwnLatitude, test::Number(fact, "gps_latitude"), 1e-7);
                EXPECT_NEAR(record.OwnLongitude, test::Number(fact, "gps_longitude"), 1e-7);
            }
        }
    }
    EXPECT_GE(withTime, 25);
    EXPECT_GE(withPosition, 2);
}

INSTANTIATE_TEST_SUITE_P(Zones, ExifCorpusTest, ::testing::Values("UTC", "Asia/Tokyo"));

}  // namespace
}  // namespace trackalbum
