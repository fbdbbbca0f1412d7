#pragma once
// The texts of the photo button: it names the mode it will run in, then shows the progress.
#include <string>

namespace trackalbum {

std::string GetPhotoCopyIdleCaption(bool keepOriginalSize);     // "コピー" / "画像縮小"
std::string GetPhotoCopyWorkingCaption(bool keepOriginalSize);  // "コピー中…" / "縮小中…"
// "%d%%..." with `done` × 100 / `count` in integer division, so the last photo shows 100%.
std::string GetPhotoCopyProgressCaption(long long done, long long count);

}  // namespace trackalbum
