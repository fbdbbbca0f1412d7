#include "pipeline/SpeedChoices.h"

#include <gtest/gtest.h>

#include <limits>

#include "pipeline/ApplyDoubles.h"

namespace trackalbum {
namespace {

std::string Entries(const SpeedChoices& choices) {
    std::string text;
    for (const auto& entry : choices.GetEntries()) text += FormatC("[%s]=%u ", entry.Text.c_str(), entry.Value);
    return text + choices.GetText();
}

TEST(SpeedChoicesTest, OneEntryPerWholeSpeedSortedAsTextAndTheLimitReadingRule) {
    SpeedChoices choices;
    choices.Refill(doubles::MakeTrack({105.0, 9.5, 1000.2, 0.4, 9.9, std::numeric_limits<double>::quiet_NaN(),
                                       -3.0, std::numeric_limits<double>::infinity()}));
    EXPECT_EQ(Entries(choices), "[   0]=0 [   9]=9 [ 105]=105 [1000]=1000 [4294967295]=4294967295 ");
    choices.Select(2);
    EXPECT_EQ(choices.AddEntry("   5", 5), 1);  // the selection follows its entry
    EXPECT_EQ(choices.GetSpeedLimit(), 105.0);
    for (const auto& [text, limit] : {std::pair{" 42.5km", 42.5}, {"-1e1", -10.0}, {"fast", 0.0}, {"inf", 0.0}}) {
        choices.SetText(text);
        EXPECT_EQ(choices.GetSpeedLimit(), limit) << text;
    }
    choices.Select(1);
    choices.Refill(doubles::MakeTrack({}));  // empties entries, text and selection
    EXPECT_EQ(Entries(choices), "");
    EXPECT_EQ(choices.GetSpeedLimit(), 0.0);
}

}  // namespace
}  // namespace trackalbum
