#include "gps/LoadGpx.h"

#include <exception>
#include <new>

#include "gps/GpxFailure.h"
#include "gps/GpxReader.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

// Runs one parse into a cleared track; whatever goes wrong becomes a failure code, and the
// points appended before it stay.
template <typename Parse>
GpxReadOutcome ReadInto(GpsTrack& track, Parse&& parse) {
    GpxReadOutcome outcome;
    try {
        track.Clear();
        GpxReader reader(track);
        outcome.code = GpxFailureCodeOf(parse(reader));
    } catch (const InvalidArgumentError&) {
        outcome.code = GpxFailureCode::InvalidTime;
    } catch (const std::bad_alloc&) {
        outcome.code = GpxFailureCode::OutOfMemory;
    } catch (...) {
        outcome.code = GpxFailureCode::Unexpected;
    }
    outcome.message = GpxFailureMessage(outcome.code);
    return outcome;
}

}  // namespace

GpxReadOutcome ReadGpxFile(GpsTrack& track, const std::string& path) {
    return ReadInto(track, [&](GpxReader& reader) { return ParseXmlFile(path, reader); });
}

GpxReadOutcome ReadGpxText(GpsTrack& track, std::string_view document) {
    return ReadInto(track, [&](GpxReader& reader) { return ParseXmlText(document, reader); });
}

int LoadGpx(GpsTrack& track, const std::string& path, bool speedLimitOn, double speedLimit,
            MessageHost& messages) {
    if (path.empty()) return 0;
    const GpxReadOutcome outcome = ReadGpxFile(track, path);
    // A host that cannot show its box must not end the run: what was read is analysed all
    // the same (the analysis allocates nothing and cannot fail).
    try {
        if (!outcome.message.empty()) messages.ShowMessage(outcome.message);
    } catch (...) {
    }
    track.FillMissingTimes();
    track.Analyse(speedLimitOn, speedLimit);
    return 1;
}

}  // namespace trackalbum
