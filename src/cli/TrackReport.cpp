#include "cli/TrackReport.h"

#include <cmath>

#include "page/ProfilePanel.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

std::string SpeedRow(const char* label, double average, double maximum) {
    return FormatC("%s  %4.1f  %4.1f  %s\n", label, average, maximum, FormatPace(average).c_str());
}

}  // namespace

std::string BuildTrackReport(const GpsTrack& track, const std::string& compressionResult) {
    std::string text;
    text += FormatC("合計時間    %s\n", FormatDuration(track.GetTotalTime()).c_str());
    text += FormatC("移動時間    %s\n", FormatDuration(track.GetMovingTime()).c_str());
    // The descent is a negative sum; its magnitude follows the fixed minus sign.
    text += FormatC("累積標高    +%5.0fm\n", track.GetClimb());
    text += FormatC("            -%5.0fm\n", std::fabs(track.GetDescent()));
    text += FormatC("最高点標高  %5.0fm\n", track.GetHighestElevation());
    text += FormatC("最低点標高  %5.0fm\n", track.GetLowestElevation());
    text += FormatC("距離        %5.1fkm\n", track.GetTotalDistance() / 1000);
    text += FormatC(" 上り       %5.1fkm\n", track.GetUpDistance() / 1000);
    text += FormatC(" 下り       %5.1fkm\n", track.GetDownDistance() / 1000);
    text += FormatC(" 平地       %5.1fkm\n", track.GetFlatDistance() / 1000);
    if (track.HasTime()) {
        text += "      平均  最高  ペース(分/km)\n";
        text += SpeedRow("上り", track.GetUpAverageSpeed(), track.GetUpMaxSpeed());
        text += SpeedRow("下り", track.GetDownAverageSpeed(), track.GetDownMaxSpeed());
        text += SpeedRow("平地", track.GetFlatAverageSpeed(), track.GetFlatMaxSpeed());
        text += SpeedRow("全体", track.GetAverageSpeed(), track.GetMaxSpeed());
    }
    if (!compressionResult.empty()) {
        std::string report;
        for (char c : compressionResult) {
            if (c == '\n') report += ' ';
            else if (c != '\r') report += c;
        }
        text += "圧縮結果    " + report + "\n";
    }
    return text;
}

}  // namespace trackalbum
