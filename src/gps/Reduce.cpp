// Thinning of the track: a point goes when the route runs nearly straight through it.
#include <cmath>
#include <iterator>

#include "gps/GpsTrack.h"
#include "platform/CFormat.h"

namespace trackalbum {
namespace {

constexpr double kDegreesPerRadian = 57.29577951;
constexpr double kScale = 0.9999;  // transverse Mercator scale factor
constexpr double kEccentricity = 0.081819191;

// Meridian arc length in metres from the equator to latitude `phi` (radians).
double MeridianArc(double phi) {
    return 6367449.146 * phi - 16038.50874 * std::sin(2 * phi) + 16.83261343 * std::sin(4 * phi) -
           0.021984404 * std::sin(6 * phi) + 3.11484e-5 * std::sin(8 * phi) -
           4.60285e-8 * std::sin(10 * phi) + 6.97771e-11 * std::sin(12 * phi) -
           1.07556e-13 * std::sin(14 * phi) + 1.62719e-16 * std::sin(16 * phi);
}

double PrimeVerticalRadius(double phi) {
    const double s = std::sin(phi);
    return 6378137.0 / std::sqrt(1 - kEccentricity * kEccentricity * s * s);
}

// What the offsets need of one point's latitude, worked out once per point: the pass looks
// at every point up to three times, and the series above dominates its cost.
struct Geodesy {
    double arc;     // meridian arc at the latitude
    double radius;  // prime vertical radius at the latitude
    double cosine;  // cosine of the latitude
    explicit Geodesy(const GpsPoint& point) {
        const double phi = point.Latitude / kDegreesPerRadian;
        arc = MeridianArc(phi);
        radius = PrimeVerticalRadius(phi);
        cosine = std::cos(phi);
    }
};

struct Offset {
    double north;
    double east;
    double up;
    bool IsZero() const { return north == 0.0 && east == 0.0 && up == 0.0; }
};

// Offset in metres of `other` seen from `centre`, to first order in a local plane.
Offset LocalOffset(const GpsPoint& centre, const Geodesy& centreGeo, const GpsPoint& other,
                   const Geodesy& otherGeo) {
    Offset o;
    o.north = kScale * (otherGeo.arc - centreGeo.arc);
    o.east = kScale * centreGeo.radius * otherGeo.cosine * (other.Longitude - centre.Longitude) /
             kDegreesPerRadian;
    o.up = other.Elevation - centre.Elevation;
    return o;
}

// B can go when the cosine of the angle A-B-C is below the threshold, i.e. the route runs
// almost straight on through B. A neighbour at B's very place leaves the angle undefined.
bool IsRemovable(const GpsPoint& a, const Geodesy& aGeo, const GpsPoint& b, const Geodesy& bGeo,
                 const GpsPoint& c, const Geodesy& cGeo, double threshold) {
    const Offset u = LocalOffset(b, bGeo, a, aGeo);
    const Offset v = LocalOffset(b, bGeo, c, cGeo);
    if (u.IsZero() || v.IsZero()) return false;
    const double dot = u.north * v.north + u.east * v.east + u.up * v.up;
    const double lengths = std::sqrt(u.north * u.north + u.east * u.east + u.up * u.up) *
                           std::sqrt(v.north * v.north + v.east * v.east + v.up * v.up);
    return dot / lengths < threshold;
}

}  // namespace

std::string GpsTrack::Reduce(double tolerance) {
    const long long n = static_cast<long long>(points_.size());
    if (n < 2) return std::string();
    const double threshold = tolerance - 1.000001;
    long long removed = 0;
    // A cosine never lies below -1 by more than rounding, so a threshold below that (the
    // slider at 0) removes nothing and the pass can be left out.
    const bool mayRemove = !(threshold < -1.0 - 1e-9);

    auto a = points_.begin();
    auto b = std::next(a);
    if (mayRemove && b != points_.end()) {
        Geodesy aGeo(*a);
        Geodesy bGeo(*b);
        for (auto c = std::next(b); c != points_.end(); ++c) {
            const Geodesy cGeo(*c);
            if (IsRemovable(*a, aGeo, *b, bGeo, *c, cGeo, threshold)) {
                points_.erase(b);
                ++removed;
            } else {
                a = b;
                aGeo = bGeo;
            }
            b = c;
            bGeo = cGeo;
        }
    }
    return FormatC("%lld/%lld\r\n(%lld)", n - removed, n, 100 - (removed * 100) / n);
}

}  // namespace trackalbum
