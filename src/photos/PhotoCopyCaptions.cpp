#include "photos/PhotoCopyCaptions.h"

#include "platform/CFormat.h"

namespace trackalbum {

std::string GetPhotoCopyIdleCaption(bool keepOriginalSize) {
    return keepOriginalSize ? "コピー" : "画像縮小";
}

std::string GetPhotoCopyWorkingCaption(bool keepOriginalSize) {
    return keepOriginalSize ? "コピー中…" : "縮小中…";
}

std::string GetPhotoCopyProgressCaption(long long done, long long count) {
    const long long percent = count > 0 ? done * 100 / count : 100;
    return FormatC("%lld%%...", percent);
}

}  // namespace trackalbum
