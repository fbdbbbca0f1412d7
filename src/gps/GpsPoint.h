#pragma once
#include <cstdint>

#include "gps/TimeValue.h"

namespace trackalbum {

// One track point and the leg that ends at it (the first point's leg values stay 0).
class GpsPoint {
public:
    // Sets the four leg values from the previous point; does nothing without one.
    void ComputeFromPrevious(const GpsPoint* previous);
    int GetGradeSign() const { return Grade > 0 ? 1 : (Grade < 0 ? -1 : 0); }
    bool IsMoving() const { return Speed > 1.0; }
    // Copies position, time, elevation and elevation change; not speed, grade or distance.
    void CopyFrom(const GpsPoint& other);

    double GetLatitude() const { return Latitude; }
    void SetLatitude(double value) { Latitude = value; }
    double GetLongitude() const { return Longitude; }
    void SetLongitude(double value) { Longitude = value; }
    TimeValue GetTime() const { return Time; }
    void SetTime(TimeValue value) { Time = value; }
    double GetElevation() const { return Elevation; }
    void SetElevation(double value) { Elevation = value; }
    double GetElevationChange() const { return ElevationChange; }
    double GetSpeed() const { return Speed; }
    int32_t GetGrade() const { return Grade; }
    double GetDistance() const { return Distance; }

    double Latitude = 0.0;
    double Longitude = 0.0;
    TimeValue Time;
    double Elevation = 0.0;
    double ElevationChange = 0.0;
    double Speed = 0.0;     // km/h
    int32_t Grade = 0;      // percent, truncated toward zero
    double Distance = 0.0;  // metres, elevation included
    // The file gave the point a time element. A time of 0 cannot tell: 1970 is a time too.
    bool TimeGiven = false;
};

}  // namespace trackalbum
