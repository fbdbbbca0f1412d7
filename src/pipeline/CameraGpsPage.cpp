#include "pipeline/CameraGpsPage.h"

#include <algorithm>

#include "platform/CFormat.h"

namespace trackalbum {

void CameraGpsPage::SetTimeZoneHours(int hours) {
    timeZoneIndex_ = (hours >= MinTimeZone && hours <= MaxTimeZone) ? hours + 12 : -1;
}

std::string CameraGpsPage::FormatTimeZone(int hours) { return FormatC("%+3d", hours); }

void CameraGpsPage::SetCompression(int position) {
    compression_ = std::clamp(position, 0, MaxCompression);
}

std::string CameraGpsPage::GetCopyButtonCaption(bool working) const {
    if (working) return KeepOriginalSize ? "コピー中…" : "縮小中…";
    return KeepOriginalSize ? "コピー" : "画像縮小";
}

RunOptions CameraGpsPage::GetRunOptions() const {
    RunOptions options;
    options.PageName = PageName;
    options.GpsFile = GpsFile;
    options.TimeZoneHours = GetTimeZoneHours();
    options.PhotoFolder = PhotoFolder;
    options.ClockCorrection = ClockCorrection;
    options.ClockMinutes = ClockMinutes;
    options.Compression = compression_;
    options.SpeedLimitOn = SpeedLimitOn;
    options.SpeedLimit = GetSpeedLimit();
    options.KeepOriginalSize = KeepOriginalSize;
    return options;
}

}  // namespace trackalbum
