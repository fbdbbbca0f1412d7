#include "pipeline/SpeedChoices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "pipeline/ApplyDoubles.h"

namespace trackalbum {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Texts(const SpeedChoices& choices) {
    std::vector<std::string> texts;
    for (const auto& entry : choices.GetEntries()) texts.push_back(entry.Text);
    return texts;
}

std::vector<unsigned> Values(const SpeedChoices& choices) {
    std::vector<unsigned> values;
    for (const auto& entry : choices.GetEntries()) values.push_back(entry.Value);
    return values;
}

class SpeedChoicesTest : public ::testing::Test {
protected:
    SpeedChoices choices;
};

TEST_F(SpeedChoicesTest, OneEntryPerWholeSpeedRightAlignedInFour) {
    choices.Refill(doubles::MakeTrack({0.4, 12.9, 12.1, 105.0}));
    EXPECT_THAT(Texts(choices), ElementsAre("   0", "  12", " 105"));
    EXPECT_THAT(Values(choices), ElementsAre(0u, 12u, 105u));
}

TEST_F(SpeedChoicesTest, EntriesAreSortedByTextWhichIsNumericOrder) {
    choices.Refill(doubles::MakeTrack({105.0, 9.5, 1000.2, 30.0, 9.9, 2.0}));
    EXPECT_THAT(Texts(choices), ElementsAre("   2", "   9", "  30", " 105", "1000"));
}

TEST_F(SpeedChoicesTest, UnrepresentableSpeedsDoNotMisbehave) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    choices.Refill(doubles::MakeTrack({nan, -3.0, inf}));
    EXPECT_THAT(Values(choices), ElementsAre(0u, 4294967295u));
}

TEST_F(SpeedChoicesTest, LimitReadsSelectionElseTypedTextElseZero) {
    choices.Refill(doubles::MakeTrack({12.5, 30.2}));
    EXPECT_EQ(choices.GetSpeedLimit(), 0.0);
    choices.Select(1);
    EXPECT_EQ(choices.GetText(), "  30");
    EXPECT_EQ(choices.GetSpeedLimit(), 30.0);
    choices.SetText(" 42.5km");
    EXPECT_EQ(choices.GetSelection(), -1);
    EXPECT_EQ(choices.GetSpeedLimit(), 42.5);
    choices.SetText("1e1");
    EXPECT_EQ(choices.GetSpeedLimit(), 10.0);
    choices.SetText("fast");
    EXPECT_EQ(choices.GetSpeedLimit(), 0.0);
    choices.SetText("inf");
    EXPECT_EQ(choices.GetSpeedLimit(), 0.0);
    choices.Select(5);  // no such entry
    EXPECT_EQ(choices.GetSelection(), -1);
}

TEST_F(SpeedChoicesTest, RefillEmptiesTextAndSelection) {
    choices.Refill(doubles::MakeTrack({50.0}));
    choices.Select(0);
    choices.Refill(doubles::MakeTrack({}));
    EXPECT_TRUE(choices.GetEntries().empty());
    EXPECT_EQ(choices.GetText(), "");
    EXPECT_EQ(choices.GetSpeedLimit(), 0.0);
}

TEST_F(SpeedChoicesTest, SelectionFollowsItsEntryWhenAnotherIsInsertedBefore) {
    choices.AddEntry("  50", 50);
    choices.Select(0);
    EXPECT_EQ(choices.AddEntry("   5", 5), 0);
    EXPECT_EQ(choices.AddEntry("  50", 50), 1);  // already there
    EXPECT_EQ(choices.GetSpeedLimit(), 50.0);
}

}  // namespace
}  // namespace trackalbum
