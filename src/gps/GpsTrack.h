#pragma once
// The document's one track: its points in file order and the statistics of the analysis.
#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>

#include "gps/GpsPoint.h"
#include "gps/TimeValue.h"

namespace trackalbum {

class GpsTrack {
public:
    static constexpr int SpeedClassCount = 40;
    using Points = std::list<GpsPoint>;  // unlinks a node at a held position in constant time
    using const_iterator = Points::const_iterator;

    GpsTrack();

    // Points, head to tail.
    const_iterator begin() const { return points_.begin(); }
    const_iterator end() const { return points_.end(); }
    size_t GetCount() const { return points_.size(); }
    bool IsEmpty() const { return points_.empty(); }
    const GpsPoint& GetHead() const { return points_.front(); }
    const GpsPoint& GetTail() const { return points_.back(); }
    GpsPoint& AddTail(const GpsPoint& point);
    GpsPoint& GetTailForUpdate() { return points_.back(); }

    // Deletes every point and zeroes the statistics (the histogram stays as it was).
    void Clear();
    void Analyse(bool speedLimitOn, double speedLimit);
    // Gives each point the file left without a time one from the timed points around it, by
    // distance along the track; a track without any timed point stays as it is.
    void FillMissingTimes();
    // Thins the track in place; returns "kept/total\r\n(percent)" or "" for under two points.
    std::string Reduce(double tolerance);

    bool HasTime() const { return TotalTime.GetTotalSeconds() > 0; }
    std::string GetTotalTimeText() const;
    std::string GetMovingTimeText() const;
    // Speed sum over (points now held - stopped points); 0.0 when that is not positive.
    double GetAverageSpeed() const;
    double GetUpAverageSpeed() const;
    double GetDownAverageSpeed() const;
    double GetFlatAverageSpeed() const;
    int64_t GetPlayerStep() const { return TotalTime.GetTotalSeconds() / 600; }

    TimeSpan GetTotalTime() const { return TotalTime; }
    TimeSpan GetMovingTime() const { return MovingTime; }
    double GetClimb() const { return Climb; }
    double GetDescent() const { return Descent; }
    double GetHighestElevation() const { return HighestElevation; }
    double GetLowestElevation() const { return LowestElevation; }
    int32_t GetUpCount() const { return UpCount; }
    int32_t GetDownCount() const { return DownCount; }
    int32_t GetFlatCount() const { return FlatCount; }
    int32_t GetStoppedCount() const { return StoppedCount; }
    double GetTotalDistance() const { return TotalDistance; }
    double GetUpDistance() const { return UpDistance; }
    double GetDownDistance() const { return DownDistance; }
    double GetFlatDistance() const { return FlatDistance; }
    double GetSpeedSum() const { return SpeedSum; }
    double GetUpSpeedSum() const { return UpSpeedSum; }
    double GetDownSpeedSum() const { return DownSpeedSum; }
    double GetFlatSpeedSum() const { return FlatSpeedSum; }
    double GetMaxSpeed() const { return MaxSpeed; }
    double GetUpMaxSpeed() const { return UpMaxSpeed; }
    double GetDownMaxSpeed() const { return DownMaxSpeed; }
    double GetFlatMaxSpeed() const { return FlatMaxSpeed; }
    // Distance in metres of speed class `index` (0-39); 0.0 outside the table.
    double GetSpeedHistogram(int index) const {
        return index >= 0 && index < SpeedClassCount ? SpeedHistogram[static_cast<size_t>(index)] : 0.0;
    }
    double GetSpeedBinWidth() const { return SpeedBinWidth; }

private:
    void ResetStatistics();

    Points points_;
    TimeSpan TotalTime;
    TimeSpan MovingTime;
    double Climb = 0.0;
    double Descent = 0.0;
    double HighestElevation = 0.0;
    double LowestElevation = 0.0;
    int32_t UpCount = 0;
    int32_t DownCount = 0;
    int32_t FlatCount = 0;
    int32_t StoppedCount = 0;
    double TotalDistance = 0.0;
    double UpDistance = 0.0;
    double DownDistance = 0.0;
    double FlatDistance = 0.0;
    double SpeedSum = 0.0;
    double UpSpeedSum = 0.0;
    double DownSpeedSum = 0.0;
    double FlatSpeedSum = 0.0;
    double MaxSpeed = 0.0;
    double UpMaxSpeed = 0.0;
    double DownMaxSpeed = 0.0;
    double FlatMaxSpeed = 0.0;
    std::array<double, SpeedClassCount> SpeedHistogram{};
    double SpeedBinWidth = 0.0;
};

}  // namespace trackalbum
