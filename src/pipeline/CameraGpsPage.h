#pragma once
// The GPS/photo page's values without any window: the run's inputs, the time-zone choice,
// the compression slider, the speed-limit box, the status text and the enabling rules.
#include <string>

#include "pipeline/SpeedChoices.h"
#include "settings/RunOptions.h"

namespace trackalbum {

class CameraGpsPage {
public:
    static constexpr int MinTimeZone = -12;
    static constexpr int MaxTimeZone = 12;
    static constexpr int MaxCompression = 200;

    const std::string& GetPageName() const { return PageName; }
    void SetPageName(const std::string& value) { PageName = value; }
    const std::string& GetGpsFile() const { return GpsFile; }
    void SetGpsFile(const std::string& value) { GpsFile = value; }
    const std::string& GetPhotoFolder() const { return PhotoFolder; }
    void SetPhotoFolder(const std::string& value) { PhotoFolder = value; }
    int GetClockCorrection() const { return ClockCorrection; }
    void SetClockCorrection(int value) { ClockCorrection = value ? 1 : 0; }
    int GetClockMinutes() const { return ClockMinutes; }
    void SetClockMinutes(int value) { ClockMinutes = value; }
    // The spin reports -1 for its up arrow; there are no bounds.
    void StepClockMinutes(int spinStep) { ClockMinutes -= spinStep; }
    int GetKeepOriginalSize() const { return KeepOriginalSize; }
    void SetKeepOriginalSize(int value) { KeepOriginalSize = value ? 1 : 0; }
    int GetSpeedLimitOn() const { return SpeedLimitOn; }
    void SetSpeedLimitOn(int value) { SpeedLimitOn = value ? 1 : 0; }

    // The zone list holds -12..+12; another value selects nothing, and with nothing
    // selected the list reads as -13, as the combo's "no selection" index gives.
    void SetTimeZoneHours(int hours);
    int GetTimeZoneHours() const { return timeZoneIndex_ - 12; }
    static std::string FormatTimeZone(int hours);  // "%+3d"

    // Slider position 0..200; positions outside are held at the ends, as a slider does.
    void SetCompression(int position);
    int GetCompression() const { return compression_; }
    double GetReductionTolerance() const { return compression_ / 2000000.0; }

    SpeedChoices& GetSpeedChoices() { return speedChoices_; }
    const SpeedChoices& GetSpeedChoices() const { return speedChoices_; }
    double GetSpeedLimit() const { return speedChoices_.GetSpeedLimit(); }

    const std::string& GetStatusText() const { return statusText_; }
    void SetStatusText(const std::string& text) { statusText_ = text; }
    const std::string& GetCompressionResult() const { return compressionResult_; }
    void SetCompressionResult(const std::string& text) { compressionResult_ = text; }

    bool IsClockFieldEnabled() const { return ClockCorrection != 0; }
    bool IsSpeedFieldEnabled() const { return SpeedLimitOn != 0; }
    bool IsCopyButtonEnabled() const { return !GpsFile.empty() && !PhotoFolder.empty(); }
    // "コピー" / "画像縮小" when idle, "コピー中…" / "縮小中…" while the copy runs.
    std::string GetCopyButtonCaption(bool working) const;

    RunOptions GetRunOptions() const;

private:
    std::string PageName;
    std::string GpsFile;
    std::string PhotoFolder;
    int ClockCorrection = 0;
    int ClockMinutes = 0;
    int KeepOriginalSize = 0;
    int SpeedLimitOn = 0;
    int timeZoneIndex_ = -1;
    int compression_ = 0;
    SpeedChoices speedChoices_;
    std::string statusText_;
    std::string compressionResult_;
};

}  // namespace trackalbum
