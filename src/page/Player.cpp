#include "page/Player.h"

#include <limits>

#include "gps/GpsPointList.h"
#include "page/Escaping.h"
#include "page/OutputKind.h"
#include "page/PageFormat.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

constexpr const char* PlayerFunctions[] = {
    "\tfunction digit(d) {",
    "\t\tif (d > 9) {",
    "\t\t\treturn \"\" + d;",
    "\t\t}",
    "\t\treturn \"0\" + d;",
    "\t}",
    "\tfunction elapseTime() {",
    nullptr,  // the step line
    "\t\tvar h = Math.floor(t1 / 3600);",
    "\t\tvar t2 = t1 - h * 3600;",
    "\t\tvar m = Math.floor(t2 / 60);",
    "\t\tvar s = t2 - m * 60;",
    "\t\treturn \"[経過時間：\" + digit(h) + \":\" + digit(m) + \":\" + digit(s) + \"]\";",
    "\t}",
    "\tfunction setMarker() {",
    "\t\tbike.setPoint(ps[pos]);",
    "\t\tif (document.player.scroll.checked && !map.getBounds().contains(ps[pos])) {",
    "\t\t\tmap.setCenter(ps[pos]);",
    "\t\t}",
    "\t\tdocument.getElementById(\"elapse\").innerText = elapseTime();",
    "\t}",
    "\tfunction resetPos() {",
    "\t\tpos = 0;",
    "\t\tsetMarker();",
    "\t}",
    "\tfunction gotoTail() {",
    "\t\tpos = ps.length - 1;",
    "\t\tsetMarker();",
    "\t}",
    "\tfunction isHead() {",
    "\t\treturn pos == 0;",
    "\t}",
    "\tfunction isTail() {",
    "\t\treturn pos == ps.length - 1;",
    "\t}",
    "\tfunction incrementPos() {",
    "\t\tif (isTail()) {",
    "\t\t\treturn pos;",
    "\t\t}",
    "\t\tpos++;",
    "\t\tsetMarker();",
    "\t\treturn pos;",
    "\t}",
    "\tfunction decrementPos() {",
    "\t\tif (isHead()) {",
    "\t\t\treturn pos;",
    "\t\t}",
    "\t\tpos--;",
    "\t\tsetMarker();",
    "\t\treturn pos;",
    "\t}",
    "\tfunction buttonSateControl(player) {",
    "\t\tplayer.head.disabled = !player.head.disabled;",
    "\t\tplayer.tail.disabled = !player.tail.disabled;",
    "\t\tplayer.back.disabled = !player.back.disabled;",
    "\t\tplayer.forward.disabled = !player.forward.disabled;",
    "\t\tfor (var i = 0; i < player.speed.length; i++) {",
    "\t\t\tplayer.speed[i].disabled = !player.speed[i].disabled;",
    "\t\t}",
    "\t}",
    "\tfunction readSpeed() {",
    "\t\tvar speed = document.player.speed;",
    "\t\tfor (var i = 0; i < speed.length; i++) {",
    "\t\t\tif (speed[i].checked) {",
    "\t\t\t\treturn (i + 1) * 300 / (speed.length + 1);",
    "\t\t\t}",
    "\t\t}",
    "\t\treturn 300;",
    "\t}",
    "\tfunction playOrStop() {",
    "\t\tvar play = document.player.play;",
    "\t\tif (play.value == \"再生\") {",
    "\t\t\tif (isTail()) {",
    "\t\t\t\tresetPos();",
    "\t\t\t}",
    "\t\t\tplay.value = \"停止\";",
    "\t\t\tspan = readSpeed();",
    "\t\t\tplaying();",
    "\t\t} else {",
    "\t\t\tplay.value = \"再生\";",
    // A step already scheduled must not run on into a later playback.
    "\t\t\tclearTimeout(playing.timer);",
    "\t\t}",
    "\t\tbuttonSateControl(document.player);",
    "\t}",
    "\tfunction playing() {",
    // Stopped while a step was pending: that step must not move or restart anything.
    "\t\tif (document.player.play.value == \"再生\") {",
    "\t\t\treturn;",
    "\t\t}",
    "\t\tincrementPos();",
    "\t\tif (isTail()) {",
    "\t\t\tplayOrStop();",
    "\t\t} else if (document.player.play.value == \"停止\") {",
    "\t\t\tplaying.timer = setTimeout(\"playing()\", span);",
    "\t\t}",
    "\t}",
};

constexpr const char* Buttons[] = {
    R"~(<input type="button" onclick="resetPos()" value="|<" name="head" title="開始位置へジャンプ")~",
    R"~(<input type="button" onclick="decrementPos()" value="<" name="back" title="コマ戻り")~",
    R"~(<input type="button" onclick="playOrStop()" value="再生" name="play" title="再生/停止")~",
    R"~(<input type="button" onclick="incrementPos()" value=">" name="forward" title="コマ送り")~",
    R"~(<input type="button" onclick="gotoTail()" value=">|" name="tail" title="終了位置へジャンプ")~",
};

bool HasTrace(const PageOptions& options, int kind) {
    const int both = OutputKind::Route | OutputKind::ProfileLayout;
    return options.GetIconTrace() != 0 && (kind & both) == both;
}

}  // namespace

int32_t GetTraceStep(const GpsTrack& track) {
    const int64_t step = track.GetPlayerStep();
    if (step > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return step <= 0 ? 0 : static_cast<int32_t>(step);
}

std::string BuildPlayerScript(int64_t step) {
    std::string out;
    AppendLine(out, "\t/*プレイヤーのための変数*/");
    AppendLine(out, "\tvar span = 0;");
    AppendLine(out, "\tvar ic = null;");
    AppendLine(out, "\tvar bike = null;");
    AppendLine(out, "\tvar pos = 0;");
    AppendLine(out, "\tvar ps = [];");
    AppendLine(out, "\t\t");
    for (const char* line : PlayerFunctions) {
        AppendLine(out, line != nullptr ? std::string(line) : FormatC("\t\tvar t1 = pos * %lld;", static_cast<long long>(step)));
    }
    return out;
}

bool HasTracePositions(const PageOptions& options, int kind, const GpsTrack& track) {
    // The resampled list always starts with a copy of the first point.
    return HasTrace(options, kind) && !track.IsEmpty() && GetTraceStep(track) > 0;
}

std::string BuildTrace(const PageOptions& options, int kind, const GpsTrack& track) {
    if (!HasTrace(options, kind)) return std::string();
    std::string out;
    AppendLine(out, "\t\t// トレース用データ");
    const int32_t step = GetTraceStep(track);
    if (step <= 0) {
        AppendLine(out, "\t\t// トレース用データを出力できませんでした。");
        return out;
    }
    GpsPointList positions;
    positions.ResampleByTime(step, track);
    for (const GpsPoint& position : positions) {
        out += "        ps.push(";
        AppendLatLng(out, position.GetLatitude(), position.GetLongitude());
        out += ");\r\n";
    }
    if (positions.IsEmpty()) return out;
    // The icon host goes into a script string.
    const std::string host = EscapeScriptString(options.GetIconHost());
    AppendLine(out, "\t\t// トレース用アイコン");
    AppendLine(out, "\t\t\t\tic = new GIcon();");
    AppendLine(out, "\t\t\t\tic.image = \"" + host + "/ridefinder/images/mm_20_red.png\";");
    AppendLine(out, "\t\t\t\tic.shadow = \"" + host + "/ridefinder/images/mm_20_shadow.png\";");
    AppendLine(out, "\t\t\t\tic.iconSize = new GSize(12, 20);");
    AppendLine(out, "\t\t\t\tic.shadowSize = new GSize(22, 20);");
    AppendLine(out, "\t\t\t\tic.iconAnchor = new GPoint(6, 20);");
    AppendLine(out, "\t\t\t\tic.infoWindowAnchor = new GPoint(5, 1);");
    AppendLine(out, "\t\t\t\tbike = new GMarker(ps[0], ic);");
    AppendLine(out, "\t\t\t\tmap.addOverlay(bike);");
    return out;
}

std::string BuildLegend(const PageOptions& options) {
    std::string out;
    AppendLine(out, "\t<div class=\"legend\">");
    AppendLine(out, "\t\t<table width=\"100%\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">");
    AppendLine(out, "\t\t\t<tr>");
    AppendLine(out, "\t\t\t<td class=\"title\">凡例</td>");
    AppendLine(out, "\t\t</tr>");
    AppendLine(out, "\t\t</table>");
    AppendLine(out, "\t\t<table width=\"100%\" border=\"1\" cellpadding=\"0\" cellspacing=\"0\">");
    AppendLine(out, "\t\t\t<tr>");
    AppendLine(out, "\t\t\t<td class=\"text\"><font color=\"#" + options.GetUpColorHex() + "\">上り</font></td>");
    AppendLine(out, "\t\t\t<td class=\"text\"><font color=\"#" + options.GetDownColorHex() + "\">下り</font></td>");
    AppendLine(out, "\t\t\t<td class=\"text\"><font color=\"#" + options.GetFlatColorHex() + "\">平地</font></td>");
    AppendLine(out, "\t\t\t</tr>");
    AppendLine(out, "\t\t\t</table></div>");
    return out;
}

std::string BuildPlayerForm(bool hasPositions) {
    std::string out;
    AppendLine(out, "\t  <div class=\"player\">");
    AppendLine(out, "\t\t  <form name=\"player\">");
    for (const char* button : Buttons) {
        AppendLine(out, std::string("\t\t\t") + button + (hasPositions ? "/>" : " disabled=\"disabled\"/>"));
    }
    AppendLine(out, "\t\t\t<input type=\"radio\" name=\"speed\">速い</input>");
    AppendLine(out, "\t\t\t<input type=\"radio\" name=\"speed\" checked>普通</input>");
    AppendLine(out, "\t\t\t<input type=\"radio\" name=\"speed\">遅い</input>");
    AppendLine(out, "\t\t\t<input type=\"checkbox\" name=\"scroll\">自動スクロール</input>");
    AppendLine(out, "\t\t\t<div id=\"elapse\"></div>");
    AppendLine(out, "\t\t  </form>");
    AppendLine(out, "\t  </div>");
    return out;
}

}  // namespace trackalbum
