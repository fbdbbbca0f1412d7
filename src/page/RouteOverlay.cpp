#include "page/RouteOverlay.h"

#include "page/OutputKind.h"
#include "page/PageFormat.h"
#include "page/Player.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

void AppendPushLine(std::string& out, const GpsPoint& point) {
    out += "        points.push(";
    AppendLatLng(out, point.GetLatitude(), point.GetLongitude());
    out += ");\r\n";
}

void AppendPolyline(std::string& out, const std::string& colorHex, int width) {
    AppendLine(out, "        //軌跡設定");
    AppendLine(out, FormatC("        map.addOverlay(new GPolyline(points, \"#%s\", %d));",
                            colorHex.c_str(), width));
}

// Form A: a new polyline starts wherever the grade class changes; the point of change
// closes one polyline and opens the next, so the coloured stretches join up.
void AppendColouredRoute(std::string& out, const PageOptions& options, const GpsTrack& track) {
    AppendLine(out, "        var points = [];");
    AppendLine(out, "        //GPSデータ");
    int current = track.GetHead().GetGradeSign();
    for (const GpsPoint& point : track) {
        const int sign = point.GetGradeSign();
        if (sign != current) {
            AppendPushLine(out, point);
            out += BuildPolyline(options, current);
            AppendLine(out, "        points = [];");
            current = sign;
        }
        AppendPushLine(out, point);
    }
    out += BuildPolyline(options, current);
}

void AppendSingleRoute(std::string& out, const PageOptions& options, const GpsTrack& track) {
    AppendLine(out, "        var points = [];");
    AppendLine(out, "        //GPSデータ");
    for (const GpsPoint& point : track) AppendPushLine(out, point);
    AppendPolyline(out, options.GetPathColorHex(), options.GetPathWidth());
}

}  // namespace

std::string GetMapTypeName(int mapType) {
    switch (mapType) {
        case 1: return "G_SATELLITE_MAP";
        case 2: return "G_HYBRID_MAP";
        default: return "G_NORMAL_MAP";
    }
}

std::string BuildMapView(const PageOptions& options, const GpsTrack& track) {
    double minLat = track.GetHead().GetLatitude(), maxLat = minLat;
    double minLon = track.GetHead().GetLongitude(), maxLon = minLon;
    for (const GpsPoint& point : track) {
        if (point.GetLatitude() < minLat) minLat = point.GetLatitude();
        if (point.GetLatitude() > maxLat) maxLat = point.GetLatitude();
        if (point.GetLongitude() < minLon) minLon = point.GetLongitude();
        if (point.GetLongitude() > maxLon) maxLon = point.GetLongitude();
    }
    const std::string centre = FormatLatLng((maxLat + minLat) / 2, (maxLon + minLon) / 2);

    std::string out;
    if (options.GetAutoZoom() != 0) {
        AppendLine(out, "");
        AppendLine(out, "        //ズームレベルの取得");
        // North-west corner first, then south-east.
        AppendLine(out, "        var level = map.getBoundsZoomLevel( new GLatLngBounds( " +
                            FormatLatLng(maxLat, minLon) + ", " + FormatLatLng(minLat, maxLon) + " ) );");
        AppendLine(out, "        //地図中心の設定");
        AppendLine(out, "        map.setCenter(" + centre + ", level);");
    } else {
        AppendLine(out, "");
        AppendLine(out, "        //地図中心の設定");
        AppendLine(out, "        map.setCenter(" + centre + FormatC(", %d);", options.GetZoomLevel()));
    }
    AppendLine(out, "");
    AppendLine(out, "        //地図表示タイプ設定(G_NORMAL_MAP/G_SATELLITE_MAP/G_HYBRID_MAP)");
    AppendLine(out, "        map.setMapType(" + GetMapTypeName(options.GetMapType()) + ");");
    return out;
}

std::string BuildPolyline(const PageOptions& options, int gradeClass) {
    const std::string& colour = gradeClass == 1    ? options.GetUpColorHex()
                                : gradeClass == -1 ? options.GetDownColorHex()
                                                   : options.GetFlatColorHex();
    std::string out;
    AppendPolyline(out, colour, options.GetPathWidth());
    return out;
}

void AppendRouteOverlay(std::string& out, const PageOptions& options, int kind, const GpsTrack& track) {
    const bool route = (kind & OutputKind::Route) != 0;
    const bool profile = (kind & OutputKind::ProfileLayout) != 0;
    if (!route || track.IsEmpty()) return;
    if (options.GetColoring() != 0 && profile) {
        AppendColouredRoute(out, options, track);
    } else {
        AppendSingleRoute(out, options, track);
    }
    out += BuildTrace(options, kind, track);
}

std::string BuildRouteOverlay(const PageOptions& options, int kind, const GpsTrack& track) {
    std::string out;
    AppendRouteOverlay(out, options, kind, track);
    return out;
}

}  // namespace trackalbum
