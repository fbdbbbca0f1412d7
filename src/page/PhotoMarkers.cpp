#include "page/PhotoMarkers.h"

#include "image/Image.h"
#include "page/Escaping.h"
#include "page/OutputKind.h"
#include "page/PageFormat.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

constexpr const char* MarkerFunctions[] = {
    "\t//画像マーカー作成",
    "\tfunction createMarkerForBigPicture(point, attr ,picture, comment,takentime) {",
    "      var marker = new GMarker(point);",
    "      GEvent.addListener(marker, \"click\", function() {",
    R"~(      marker.openInfoWindowHtml("<div class=\"marker\"><div class=\"time\">" + takentime + "</div><div class=\"picture\"><a href=\""+ picture +"\" target=\"_blank\"><img "+attr+" src=\"" + picture + "\"/></a></div><div class=\"comment\">" + comment + "</div></div>");)~",
    "      });",
    "      return marker;",
    "    }",
    "\tfunction createMarker(point, picture, comment,takentime) {",
    "      var marker = new GMarker(point);",
    "      GEvent.addListener(marker, \"click\", function() {",
    R"~(      marker.openInfoWindowHtml("<div class=\"marker\"><div class=\"time\">" + takentime + "</div><div class=\"picture\"><img src=\"" + picture + "\"/></div><div class=\"comment\">" + comment + "</div></div>");)~",
    "      });",
    "      return marker;",
    "    }",
};

// The script string arguments after the position: picture address (a HEIF photo's JPEG
// copy), comment, taken time.
std::string MarkerStrings(const PictureRecord& record) {
    return "\"img/" + EscapeScriptString(EncodeAddress(record.GetPageFileName())) + "\",\"" +
           EscapeScriptString(record.GetComment()) + "\",\"" + FormatMarkerTime(record) + "\"";
}

}  // namespace

std::string BuildMarkerFunctions() {
    std::string out;
    for (const char* line : MarkerFunctions) AppendLine(out, line);
    return out;
}

std::string FormatMarkerTime(const PictureRecord& record) {
    return record.GetTakenTime().Format("[%Y/%m/%d %H:%M]");
}

int GetMarkerPictureWidth(const PictureRecord& record) {
    int width = 0, height = 0;
    // Only the header is read: the size as shown is all the marker needs.
    if (!ReadImageSize(record.GetFullPath(), width, height)) return 120;
    return width > height ? 160 : 120;
}

std::string BuildPhotoMarkers(const PageOptions& options, int kind, const PictureList& pictures) {
    if ((kind & OutputKind::Picture) == 0) return std::string();
    std::string out;
    AppendLine(out, "");
    AppendLine(out, "        //写真マーカ");
    for (const PictureRecord& record : pictures) {
        if (!record.IsPlaced()) continue;
        const std::string position = FormatLatLng(record.GetLatitude(), record.GetLongitude());
        if (options.GetKeepOriginalSize() != 0) {
            AppendLine(out, "        map.addOverlay(createMarkerForBigPicture(" + position +
                                FormatC(",\"width=\\\"%d\\\"\",", GetMarkerPictureWidth(record)) +
                                MarkerStrings(record) + "));");
        } else {
            AppendLine(out, "        map.addOverlay(createMarker(" + position + "," + MarkerStrings(record) + "));");
        }
    }
    return out;
}

}  // namespace trackalbum
