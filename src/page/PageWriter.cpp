#include "page/PageWriter.h"

#include "charts/Charts.h"
#include "page/OutputFiles.h"
#include "page/OutputKind.h"
#include "page/PageFormat.h"
#include "page/PageSkeleton.h"

namespace trackalbum {

namespace {

// Builds the page into `page`, which is emptied first; its storage is reused, so writing
// the kinds one after another into one buffer allocates the long route only once.
void BuildPageInto(std::string& page, int kind, const PageOptions& options, const GpsTrack& track,
                   const PictureList& pictures, const std::string& version, TimeValue now) {
    const bool profile = (kind & OutputKind::ProfileLayout) != 0;
    page.clear();
    // One route line of about 59 bytes per point is most of a long page; growing by
    // doubling would copy it several times over.
    page.reserve(64 * 1024 + ((kind & OutputKind::Route) ? track.GetCount() * 60 : 0));
    page += BuildDoctype(now, version);
    AppendLine(page, R"~(<html xmlns="http://www.w3.org/1999/xhtml" xmlns:v="urn:schemas-microsoft-com:vml">)~");
    if (profile) {
        page += BuildStyle(options, options.GetProfWidthText(), options.GetProfHeightText());
    } else {
        page += BuildStyle(options, options.GetDisplayWidthText(), options.GetDisplayHeightText());
    }
    AppendLine(page, "  <head>");
    page += BuildHeadMeta(options);
    AppendLine(page, R"~(    <script type="text/javascript">)~");
    AppendLine(page, "    //<![CDATA[");
    page += BuildScriptVariables(profile && options.GetIconTrace() != 0, track.GetPlayerStep());
    AppendLoadFunction(page, options, kind, track, pictures);
    AppendLine(page, "    //]]>");
    AppendLine(page, "    </script>");
    AppendLine(page, "  </head>");
    page += BuildBody(options, kind, track);
    AppendLine(page, "</html>");
}

}  // namespace

std::string BuildPage(int kind, const PageOptions& options, const GpsTrack& track, const PictureList& pictures,
                      const std::string& version, TimeValue now) {
    std::string page;
    BuildPageInto(page, kind, options, track, pictures, version, now);
    return page;
}

void WritePage(int kind, const PageOptions& options, const GpsTrack& track, const PictureList& pictures,
               const std::string& version, std::string& pageText) {
    if (track.IsEmpty()) return;
    if (kind & OutputKind::ProfileLayout) {
        DrawElevationChart(track, GetElevationChartPath(options.GetGpsFile()));
        DrawSpeedChart(track, GetSpeedChartPath(options.GetGpsFile()));
    }
    BuildPageInto(pageText, kind, options, track, pictures, version, TimeValue(std::time(nullptr)));
    SavePageText(GetPagePath(kind, options.GetGpsFile()), pageText);
}

}  // namespace trackalbum
