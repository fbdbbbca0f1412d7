#include "photos/PhotoCopyReport.h"

#include <algorithm>

#include "photos/PhotoCopyCaptions.h"
#include "platform/CFormat.h"

namespace trackalbum {

PhotoCopyReport::PhotoCopyReport(std::FILE* progress, bool progressIsTerminal, std::FILE* summary)
    : progress_(progress), progressIsTerminal_(progressIsTerminal), summary_(summary) {}

// The button's captions mean nothing on a command line; the progress comes from PhotoDone.
void PhotoCopyReport::SetCaption(const std::string&) {}

void PhotoCopyReport::EnableCopyControls(bool) {}

void PhotoCopyReport::PhotoDone(int done, int count) {
    if (progressIsTerminal_) {
        std::fputs(("\r" + FormatBar(done, count)).c_str(), progress_);
        barShown_ = true;
    } else {
        std::fputs((GetPhotoCopyProgressCaption(done, count) + "\n").c_str(), progress_);
    }
    std::fflush(progress_);
}

void PhotoCopyReport::Finished(const PhotoCopySummary& summary) {
    if (barShown_) {
        std::fputs("\n", progress_);
        std::fflush(progress_);
        barShown_ = false;
    }
    std::fputs(FormatSummary(summary).c_str(), summary_);
    std::fflush(summary_);
}

std::string PhotoCopyReport::FormatBar(int done, int count, int width) {
    const long long percent = count > 0 ? 100LL * done / count : 100;
    const long long filled =
        count > 0 ? std::clamp<long long>(1LL * width * done / count, 0, width) : width;
    std::string bar = "[";
    bar.append(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(width - filled), '.');
    bar += "]";
    return bar + FormatC(" %3lld%% %d/%d", percent, done, count);
}

std::string PhotoCopyReport::DescribeFailure(PhotoCopyFailure reason) {
    switch (reason) {
    case PhotoCopyFailure::CopyFailed:
        return "コピーできません";
    case PhotoCopyFailure::NotAnImage:
        return "画像として読めません";
    case PhotoCopyFailure::ShrinkFailed:
        return "縮小できません";
    case PhotoCopyFailure::SaveFailed:
        return "保存できません";
    case PhotoCopyFailure::SameAsSource:
        return "元の写真と同じファイルです";
    }
    return "";
}

std::string PhotoCopyReport::FormatSummary(const PhotoCopySummary& summary) {
    std::string text = FormatC("写真: コピー %d枚、縮小 %d枚、失敗 %d枚\n", summary.Copied,
                               summary.Shrunk, summary.GetFailedCount());
    for (const PhotoCopyFailedPhoto& failed : summary.Failed) {
        text += "失敗: " + failed.FileName + "（" + DescribeFailure(failed.Reason) + "）\n";
    }
    if (summary.NotReached > 0) {
        text += FormatC("中断: %d枚は処理されていません\n", summary.NotReached);
    }
    return text;
}

}  // namespace trackalbum
