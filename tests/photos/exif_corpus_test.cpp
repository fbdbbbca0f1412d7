// Every camera file of the corpus against the facts gathered for it independently.
#include <gtest/gtest.h>

#include <optional>

#include "charts/Image.h"
#include "gps/TimeValue.h"
#include "photos/ExifReader.h"
#include "photos/PictureList.h"
#include "support/MiniJson.h"
#include "photos/temp_folder_support.h"
#include "platform/DirectoryListing.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

const std::string CorpusDir = CORPUS_DIR;

class ExifCorpusTest : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() { facts_ = test::ReadJsonFile(CorpusDir + "/expected.json")["jpeg"]; }

    // The time the program must find: the IFD0 DateTime when the first APP1 is the EXIF
    // one and its text gives a representable time here.
    static std::optional<TimeValue> ExpectedTime(const test::JsonValue& fact) {
        if (!fact["first_app1_is_exif"].boolean || fact["ifd0_datetime"].IsNull()) return std::nullopt;
        try {
            return ParseExifDateTime(fact["ifd0_datetime"].text);
        } catch (const InvalidArgumentError&) {
            return std::nullopt;
        }
    }

    static inline test::JsonValue facts_;
};

TEST_P(ExifCorpusTest, DateTimeOrItsAbsenceMatchesTheFacts) {
    testing::ScopedTimeZone zone(GetParam());
    ASSERT_GE(facts_.members.size(), 30u);
    int withTime = 0;
    for (const auto& [name, fact] : facts_.members) {
        SCOPED_TRACE(name);
        ExifReader reader;
        std::optional<TimeValue> expected = ExpectedTime(fact);
        ASSERT_EQ(reader.Read(CorpusDir + "/" + name), expected ? 1 : 0);
        if (expected) {
            EXPECT_EQ(reader.GetTime(), *expected);
            ++withTime;
        }
    }
    EXPECT_GE(withTime, 20);
}

TEST_P(ExifCorpusTest, HeaderSizeMatchesTheFrameTurnedByOrientation) {
    for (const auto& [name, fact] : facts_.members) {
        if (fact["width"].IsNull()) continue;  // not a JPEG
        SCOPED_TRACE(name);
        int width = 0, height = 0;
        ASSERT_TRUE(ReadImageSize(CorpusDir + "/" + name, width, height));
        const int orientation = fact["orientation"].IsNull() ? 1 : static_cast<int>(fact["orientation"].number);
        const bool turned = orientation >= 5 && orientation <= 8;
        EXPECT_EQ(width, static_cast<int>(turned ? fact["height"].number : fact["width"].number));
        EXPECT_EQ(height, static_cast<int>(turned ? fact["width"].number : fact["height"].number));
    }
}

// UTC and a zone east of it, where the file dated at the epoch cannot be represented.
INSTANTIATE_TEST_SUITE_P(Zones, ExifCorpusTest, ::testing::Values("UTC", "Asia/Tokyo"));

TEST(ExifCorpusScanTest, TheFolderScanListsEveryFileInListingOrder) {
    // East of UTC, so that the file dated at the epoch gets a file time as well.
    testing::ScopedTimeZone zone("Asia/Tokyo");
    test::JsonValue facts = test::ReadJsonFile(CorpusDir + "/expected.json")["jpeg"];
    PictureList pictures;
    pictures.Scan(CorpusDir + "/jpeg");
    ASSERT_EQ(pictures.GetCount(), facts.members.size());
    for (size_t i = 0; i < pictures.GetCount(); ++i) {
        const PictureRecord& record = pictures[i];
        SCOPED_TRACE(record.FileName);
        EXPECT_EQ(record.Folder, CorpusDir + "/jpeg");
        EXPECT_FALSE(facts["jpeg/" + record.FileName].IsNull());
        EXPECT_NE(record.TakenTime, TimeValue()) << "an EXIF time or a file time";
        EXPECT_FALSE(record.IsPlaced());
        if (i > 0) {
            EXPECT_TRUE(DirectoryOrderLess(pictures[i - 1].FileName, record.FileName));
        }
    }
}

}  // namespace
}  // namespace trackalbum
