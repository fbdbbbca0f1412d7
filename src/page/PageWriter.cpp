#include "page/PageWriter.h"

#include "charts/Charts.h"
#include "page/OutputFiles.h"
#include "page/PageFormat.h"
#include "page/PageSkeleton.h"
#include "page/Player.h"
#include "pipeline/OutputKind.h"

namespace trackalbum {

std::string BuildPage(int kind, const PageOptions& options, const GpsTrack& track, const PictureList& pictures,
                      const std::string& version, TimeValue now) {
    const bool profile = (kind & OutputKind::ProfileLayout) != 0;
    std::string page;
    // One route line per point is most of a long page; growing by doubling would copy it
    // several times over.
    page.reserve(64 * 1024 + ((kind & OutputKind::Route) ? track.GetCount() * 56 : 0));
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
    page += BuildScriptVariables(profile && options.GetIconTrace() != 0, GetTraceStep(track));
    AppendLoadFunction(page, options, kind, track, pictures);
    AppendLine(page, "    //]]>");
    AppendLine(page, "    </script>");
    AppendLine(page, "  </head>");
    page += BuildBody(options, kind, track);
    AppendLine(page, "</html>");
    return page;
}

void WritePage(int kind, const PageOptions& options, const GpsTrack& track, const PictureList& pictures,
               const std::string& version, std::string& pageText) {
    if (track.IsEmpty()) return;
    if (kind & OutputKind::ProfileLayout) {
        DrawElevationChart(track, GetElevationChartPath(options.GetGpsFile()));
        DrawSpeedChart(track, GetSpeedChartPath(options.GetGpsFile()));
    }
    pageText = BuildPage(kind, options, track, pictures, version);
    SavePageText(GetPagePath(kind, options.GetGpsFile()), pageText);
}

}  // namespace trackalbum
