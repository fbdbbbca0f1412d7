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

// Places the photos in one pass over the track, taking them in time order: at each point
// every photo not yet placed and not later than the point gets its position, which is what
// the walk of PlacePicture finds as long as the times never decrease. Returns the photos
// still unplaced when a point earlier than the one before it is met (empty otherwise);
// for those the walk is needed.
std::vector<PictureRecord*> PlaceInOnePass(PictureList& pictures, const GpsTrack& track, int32_t offset) {
    std::vector<PictureRecord*> order;
    order.reserve(pictures.GetCount());
    for (PictureRecord& record : pictures) order.push_back(&record);
    std::sort(order.begin(), order.end(),
              [](const PictureRecord* a, const PictureRecord* b) { return a->TakenTime < b->TakenTime; });
    auto next = order.begin();
    const int64_t firstTime = track.GetHead().Time.GetTime() + offset;
    while (next != order.end() && (*next)->TakenTime.GetTime() < firstTime) ++next;  // before the track
    if (next == order.end()) return {};
    int64_t nextTime = (*next)->TakenTime.GetTime();

    const GpsPoint* prev = nullptr;
    int64_t prevTime = firstTime;
    for (const GpsPoint& cur : track) {
        const int64_t curTime = cur.Time.GetTime() + offset;
        if (curTime < prevTime) return {next, order.end()};
        while (nextTime <= curTime) {
            if (nextTime == curTime) (*next)->SetPosition(cur.Latitude, cur.Longitude);
            else Interpolate(**next, *prev, cur, nextTime - prevTime, curTime - nextTime);
            if (++next == order.end()) return {};
            nextTime = (*next)->TakenTime.GetTime();
        }
        prev = &cur;
        prevTime = curTime;
    }
    return {};  // the rest lie after the track
}

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
    for (PictureRecord* record : PlaceInOnePass(pictures, track, offset)) PlacePicture(*record, track, offset);
    PlaceByOwnPosition(pictures, track);
}

void PlaceByOwnPosition(PictureList& pictures, const GpsTrack& track) {
    const auto waiting = [](const PictureRecord& record) { return !record.IsPlaced() && record.HasOwnPosition(); };
    // Most photos carry no position: a long track is then not walked again.
    if (track.IsEmpty() || std::none_of(pictures.begin(), pictures.end(), waiting)) return;
    constexpr double Margin = 0.01;
    double south = track.GetHead().Latitude, north = south;
    double west = track.GetHead().Longitude, east = west;
    for (const GpsPoint& point : track) {
        south = std::min(south, point.Latitude), north = std::max(north, point.Latitude);
        west = std::min(west, point.Longitude), east = std::max(east, point.Longitude);
    }
    south -= Margin, north += Margin, west -= Margin, east += Margin;
    for (PictureRecord& record : pictures) {
        if (!waiting(record)) continue;
        if (record.OwnLatitude >= south && record.OwnLatitude <= north && record.OwnLongitude >= west &&
            record.OwnLongitude <= east) {
            record.SetPosition(record.OwnLatitude, record.OwnLongitude);
        }
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
