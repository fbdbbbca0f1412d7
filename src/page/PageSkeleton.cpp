#include "page/PageSkeleton.h"

#include "page/Escaping.h"
#include "page/OutputKind.h"
#include "page/PageFormat.h"
#include "page/PhotoMarkers.h"
#include "page/Player.h"
#include "page/ProfilePanel.h"
#include "page/RouteOverlay.h"

namespace trackalbum {
namespace {

void AppendRule(std::string& out, const char* comment, const char* selector,
                std::initializer_list<std::string> declarations) {
    if (comment != nullptr) AppendLine(out, std::string("    /*") + comment + "*/");
    AppendLine(out, std::string("    ") + selector + " {");
    for (const std::string& declaration : declarations) AppendLine(out, "        " + declaration);
    AppendLine(out, "    }");
}

}  // namespace

std::string BuildDoctype(TimeValue now, const std::string& version) {
    std::string out;
    AppendLine(out, R"~(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN")~");
    AppendLine(out, R"~(  "http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">)~");
    AppendLine(out, "<!-- Outputted on " + now.Format("%Y/%m/%d %H:%M:%S") + " by Trackalbum Ver " + version +
                        ", (C) the Trackalbum project -->");
    return out;
}

std::string BuildStyle(const PageOptions& options, const std::string& mapWidth, const std::string& mapHeight) {
    const std::string& top = options.GetProfHeightText();
    std::string out;
    AppendLine(out, R"~(  <style type="text/css">)~");
    AppendLine(out, "    <!--");
    AppendLine(out, R"~(    v\:* {behavior:url(#default#VML);})~");
    AppendLine(out, "    html, body {width: 100%; height: 100%;margin-top: 0px; margin-right: 0px; "
                    "margin-left: 0px; margin-bottom: 0px}");
    AppendRule(out, "マーカー全体", ".marker", {"margin-top: 0px;"});
    AppendRule(out, "地図", ".map", {"width: " + mapWidth + ";", "height: " + mapHeight});
    AppendRule(out, "写真", ".marker .picture",
               {"text-align: center;", "width: 212px;", "height: 124px;", "padding: 2px;"});
    AppendRule(out, "コメント", ".marker .comment",
               {"color:#000000;", "text-align: center;", "font-size: 12px;", "padding: 2px;"});
    AppendRule(out, "撮影時刻", ".marker .time",
               {"color:#000000;", "text-align: left;", "font-size: 9px;", "padding: 2px;"});
    AppendRule(out, "プレイヤー", ".player",
               {"position: absolute;", "top: " + top + ";", "font-size: 10pt;", "left: 201px;"});
    AppendRule(out, "凡例", ".legend",
               {"width: 200px;", "position: absolute;", "top: " + top + ";", "font-size: 10pt;", "left: 0px;"});
    AppendRule(out, "凡例テキスト", ".legend .text", {"padding: 3px;"});
    AppendRule(out, "凡例タイトル", ".legend .title",
               {"font-size: 10pt;", "color: #FFFFFF;", "background-color: #0000CC;", "margin: 0px;", "padding: 2px;"});
    AppendRule(out, "プロファイル全体", ".profile",
               {"width: 180px;", "position: absolute;", "top: 0px;", "font-size: 10pt;",
                "left: " + options.GetProfWidthText() + ";"});
    AppendRule(out, "プロファイルテキスト", ".profile .text", {"padding: 3px;"});
    AppendRule(out, "プロファイルタイトル", ".profile .title",
               {"font-size: 10pt;", "color: #FFFFFF;", "background-color: #0000CC;", "margin: 0px;", "padding: 2px;"});
    AppendRule(out, nullptr, ".profile .graph", {"background-color: #FFFFCC;"});
    AppendRule(out, nullptr, ".profile .graph .text", {"font-size: 8pt;"});
    AppendLine(out, "    -->");
    AppendLine(out, "    </style>");
    return out;
}

std::string BuildHeadMeta(const PageOptions& options) {
    std::string out;
    AppendLine(out, R"~(    <meta http-equiv="content-type" content="text/html; charset=utf-8"/>)~");
    AppendLine(out, "    <title>" + EscapeMarkup(options.GetPageName()) + "</title>");
    AppendLine(out, "    <script src=\"" + EscapeMarkup(options.GetAPIHost()) + "/maps?file=api&amp;v=2&amp;" +
                        (options.GetJapanese() != 0 ? "hl=ja&amp;" : "") + "key=" +
                        EscapeMarkup(options.GetAPIKey()) + "\"");
    AppendLine(out, "\ttype=\"text/javascript\"></script>");
    return out;
}

std::string BuildScriptVariables(bool playerOn, int64_t playerStep) {
    std::string out;
    AppendLine(out, "\tvar map = null;");
    if (playerOn) out += BuildPlayerScript(playerStep);
    out += BuildMarkerFunctions();
    return out;
}

std::string BuildMapControls(const PageOptions& options) {
    std::string out;
    const int flags = options.GetControlFlags();
    if (flags & 1) AppendLine(out, "        map.addControl(new GSmallMapControl());");
    if (flags & 2) AppendLine(out, "        map.addControl(new GLargeMapControl());");
    if (flags & 4) AppendLine(out, "        map.addControl(new GMapTypeControl());");
    if (options.GetScale() != 0) AppendLine(out, "        map.addControl(new GScaleControl());");
    if (options.GetOverview() != 0) AppendLine(out, "        map.addControl(new GOverviewMapControl());");
    return out;
}

void AppendLoadFunction(std::string& out, const PageOptions& options, int kind, const GpsTrack& track,
                        const PictureList& pictures) {
    AppendLine(out, "    function load() {");
    AppendLine(out, "      if (GBrowserIsCompatible()) {");
    AppendLine(out, R"~(        map = new GMap2(document.getElementById("map"));)~");
    out += BuildMapControls(options);
    AppendLine(out, "\t");
    AppendLine(out, "        //ダブルクリックした部分を先頭に移動させる処理の登録");
    AppendLine(out, "\t\tGEvent.addListener(map, \"moveend\", function() {");
    AppendLine(out, "          var center = map.getCenter();");
    AppendLine(out, "        });");
    if (!track.IsEmpty()) out += BuildMapView(options, track);
    AppendRouteOverlay(out, options, kind, track);
    out += BuildPhotoMarkers(options, kind, pictures);
    AppendLine(out, "      }");
    AppendLine(out, "    }");
}

std::string BuildLoadFunction(const PageOptions& options, int kind, const GpsTrack& track,
                              const PictureList& pictures) {
    std::string out;
    AppendLoadFunction(out, options, kind, track, pictures);
    return out;
}

std::string BuildPanels(const PageOptions& options, int kind, const GpsTrack& track) {
    std::string out;
    if (options.GetColoring() != 0) out += BuildLegend(options);
    if (options.GetIconTrace() != 0) out += BuildPlayerForm(HasTracePositions(options, kind, track));
    out += BuildProfilePanel(options, track);
    return out;
}

std::string BuildBody(const PageOptions& options, int kind, const GpsTrack& track) {
    std::string out;
    AppendLine(out, R"~(  <body onload="load()" onunload="GUnload()">)~");
    AppendLine(out, R"~(    <div id="map" class="map"></div>)~");
    if (kind & OutputKind::ProfileLayout) out += BuildPanels(options, kind, track);
    AppendLine(out, "  </body>");
    return out;
}

}  // namespace trackalbum
