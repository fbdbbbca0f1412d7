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

    const std::string& GetPageName() const { return pageName_; }
    void SetPageName(const std::string& value) { pageName_ = value; }
    const std::string& GetGpsFile() const { return gpsFile_; }
    void SetGpsFile(const std::string& value) { gpsFile_ = value; }
    const std::string& GetPhotoFolder() const { return photoFolder_; }
    void SetPhotoFolder(const std::string& value) { photoFolder_ = value; }
    int GetClockCorrection() const { return clockCorrection_; }
    void SetClockCorrection(int value) { clockCorrection_ = value ? 1 : 0; }
    int GetClockMinutes() const { return clockMinutes_; }
    void SetClockMinutes(int value) { clockMinutes_ = value; }
    // The spin reports -1 for its up arrow; there are no bounds but the number's own.
    void StepClockMinutes(int spinStep);
    int GetKeepOriginalSize() const { return keepOriginalSize_; }
    void SetKeepOriginalSize(int value) { keepOriginalSize_ = value ? 1 : 0; }
    int GetSpeedLimitOn() const { return speedLimitOn_; }
    void SetSpeedLimitOn(int value) { speedLimitOn_ = value ? 1 : 0; }

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

    // A photo copy runs on its worker from the confirmation until its end.
    bool IsCopyRunning() const { return copyRunning_; }
    void SetCopyRunning(bool running) { copyRunning_ = running; }

    // The enabling rules of the page's controls.
    bool IsClockFieldEnabled() const { return clockCorrection_ != 0; }
    bool IsSpeedFieldEnabled() const { return speedLimitOn_ != 0; }
    // The copy needs both paths, and one run at a time.
    bool IsCopyButtonEnabled() const { return !copyRunning_ && !gpsFile_.empty() && !photoFolder_.empty(); }
    // The two paths and their browse buttons stay as they are while a copy runs.
    bool ArePathControlsEnabled() const { return !copyRunning_; }

    RunOptions GetRunOptions() const;

private:
    std::string pageName_;
    std::string gpsFile_;
    std::string photoFolder_;
    int clockCorrection_ = 0;
    int clockMinutes_ = 0;
    int keepOriginalSize_ = 0;
    int speedLimitOn_ = 0;
    int timeZoneIndex_ = -1;
    int compression_ = 0;
    SpeedChoices speedChoices_;
    std::string statusText_;
    std::string compressionResult_;
    bool copyRunning_ = false;
};

}  // namespace trackalbum
