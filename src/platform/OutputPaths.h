#pragma once
// What every output of a run shares: its folders, made on demand, and the base of its file
// name, taken from the GPX file. Paths are relative to the current directory.
#include <string>

namespace trackalbum {

// Creates the folder when nothing of that name exists (one level); never reports.
void EnsureFolder(const std::string& path);
// The GPX file's name without folder and without a trailing ".gpx" (any case).
std::string GetOutputBaseName(const std::string& gpxPath);

}  // namespace trackalbum
