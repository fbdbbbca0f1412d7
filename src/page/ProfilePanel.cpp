#include "page/ProfilePanel.h"

#include <cmath>

#include "page/Escaping.h"
#include "page/OutputFiles.h"
#include "page/PageFormat.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

// An average that is no finite number is shown as none at all.
double Displayed(double averageSpeed) { return std::isfinite(averageSpeed) ? averageSpeed : 0.0; }

std::string ChartReference(const std::string& gpxPath, const char* suffix) {
    // The backslash is the page's own text; browsers read it as a slash.
    return EscapeMarkup(EncodeAddress("img\\" + GetOutputBaseName(gpxPath) + suffix));
}

void AppendDistanceRow(std::string& out, const char* labelCell, const std::string& valueCell) {
    AppendLine(out, "\t\t<tr> ");
    AppendLine(out, std::string("\t\t  ") + labelCell);
    AppendLine(out, "\t\t  " + valueCell);
    AppendLine(out, "\t\t</tr>");
}

void AppendSpeedRow(std::string& out, const char* indent, const char* label, double average, double maximum) {
    const double shown = Displayed(average);
    AppendLine(out, "\t\t\t<tr> ");
    AppendLine(out, std::string(indent) + "<td class=\"text\">" + label + "</td>");
    AppendLine(out, FormatC("\t\t\t\t<td class=\"text\" align=\"right\">%4.1f</td>", shown));
    AppendLine(out, FormatC("\t\t\t\t<td class=\"text\" align=\"right\">%4.1f</td>", maximum));
    AppendLine(out, "\t\t\t\t<td class=\"text\" align=\"right\">" + FormatPace(shown) + "</td>");
    AppendLine(out, "\t\t\t</tr>");
}

void AppendTimes(std::string& out, const GpsTrack& track) {
    AppendLine(out, "<div class=\"profile\">");
    AppendLine(out, "\t\t<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">");
    AppendLine(out, "\t\t<tr>");
    AppendLine(out, "\t\t  <td class=\"title\">統計情報 </td>");
    AppendLine(out, "\t\t</tr>");
    AppendLine(out, "\t  </table>");
    AppendLine(out, "\t  <table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\">");
    AppendLine(out, "\t\t<tr>");
    AppendLine(out, "\t\t  <td width=\"50%\" class=\"text\">合計時間</td>");
    AppendLine(out, "\t\t  <td width=\"50%\" class=\"text\" align=\"right\">" + FormatDuration(track.GetTotalTime()) + "</td>");
    AppendLine(out, "\t  </tr>");
    AppendLine(out, "\t  <tr>");
    AppendLine(out, "\t\t  <td class=\"text\">移動時間</td>");
    AppendLine(out, "\t\t  <td class=\"text\" align=\"right\">" + FormatDuration(track.GetMovingTime()) + "</td>");
    AppendLine(out, "\t  </tr>");
    AppendLine(out, "\t</table>");
}

void AppendElevationChart(std::string& out, const std::string& reference) {
    AppendLine(out, "\t<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" class=\"graph\">");
    AppendLine(out, "      <tr>");
    AppendLine(out, "\t  <td class=\"text\" align=\"center\">距離(km)×標高(m)</td>");
    AppendLine(out, "      </tr>");
    AppendLine(out, "\t  <tr>");
    AppendLine(out, "\t  <td><img src=\"" + reference + "\" /></td>");
    AppendLine(out, "\t  </tr>");
    AppendLine(out, "\t  </table>");
}

void AppendElevationAndDistance(std::string& out, const GpsTrack& track) {
    const std::string value = "<td class=\"text\" align=\"right\">";
    AppendLine(out, "\t  <table width=\"100%\" border=\"1\" cellpadding=\"0\" cellspacing=\"0\">");
    AppendLine(out, "\t\t<tr> ");
    AppendLine(out, "\t\t  <td width=\"50%\" class=\"text\">累積標高</td>");
    AppendLine(out, FormatC("\t\t  <td width=\"50%%\" class=\"text\" align=\"right\">+%5.0fm<br />", track.GetClimb()));
    // The descent is held negative; its magnitude follows the fixed minus sign.
    AppendLine(out, FormatC("\t\t\t-%5.0fm</td>", std::fabs(track.GetDescent())));
    AppendLine(out, "\t\t</tr>");
    AppendDistanceRow(out, "<td class=\"text\">最高点標高</td>", value + FormatC("%5.0fm</td>", track.GetHighestElevation()));
    AppendDistanceRow(out, "<td class=\"text\">最低点標高</td>", value + FormatC("%5.0fm</td>", track.GetLowestElevation()));
    AppendDistanceRow(out, "<td class=\"text\">距離</td>", value + FormatC("%5.1fkm</td>", track.GetTotalDistance() / 1000));
    AppendDistanceRow(out, "<td align=\"right\" class=\"text\"> 上り</td>", value + FormatC("%5.1fkm</td>", track.GetUpDistance() / 1000));
    AppendDistanceRow(out, "<td align=\"right\" class=\"text\"> 下り</td>", value + FormatC("%5.1fkm</td>", track.GetDownDistance() / 1000));
    AppendDistanceRow(out, "<td align=\"right\" class=\"text\"> 平地</td>", value + FormatC("%5.1fkm</td>", track.GetFlatDistance() / 1000));
    AppendLine(out, "\t  </table>");
}

void AppendSpeedPart(std::string& out, const std::string& reference, const GpsTrack& track) {
    AppendLine(out, "\t\t  <table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" class=\"graph\">");
    AppendLine(out, "\t\t  <tr>");
    AppendLine(out, "\t\t  <td class=\"text\" align=\"center\">分布：速度(km/h)×距離(km)</td>");
    AppendLine(out, "\t\t  </tr>");
    AppendLine(out, "\t\t  <tr>");
    AppendLine(out, "\t\t  <td><img src=\"" + reference + "\" /></td>");
    AppendLine(out, "\t\t  </tr>");
    AppendLine(out, "\t\t  </table>");

    AppendLine(out, "\t  <table width=\"100%\" border=\"1\" cellpadding=\"0\" cellspacing=\"0\">");
    AppendLine(out, "\t\t\t<tr> ");
    AppendLine(out, "\t\t\t<td class=\"text\">&nbsp;</td>");
    AppendLine(out, "\t\t\t<td class=\"text\" align=\"center\">平均<br />");
    AppendLine(out, "\t\t\t\t(km/h)</td>");
    AppendLine(out, "\t\t\t<td class=\"text\" align=\"center\">最大<br />");
    AppendLine(out, "\t\t\t\t(km/h) <br />");
    AppendLine(out, "\t\t\t</td>");
    AppendLine(out, "\t\t\t<td class=\"text\" align=\"center\">ペース<br />");
    AppendLine(out, "\t\t\t\t分/km</td>");
    AppendLine(out, "\t\t\t</tr>");
    AppendSpeedRow(out, "\t\t\t\t", "上り", track.GetUpAverageSpeed(), track.GetUpMaxSpeed());
    AppendSpeedRow(out, "\t\t\t", "下り", track.GetDownAverageSpeed(), track.GetDownMaxSpeed());
    AppendSpeedRow(out, "\t\t\t\t", "平地", track.GetFlatAverageSpeed(), track.GetFlatMaxSpeed());
    AppendSpeedRow(out, "\t\t\t\t", "全体", track.GetAverageSpeed(), track.GetMaxSpeed());
    AppendLine(out, "\t\t\t</table>");
}

}  // namespace

std::string FormatDuration(TimeSpan span) {
    const int64_t seconds = span.GetTotalSeconds();
    const int64_t hours = seconds >= 86400 ? seconds / 3600 : span.GetHours();
    return FormatC("%02lld:%02lld:%02lld", static_cast<long long>(hours),
                   static_cast<long long>(span.GetMinutes()), static_cast<long long>(span.GetSeconds()));
}

std::string FormatPace(double averageSpeed) {
    if (!(averageSpeed > 0.0) || !std::isfinite(averageSpeed)) return "  --";
    return FormatC("%4.1f", 60.0 / averageSpeed);
}

std::string GetElevationChartReference(const std::string& gpxPath) { return ChartReference(gpxPath, "_ele.gif"); }

std::string GetSpeedChartReference(const std::string& gpxPath) { return ChartReference(gpxPath, "_dis.gif"); }

std::string BuildProfilePanel(const PageOptions& options, const GpsTrack& track) {
    std::string out;
    AppendTimes(out, track);
    AppendElevationChart(out, GetElevationChartReference(options.GetGpsFile()));
    AppendElevationAndDistance(out, track);
    if (track.HasTime()) AppendSpeedPart(out, GetSpeedChartReference(options.GetGpsFile()), track);
    AppendLine(out, "\t  </div>");
    return out;
}

}  // namespace trackalbum
