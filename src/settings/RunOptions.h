#pragma once
// The inputs of one run, as the GPS/photo page holds them; never stored in the profile.
#include <string>

namespace trackalbum {

struct RunOptions {
    std::string PageName;
    std::string GpsFile;
    int TimeZoneHours = 9;
    std::string PhotoFolder;
    int ClockCorrection = 0;
    int ClockMinutes = 0;
    int Compression = 0;  // 0..200; tolerance = value / 2,000,000
    int SpeedLimitOn = 0;
    double SpeedLimit = 0.0;  // km/h
    int KeepOriginalSize = 0;
};

}  // namespace trackalbum
