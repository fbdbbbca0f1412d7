#include "photos/ExifReader.h"

#include <gtest/gtest.h>

#include "photos/jpeg_header_support.h"
#include "photos/temp_folder_support.h"

namespace trackalbum {
namespace {

using testing::Bytes;
using testing::DateTimeEntry;
using testing::IfdEntry;
using testing::MakeExifSegment;
using testing::MakeJfifSegment;
using testing::MakeJpeg;
using testing::MakeSegment;
using testing::MakeTiff;

constexpr char Taken[] = "2006:05:03 12:34:56";

class ExifReaderTest : public ::testing::Test {
protected:
    testing::ScopedTimeZone zone_{"Asia/Tokyo"};
    testing::TempFolder folder_;
    const TimeValue expected_{2006, 5, 3, 12, 34, 56};

    // Reads the bytes both from memory and from a file; both walks must agree.
    int32_t ReadBoth(const Bytes& bytes, TimeValue* time = nullptr) {
        ExifReader memory;
        int32_t fromMemory = memory.ReadBuffer(bytes.data(), bytes.size());
        const std::string path = folder_ / "photo.jpg";
        testing::WriteFile(path, bytes);
        ExifReader file;
        int32_t fromFile = file.Read(path);
        EXPECT_EQ(fromMemory, fromFile);
        EXPECT_EQ(memory.GetTime(), file.GetTime());
        if (time) *time = file.GetTime();
        return fromFile;
    }

    Bytes Photo(bool littleEndian, const std::vector<IfdEntry>& entries) {
        return MakeJpeg({MakeJfifSegment(), MakeExifSegment(MakeTiff(littleEndian, entries))});
    }
};

TEST_F(ExifReaderTest, ReadsIfd0DateTimeInEitherByteOrder) {
    std::vector<IfdEntry> entries{{0x010F, 2, "Maker"}, DateTimeEntry(Taken), {0x0112, 3, "", 1, 6}};
    for (bool le : {true, false}) {
        TimeValue time;
        EXPECT_EQ(ReadBoth(Photo(le, entries), &time), 1) << (le ? "II" : "MM");
        EXPECT_EQ(time, expected_);
    }
}

TEST_F(ExifReaderTest, SkipsSegmentsBeforeTheApp1ByTheirFullLength) {
    Bytes tiff = MakeTiff(false, {DateTimeEntry(Taken)});
    // Lengths past one byte and past the reader's own read chunk; the payload holds bytes
    // that look like an APP1 marker.
    for (size_t size : {300u, 5000u, 20000u, 65000u}) {
        Bytes payload(size, 0xE1);
        payload[0] = 0xFF;
        Bytes bytes = MakeJpeg({MakeJfifSegment(), MakeSegment(0xE2, payload), MakeExifSegment(tiff)});
        TimeValue time;
        EXPECT_EQ(ReadBoth(bytes, &time), 1) << size;
        EXPECT_EQ(time, expected_);
    }
}

TEST_F(ExifReaderTest, ReadsADateTimeFarInsideALargeSegment) {
    std::vector<IfdEntry> entries{{0x8769, 4, "", 1, 0}};
    entries.push_back({0x9999, 7, std::string(60000, 'x')});
    entries.push_back(DateTimeEntry(Taken));
    TimeValue time;
    EXPECT_EQ(ReadBoth(Photo(true, entries), &time), 1);
    EXPECT_EQ(time, expected_);
}

TEST_F(ExifReaderTest, FillBytesBeforeAMarkerAreSkipped) {
    Bytes app1 = MakeExifSegment(MakeTiff(true, {DateTimeEntry(Taken)}));
    app1.insert(app1.begin(), {0xFF, 0xFF});
    EXPECT_EQ(ReadBoth(MakeJpeg({MakeJfifSegment(), app1})), 1);
}

TEST_F(ExifReaderTest, OnlyTheFirstApp1IsLookedAt) {
    Bytes exif = MakeExifSegment(MakeTiff(true, {DateTimeEntry(Taken)}));
    EXPECT_EQ(ReadBoth(MakeJpeg({MakeJfifSegment(), testing::MakeXmpSegment(), exif})), 0);
}

TEST_F(ExifReaderTest, FindsNothingWithoutAnIfd0DateTime) {
    // DateTimeOriginal belongs to the EXIF sub-directory and is not looked at, nor is the
    // same tag in IFD0.
    EXPECT_EQ(ReadBoth(Photo(true, {{0x8769, 4, "", 1, 8}, {0x9003, 2, Taken}})), 0);
    EXPECT_EQ(ReadBoth(MakeJpeg({MakeJfifSegment()})), 0);
    EXPECT_EQ(ReadBoth(MakeJpeg({})), 0);
}

TEST_F(ExifReaderTest, ALaterDateTimeEntryWins) {
    TimeValue time;
    EXPECT_EQ(ReadBoth(Photo(false, {DateTimeEntry("2001:01:01 00:00:00"), DateTimeEntry(Taken)}), &time), 1);
    EXPECT_EQ(time, expected_);
}

TEST_F(ExifReaderTest, AnUnrepresentableDateCountsAsNone) {
    ExifReader reader;
    Bytes good = Photo(true, {DateTimeEntry(Taken)});
    ASSERT_EQ(reader.ReadBuffer(good.data(), good.size()), 1);
    for (const char* text : {"0000:00:00 00:00:00", "", "    :  :     :  :  ", "1969:12:31 00:00:00",
                             "-99999999999999999999:05:03 12:34:56", "99999999999999999999:05:03 12:34:56"}) {
        Bytes zero = Photo(true, {DateTimeEntry(text)});
        EXPECT_EQ(reader.ReadBuffer(zero.data(), zero.size()), 0) << text;
        EXPECT_EQ(reader.GetTime(), expected_) << "the time of the last success stays";
    }
    // An earlier good entry stands against a later zero one.
    Bytes both = Photo(true, {DateTimeEntry(Taken), DateTimeEntry("0000:00:00 00:00:00")});
    EXPECT_EQ(ReadBoth(both), 1);
}

TEST_F(ExifReaderTest, FilesThatAreNoJpegGiveNothing) {
    EXPECT_EQ(ReadBoth({}), 0);
    EXPECT_EQ(ReadBoth({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}), 0);
    EXPECT_EQ(ReadBoth({'h', 'e', 'l', 'l', 'o', '\n'}), 0);
    EXPECT_EQ(ReadBoth({0xFF, 0xD8}), 0);
    ExifReader reader;
    EXPECT_EQ(reader.Read(folder_ / "missing.jpg"), 0);
    EXPECT_EQ(reader.Read(folder_.Path()), 0);
    EXPECT_EQ(reader.GetTime(), TimeValue());
}

TEST_F(ExifReaderTest, EveryTruncationGivesTheTimeOrNothing) {
    for (bool le : {true, false}) {
        Bytes full = Photo(le, {{0x010F, 2, "Maker"}, DateTimeEntry(Taken), {0x0131, 2, "Editor 1.0"}});
        for (size_t length = 0; length <= full.size(); ++length) {
            Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
            TimeValue time;
            int32_t result = ReadBoth(cut, &time);
            if (result == 1) {
                EXPECT_EQ(time, expected_) << length;
            }
        }
        EXPECT_EQ(ReadBoth(full), 1);
    }
}

TEST_F(ExifReaderTest, App1LengthsTooShortForTheirHeaderGiveNothing) {
    Bytes tiff = MakeTiff(true, {DateTimeEntry(Taken)});
    for (uint8_t length = 0; length < 12; ++length) {
        Bytes bytes = MakeJpeg({MakeJfifSegment(), MakeExifSegment(tiff)});
        bytes[2 + 18 + 2] = 0;  // the APP1 length follows SOI and the 18-byte APP0
        bytes[2 + 18 + 3] = length;
        EXPECT_EQ(ReadBoth(bytes), 0) << int(length);
    }
    for (uint8_t length : {0, 1}) {
        Bytes bytes = MakeJpeg({MakeJfifSegment()});
        bytes[5] = length;  // an APP0 that claims less than its own length field
        EXPECT_EQ(ReadBoth(bytes), 0);
    }
}

TEST_F(ExifReaderTest, OffsetsAndCountsOutsideTheSegmentAreNotFollowed) {
    auto withIfdOffset = [](uint32_t offset) {
        Bytes tiff = MakeTiff(false, {DateTimeEntry(Taken)});
        tiff[4] = uint8_t(offset >> 24), tiff[5] = uint8_t(offset >> 16);
        tiff[6] = uint8_t(offset >> 8), tiff[7] = uint8_t(offset);
        return tiff;
    };
    for (uint32_t offset : {0u, 3u, 200u, 0x7FFFFFFFu, 0xFFFFFFF0u}) {
        EXPECT_EQ(ReadBoth(MakeJpeg({MakeExifSegment(withIfdOffset(offset))})), 0) << offset;
    }
    // A text offset or count that leaves the segment, and one that wraps around.
    for (auto [count, offset] : {std::pair{20u, 4000u}, {4000u, 8u}, {0xFFFFFFFFu, 8u}, {20u, 0xFFFFFFFEu}, {20u, 2u}}) {
        EXPECT_EQ(ReadBoth(Photo(true, {{0x0132, 2, "", count, offset}})), 0) << count << " " << offset;
        // An earlier good entry is kept.
        EXPECT_EQ(ReadBoth(Photo(true, {DateTimeEntry(Taken), {0x0132, 2, "", count, offset}})), 1);
    }
}

TEST_F(ExifReaderTest, AnEntryCountBeyondTheSegmentStopsAtItsEnd) {
    Bytes tiff = MakeTiff(true, {DateTimeEntry(Taken)});
    tiff[8] = 0xFF, tiff[9] = 0xFF;  // 65535 entries announced, one present
    TimeValue time;
    EXPECT_EQ(ReadBoth(MakeJpeg({MakeExifSegment(tiff)}), &time), 1);
    EXPECT_EQ(time, expected_);
}

TEST_F(ExifReaderTest, TheWalkStopsAtTheImageData) {
    // No APP1 before the start of scan: the APP1-like bytes in the image data are not read.
    Bytes bytes = MakeJpeg({MakeJfifSegment()});
    Bytes app1 = MakeExifSegment(MakeTiff(true, {DateTimeEntry(Taken)}));
    bytes.insert(bytes.end() - 2, app1.begin(), app1.end());
    EXPECT_EQ(ReadBoth(bytes), 0);
    // Bytes that are not a marker where one is due end the walk too.
    Bytes lost{0xFF, 0xD8, 0x00, 0x10};
    lost.insert(lost.end(), app1.begin(), app1.end());
    EXPECT_EQ(ReadBoth(lost), 0);
}

}  // namespace
}  // namespace trackalbum
