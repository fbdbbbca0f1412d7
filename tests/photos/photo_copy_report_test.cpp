#include "photos/PhotoCopyReport.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <string>
#include <utility>

#include "photos/PhotoCopyCaptions.h"

namespace trackalbum {
namespace {

TEST(PhotoCopyCaptions, ButtonTexts) {
    EXPECT_EQ("コピー", GetPhotoCopyIdleCaption(true));
    EXPECT_EQ("画像縮小", GetPhotoCopyIdleCaption(false));
    EXPECT_EQ("コピー中…", GetPhotoCopyWorkingCaption(true));
    EXPECT_EQ("縮小中…", GetPhotoCopyWorkingCaption(false));
    EXPECT_EQ("33%...", GetPhotoCopyProgressCaption(1, 3));
    EXPECT_EQ("66%...", GetPhotoCopyProgressCaption(2, 3));
    EXPECT_EQ("100%...", GetPhotoCopyProgressCaption(3, 3));
    EXPECT_EQ("0%...", GetPhotoCopyProgressCaption(1, 101));
}

TEST(PhotoCopyReportTest, SummaryNamesEveryFailure) {
    PhotoCopySummary summary;
    summary.Copied = 2;
    summary.Shrunk = 1;
    summary.Failed = {{"a.jpg", PhotoCopyFailure::NotAnImage},
                      {"b.jpg", PhotoCopyFailure::SaveFailed}};
    summary.NotReached = 4;
    EXPECT_EQ("写真: コピー 2枚、縮小 1枚、失敗 2枚\n"
              "失敗: a.jpg（画像として読めません）\n"
              "失敗: b.jpg（保存できません）\n"
              "中断: 4枚は処理されていません\n",
              PhotoCopyReport::FormatSummary(summary));
    EXPECT_EQ("写真: コピー 0枚、縮小 0枚、失敗 0枚\n",
              PhotoCopyReport::FormatSummary(PhotoCopySummary{}));
}

TEST(PhotoCopyReportTest, BarFillsWithTheProgress) {
    EXPECT_EQ("[..........]   0% 0/3", PhotoCopyReport::FormatBar(0, 3, 10));
    EXPECT_EQ("[###.......]  33% 1/3", PhotoCopyReport::FormatBar(1, 3, 10));
    EXPECT_EQ("[##########] 100% 3/3", PhotoCopyReport::FormatBar(3, 3, 10));
}

// Runs the report as a host and gives what it wrote to each stream.
std::pair<std::string, std::string> Report(bool terminal) {
    char* progressText = nullptr;
    size_t progressSize = 0;
    char* summaryText = nullptr;
    size_t summarySize = 0;
    std::FILE* progress = open_memstream(&progressText, &progressSize);
    std::FILE* summaryStream = open_memstream(&summaryText, &summarySize);
    {
        PhotoCopyReport report(progress, terminal, summaryStream);
        report.EnableCopyControls(false);
        report.SetCaption("縮小中…");
        for (int done = 1; done <= 3; ++done) {
            report.SetCaption(GetPhotoCopyProgressCaption(done, 3));
            report.PhotoDone(done, 3);
        }
        PhotoCopySummary summary;
        summary.Shrunk = 3;
        report.Finished(summary);
    }
    std::fclose(progress);
    std::fclose(summaryStream);
    std::pair<std::string, std::string> result{progressText, summaryText};
    free(progressText);
    free(summaryText);
    return result;
}

TEST(PhotoCopyReportTest, PercentLinesWhenNotATerminal) {
    const auto [progress, summary] = Report(false);
    EXPECT_EQ("33%...\n66%...\n100%...\n", progress);
    EXPECT_EQ("写真: コピー 0枚、縮小 3枚、失敗 0枚\n", summary);
}

TEST(PhotoCopyReportTest, BarRedrawnInPlaceOnATerminal) {
    const auto [progress, summary] = Report(true);
    EXPECT_EQ("\r" + PhotoCopyReport::FormatBar(1, 3) + "\r" + PhotoCopyReport::FormatBar(2, 3) +
                  "\r" + PhotoCopyReport::FormatBar(3, 3) + "\n",
              progress);
    EXPECT_EQ("写真: コピー 0枚、縮小 3枚、失敗 0枚\n", summary);
}

}  // namespace
}  // namespace trackalbum
