#include <gtest/gtest.h>

#include "GpsTestSupport.h"
#include "gps/LoadGpx.h"

namespace trackalbum {
namespace {

using test::GpxDocument;

class GpxReaderTest : public ::testing::Test {
protected:
    GpxReadOutcome Read(const std::string& body) { return ReadGpxText(track_, GpxDocument(body)); }
    std::vector<GpsPoint> Points() const { return {track_.begin(), track_.end()}; }

    test::ScopedTimeZone zone_{"UTC"};
    GpsTrack track_;
};

TEST_F(GpxReaderTest, SegmentsRoutesAndTracksFormOneSequence) {
    const auto outcome = Read(
        "<rte><rtept lat=\"1\" lon=\"2\"/><rtept lat=\"3\" lon=\"4\"/></rte>"
        "<trk><trkseg><trkpt lat=\"5\" lon=\"6\"/></trkseg>"
        "<trkseg><trkpt lat=\"7\" lon=\"8\"/></trkseg></trk>");
    EXPECT_EQ(outcome.code, 0u);
    EXPECT_EQ(outcome.message, "");
    ASSERT_EQ(track_.GetCount(), 4u);
    const auto points = Points();
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(points[i].GetLatitude(), 1.0 + 2 * i);
        EXPECT_EQ(points[i].GetLongitude(), 2.0 + 2 * i);
    }
}

TEST_F(GpxReaderTest, TimeAndElevationGoToTheLatestPoint) {
    Read("<metadata><time>2020-01-01T00:00:00Z</time></metadata>"
         "<wpt lat=\"9\" lon=\"9\"><ele>999</ele></wpt>"
         "<trk><trkseg>"
         "<trkpt lat=\"35.5\" lon=\"139.25\"><ele>12.5</ele><time>2006-05-03T01:23:45Z</time></trkpt>"
         "<trkpt><ele>77</ele></trkpt>"
         "<trkpt lon=\"140\"><extensions><elevation>3</elevation></extensions></trkpt>"
         "</trkseg></trk>");
    ASSERT_EQ(track_.GetCount(), 2u);
    const auto points = Points();
    EXPECT_EQ(points[0].GetTime().GetTime(), 1146619425);
    // The point without coordinates adds nothing; its ele goes to the point before it.
    EXPECT_EQ(points[0].GetElevation(), 77.0);
    // "elevation" begins with "ele" and counts as one; a missing lat stays 0.
    EXPECT_EQ(points[1].GetLatitude(), 0.0);
    EXPECT_EQ(points[1].GetLongitude(), 140.0);
    EXPECT_EQ(points[1].GetElevation(), 3.0);
    EXPECT_EQ(points[1].GetTime().GetTime(), 0);
}

TEST_F(GpxReaderTest, NamesMatchByPrefixInAnyNamespace) {
    Read("<trk xmlns:x=\"urn:x\"><x:trkptx x:latitude=\"10.5\" lon=\"20.25\" lon=\"1\"/>"
         "<rteptx lonely=\"7\"/><tim/></trk>");
    ASSERT_EQ(track_.GetCount(), 0u) << "duplicate attribute is not well-formed";

    Read("<trk xmlns:x=\"urn:x\"><x:trkptx x:latitude=\"10.5\" longitude=\"20.25\" x:lon=\"21\"/>"
         "<rtepts lonely=\"7\"/><trkp lat=\"1\" lon=\"1\"/></trk>");
    ASSERT_EQ(track_.GetCount(), 2u);
    const auto points = Points();
    EXPECT_EQ(points[0].GetLatitude(), 10.5);
    EXPECT_EQ(points[0].GetLongitude(), 21.0);  // a later match overwrites the earlier one
    EXPECT_EQ(points[1].GetLongitude(), 7.0);
}

TEST_F(GpxReaderTest, AttributeOrderDoesNotMatter) {
    Read("<trkpt lon=\"139.1\" lat=\"35.2\"/><trkpt lat=\"35.2\" lon=\"139.1\"/>");
    const auto points = Points();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].GetLatitude(), points[1].GetLatitude());
    EXPECT_EQ(points[0].GetLongitude(), points[1].GetLongitude());
}

TEST_F(GpxReaderTest, NestedMatchDoesNotRestartTheText) {
    Read("<trkpt lat=\"1\" lon=\"1\"><ele>1<elevation>2</elevation>3</ele></trkpt>");
    // The inner end closes the collection; the text so far is "12".
    EXPECT_EQ(track_.GetHead().GetElevation(), 12.0);
}

TEST_F(GpxReaderTest, TextInChunksIsGatheredWhole) {
    // Entity and character references split the character data into several deliveries.
    Read("<trkpt lat=\"1\" lon=\"1\"><ele>1&#50;3<![CDATA[4]]>.5</ele>"
         "<time>2006-05-0&#51;T01:23:45Z</time></trkpt>");
    EXPECT_EQ(track_.GetHead().GetElevation(), 1234.5);
    EXPECT_EQ(track_.GetHead().GetTime().GetTime(), 1146619425);
}

TEST_F(GpxReaderTest, NumbersAreDecimalOnly) {
    Read("<trkpt lat=\"nan\" lon=\"inf\"><ele>0x10</ele></trkpt>"
         "<trkpt lat=\"1e999\" lon=\"-1e999\"><ele>INFINITY</ele></trkpt>"
         "<trkpt lat=\"  -35.5xyz\" lon=\"+1.5e2\"><ele>abc</ele></trkpt>"
         "<trkpt lat=\"3,5\" lon=\"\"><ele> 12.25 m</ele></trkpt>");
    const auto points = Points();
    ASSERT_EQ(points.size(), 4u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(points[i].GetLatitude(), 0.0);
        EXPECT_EQ(points[i].GetLongitude(), 0.0);
        EXPECT_EQ(points[i].GetElevation(), 0.0);
    }
    EXPECT_EQ(points[2].GetLatitude(), -35.5);
    EXPECT_EQ(points[2].GetLongitude(), 150.0);
    EXPECT_EQ(points[3].GetLatitude(), 3.0);
    EXPECT_EQ(points[3].GetElevation(), 12.25);
}

TEST_F(GpxReaderTest, LongValuesAreCutNotFatal) {
    const std::string padded(300, ' ');
    const std::string longText(1 << 20, '7');
    Read("<trkpt lat=\"" + padded + "35\" lon=\"" + std::string(250, ' ') + "139\">"
         "<ele>" + longText + "</ele><name>" + longText + "</name></trkpt>");
    ASSERT_EQ(track_.GetCount(), 1u);
    EXPECT_EQ(track_.GetHead().GetLatitude(), 0.0);  // the number lies past the 260th character
    EXPECT_EQ(track_.GetHead().GetLongitude(), 139.0);
    EXPECT_EQ(track_.GetHead().GetElevation(), 0.0);  // far beyond the double range
}

TEST_F(GpxReaderTest, UnrepresentableTimeKeepsThePointsSoFar) {
    const auto outcome = Read(
        "<trkpt lat=\"1\" lon=\"1\"><time>2006-05-03T01:23:45Z</time></trkpt>"
        "<trkpt lat=\"2\" lon=\"2\"><time>1901-12-13T20:45:52Z</time></trkpt>"
        "<trkpt lat=\"3\" lon=\"3\"><time>2006-05-03T01:23:50Z</time></trkpt>");
    EXPECT_EQ(outcome.message, "エラーです。hr=8007000d");
    ASSERT_EQ(track_.GetCount(), 2u);
    EXPECT_EQ(track_.GetTail().GetLatitude(), 2.0);
    EXPECT_EQ(track_.GetTail().GetTime().GetTime(), 0);
}

TEST_F(GpxReaderTest, EachReadStartsFromAnEmptyTrack) {
    Read("<trkpt lat=\"1\" lon=\"1\"/>");
    Read("<trkpt lat=\"2\" lon=\"2\"/>");
    ASSERT_EQ(track_.GetCount(), 1u);
    EXPECT_EQ(track_.GetHead().GetLatitude(), 2.0);
}

}  // namespace
}  // namespace trackalbum
