#include "gps/GpsPoint.h"

#include <cmath>
#include <cstdint>

namespace trackalbum {
namespace {

constexpr double kDegreesPerRadian = 57.2958;
constexpr double kEarthRadiusKm = 6378.7;

// Horizontal distance in metres by the spherical law of cosines. Identical positions give
// exactly 0: rounding can put the cosine just below 1 there, which would make a resting
// logger seem to drift by a tenth of a metre per fix.
double HorizontalDistance(const GpsPoint& p, const GpsPoint& q) {
    if (p.Latitude == q.Latitude && p.Longitude == q.Longitude) return 0.0;
    const double lat1 = p.Latitude / kDegreesPerRadian;
    const double lat2 = q.Latitude / kDegreesPerRadian;
    const double lon1 = p.Longitude / kDegreesPerRadian;
    const double lon2 = q.Longitude / kDegreesPerRadian;
    double cosine = std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(lon2 - lon1);
    if (cosine > 1.0) cosine = 1.0;
    if (cosine < -1.0) cosine = -1.0;
    return std::acos(cosine) * kEarthRadiusKm * 1000;
}

// Truncates toward zero into the 32-bit range; no finite quotient (h = 0) gives 0.
int32_t TruncatedGrade(double quotient) {
    if (!std::isfinite(quotient)) return 0;
    if (quotient >= 2147483647.0) return INT32_MAX;
    if (quotient <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(quotient);
}

}  // namespace

void GpsPoint::ComputeFromPrevious(const GpsPoint* previous) {
    if (previous == nullptr) return;
    const int64_t dt = (Time - previous->Time).GetTotalSeconds();
    ElevationChange = Elevation - previous->Elevation;
    const double h = HorizontalDistance(*previous, *this);
    Distance = std::sqrt(h * h + ElevationChange * ElevationChange);
    Speed = dt > 0 ? Distance / static_cast<double>(dt) * 3600 / 1000 : 0.0;
    Grade = h == 0.0 ? 0 : TruncatedGrade(ElevationChange * 100 / h);
}

void GpsPoint::CopyFrom(const GpsPoint& other) {
    if (&other == this) return;
    Latitude = other.Latitude;
    Longitude = other.Longitude;
    Time = other.Time;
    Elevation = other.Elevation;
    ElevationChange = other.ElevationChange;
}

}  // namespace trackalbum
