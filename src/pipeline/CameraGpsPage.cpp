#include "pipeline/CameraGpsPage.h"

#include <algorithm>
#include <climits>

#include "pipeline/SpinStep.h"
#include "platform/CFormat.h"

namespace trackalbum {

void CameraGpsPage::SetTimeZoneHours(int hours) {
    timeZoneIndex_ = (hours >= MinTimeZone && hours <= MaxTimeZone) ? hours + 12 : -1;
}

std::string CameraGpsPage::FormatTimeZone(int hours) { return FormatC("%+3d", hours); }

void CameraGpsPage::SetCompression(int position) {
    compression_ = std::clamp(position, 0, MaxCompression);
}

void CameraGpsPage::StepClockMinutes(int spinStep) {
    clockMinutes_ = StepClamped(clockMinutes_, spinStep, INT_MIN, INT_MAX);
}

RunOptions CameraGpsPage::GetRunOptions() const {
    RunOptions options;
    options.PageName = pageName_;
    options.GpsFile = gpsFile_;
    options.TimeZoneHours = GetTimeZoneHours();
    options.PhotoFolder = photoFolder_;
    options.ClockCorrection = clockCorrection_;
    options.ClockMinutes = clockMinutes_;
    options.Compression = compression_;
    options.SpeedLimitOn = speedLimitOn_;
    options.SpeedLimit = GetSpeedLimit();
    options.KeepOriginalSize = keepOriginalSize_;
    return options;
}

}  // namespace trackalbum
