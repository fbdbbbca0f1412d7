#include "photos/Placement.h"

#include <algorithm>
#include <vector>

namespace trackalbum {

namespace {

// The photo lies a seconds after prev and b seconds before cur, both positive.
void Interpolate(PictureRecord& record, const GpsPoint& prev, const GpsPoint& cur, int64_t a, int64_t b) {
    const double da = static_cast<double>(a);
    const double db = static_cast<double>(b);
    record.SetPosition((prev.Latitude * db + cur.Latitude * da) / (da + db),
                       (prev.Longitude * db + cur.Longitude * da) / (da + db));
}

// The track's shifted times and points, for tracks whose times never decrease: there the
// first point not earlier than the photo is found by binary search.
class SortedTrack {
public:
    // Empty (and not usable) when some point is earlier than the one before it.
    SortedTrack(const GpsTrack& track, int32_t offset) {
        times_.reserve(track.GetCount());
        points_.reserve(track.GetCount());
        for (const GpsPoint& point : track) {
            int64_t time = point.Time.GetTime() + offset;
            if (!times_.empty() && time < times_.back()) {
                times_.clear();
                points_.clear();
                sorted_ = false;
                return;
            }
            times_.push_back(time);
            points_.push_back(&point);
        }
    }

    bool IsUsable() const { return sorted_ && !times_.empty(); }

    void Place(PictureRecord& record) const {
        const int64_t t = record.TakenTime.GetTime();
        auto it = std::lower_bound(times_.begin(), times_.end(), t);
        if (it == times_.end()) return;  // after the track
        size_t index = static_cast<size_t>(it - times_.begin());
        if (*it == t) {
            record.SetPosition(points_[index]->Latitude, points_[index]->Longitude);
            return;
        }
        if (index == 0) return;  // before the track
        Interpolate(record, *points_[index - 1], *points_[index], t - times_[index - 1], *it - t);
    }

private:
    std::vector<int64_t> times_;
    std::vector<const GpsPoint*> points_;
    bool sorted_ = true;
};

}  // namespace

void PlacePicture(PictureRecord& record, const GpsTrack& track, int32_t offset) {
    if (track.IsEmpty()) return;
    const int64_t t = record.TakenTime.GetTime();
    const GpsPoint* prev = &track.GetHead();
    int64_t prevTime = prev->Time.GetTime() + offset;
    if (prevTime > t) return;  // before the track
    // The first point whose shifted time is not earlier than the photo, with the point
    // before it; the points need not be in time order.
    for (const GpsPoint& cur : track) {
        const int64_t curTime = cur.Time.GetTime() + offset;
        if (t < curTime) {
            Interpolate(record, *prev, cur, t - prevTime, curTime - t);
            return;
        }
        if (t == curTime) {
            record.SetPosition(cur.Latitude, cur.Longitude);
            return;
        }
        prev = &cur;
        prevTime = curTime;
    }
}

void PlacePictures(PictureList& pictures, const GpsTrack& track, int32_t offset) {
    if (pictures.IsEmpty() || track.IsEmpty()) return;
    SortedTrack sorted(track, offset);
    for (PictureRecord& record : pictures) {
        if (sorted.IsUsable()) sorted.Place(record);
        else PlacePicture(record, track, offset);
    }
}

std::string GetTimeStatusText(const GpsTrack& track, const PictureList& pictures, int32_t gpsOffset,
                              int32_t photoOffset) {
    std::string text;
    if (!track.IsEmpty()) {
        text += (track.GetHead().Time + TimeSpan(gpsOffset)).Format("GPS記録開始：%Y/%m/%d %H:%M:%S\r\n");
    }
    if (!pictures.IsEmpty()) {
        text += (pictures.GetHead().TakenTime + TimeSpan(photoOffset))
                    .Format("最初の写真 ：%Y/%m/%d %H:%M:%S\r\n");
    }
    return text;
}

}  // namespace trackalbum
