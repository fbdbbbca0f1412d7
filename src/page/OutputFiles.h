#pragma once
// Output folders and file names, and the save of a page. Paths are relative to the
// current directory: "html" for the pages, "html/img" for photos and charts.
#include <string>
#include <string_view>

#include "page/PageOptions.h"
#include "platform/OutputPaths.h"

namespace trackalbum {

// "html/" + base + "_picture" / "_route" / "_grade" by the kind's flags + ".html".
std::string GetPagePath(int kind, const std::string& gpxPath);
std::string GetElevationChartPath(const std::string& gpxPath);  // html/img/<base>_ele.gif
std::string GetSpeedChartPath(const std::string& gpxPath);      // html/img/<base>_dis.gif
// Writes the text as UTF-8 (invalid sequences repaired), no byte-order mark, through a
// temporary file in the same folder renamed over the old one, so a failed write leaves
// the old page as it was. Raises FileError on failure.
void SavePageText(const std::string& path, std::string_view pageText);
// The same save for bytes that are not text (images), written exactly as given.
void SaveOutputFile(const std::string& path, std::string_view bytes);
// The address to navigate to for a written page: "file://" + absolute path. Raises
// FileError when the page does not exist.
std::string GetPageAddress(int kind, const PageOptions& options);

}  // namespace trackalbum
