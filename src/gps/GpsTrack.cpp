#include "gps/GpsTrack.h"

#include <cmath>

namespace trackalbum {
namespace {

// Speed class of a point. The fastest point used lands in class 39 at most; a stationary track
// whose only movement is a skipped point at exactly 1.0 km/h would give 40, which is counted
// in the last class rather than stored past the table.
int SpeedClass(double speed, double binWidth) {
    const double k = speed / binWidth;
    if (!(k >= 0.0)) return 0;
    if (k >= GpsTrack::SpeedClassCount - 1) return GpsTrack::SpeedClassCount - 1;
    return static_cast<int>(k);
}

}  // namespace

GpsTrack::GpsTrack() = default;

GpsPoint& GpsTrack::AddTail(const GpsPoint& point) {
    points_.push_back(point);
    return points_.back();
}

void GpsTrack::Clear() {
    points_.clear();
    ResetStatistics();
}

void GpsTrack::ResetStatistics() {
    TotalTime = TimeSpan();
    MovingTime = TimeSpan();
    Climb = Descent = HighestElevation = LowestElevation = 0.0;
    UpCount = DownCount = FlatCount = StoppedCount = 0;
    TotalDistance = UpDistance = DownDistance = FlatDistance = 0.0;
    SpeedSum = UpSpeedSum = DownSpeedSum = FlatSpeedSum = 0.0;
    MaxSpeed = UpMaxSpeed = DownMaxSpeed = FlatMaxSpeed = 0.0;
}

void GpsTrack::Analyse(bool speedLimitOn, double speedLimit) {
    // Starting from zero keeps a second analysis of the same points from doubling the sums.
    ResetStatistics();

    const GpsPoint* previous = nullptr;
    for (GpsPoint& point : points_) {
        point.ComputeFromPrevious(previous);
        if (previous != nullptr) {
            const TimeSpan dt = point.Time - previous->Time;
            TotalTime += dt;
            if (point.IsMoving()) {
                MovingTime += dt;
            } else {
                ++StoppedCount;
            }
        }
        previous = &point;
    }
    if (points_.empty()) return;

    if (speedLimitOn && speedLimit > 0.0) {
        points_.remove_if([speedLimit](const GpsPoint& p) { return p.Speed >= speedLimit; });
    }

    HighestElevation = LowestElevation = points_.front().Elevation;
    const bool hasTime = HasTime();
    for (const GpsPoint& point : points_) {
        if (hasTime && !point.IsMoving()) continue;
        TotalDistance += point.Distance;
        SpeedSum += point.Speed;
        if (point.Speed > MaxSpeed) MaxSpeed = point.Speed;
        switch (point.GetGradeSign()) {
        case 1:
            Climb += point.ElevationChange;
            UpDistance += point.Distance;
            UpSpeedSum += point.Speed;
            if (point.Speed > UpMaxSpeed) UpMaxSpeed = point.Speed;
            ++UpCount;
            break;
        case -1:
            Descent += point.ElevationChange;
            DownDistance += point.Distance;
            DownSpeedSum += point.Speed;
            if (point.Speed > DownMaxSpeed) DownMaxSpeed = point.Speed;
            ++DownCount;
            break;
        default:
            FlatDistance += point.Distance;
            FlatSpeedSum += point.Speed;
            if (point.Speed > FlatMaxSpeed) FlatMaxSpeed = point.Speed;
            ++FlatCount;
            break;
        }
        if (point.Elevation > HighestElevation) HighestElevation = point.Elevation;
        if (point.Elevation < LowestElevation) LowestElevation = point.Elevation;
    }

    SpeedBinWidth = (MaxSpeed + 1.0) / SpeedClassCount;
    SpeedHistogram.fill(0.0);
    for (const GpsPoint& point : points_) {
        SpeedHistogram[static_cast<size_t>(SpeedClass(point.Speed, SpeedBinWidth))] += point.Distance;
    }
}

std::string GpsTrack::GetTotalTimeText() const { return TotalTime.Format("%H:%M:%S"); }

std::string GpsTrack::GetMovingTimeText() const { return MovingTime.Format("%H:%M:%S"); }

double GpsTrack::GetAverageSpeed() const {
    // The stopped count predates the speed limit, so the divisor can reach zero (or below,
    // with a limit under 1 km/h); there is no average then.
    const long long divisor = static_cast<long long>(points_.size()) - StoppedCount;
    if (divisor <= 0) return 0.0;
    return SpeedSum / static_cast<double>(divisor);
}

double GpsTrack::GetUpAverageSpeed() const { return UpCount == 0 ? 0.0 : UpSpeedSum / UpCount; }

double GpsTrack::GetDownAverageSpeed() const { return DownCount == 0 ? 0.0 : DownSpeedSum / DownCount; }

double GpsTrack::GetFlatAverageSpeed() const { return FlatCount == 0 ? 0.0 : FlatSpeedSum / FlatCount; }

}  // namespace trackalbum
