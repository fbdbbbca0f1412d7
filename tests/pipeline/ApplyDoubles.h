#pragma once
// A document and a host that record what Apply asks of them.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gps/GpsTrack.h"
#include "photos/PictureList.h"
#include "pipeline/ApplyDocument.h"
#include "pipeline/ApplyHost.h"
#include "platform/CFormat.h"
#include "platform/Errors.h"

namespace trackalbum::doubles {

inline GpsTrack MakeTrack(std::initializer_list<double> speeds) {
    GpsTrack track;
    int second = 0;
    for (double speed : speeds) {
        GpsPoint point;
        point.Latitude = 35.0 + second * 0.001;
        point.Longitude = 139.0;
        point.Time = TimeValue(1'200'000'000 + second);
        point.Speed = speed;
        track.AddTail(point);
        second += 10;
    }
    return track;
}

inline PictureList MakePictures(int count) {
    PictureList pictures;
    for (int i = 0; i < count; ++i) {
        PictureRecord record;
        record.FileName = "p" + std::to_string(i) + ".jpg";
        record.TakenTime = TimeValue(1'200'000'000 + i);
        pictures.AddTail(record);
    }
    return pictures;
}

class FakeDocument : public ApplyDocument {
public:
    // What a load of a non-empty path yields, and what a scan of a non-empty folder yields.
    GpsTrack trackOnLoad;
    PictureList picturesOnScan;
    std::optional<int> failWritingKind;
    std::set<int> pagesOnDisk;  // kinds whose page exists (written now or earlier)

    std::vector<std::string> calls;
    std::vector<int> writtenKinds;
    double lastSpeedLimit = -1;
    bool lastSpeedLimitOn = false;
    int32_t lastPlacementOffset = 0;
    double lastTolerance = -1;

    int LoadGpx(const std::string& path, bool on, double limit, MessageHost&) override {
        calls.push_back("LoadGpx " + path);
        lastSpeedLimitOn = on;
        lastSpeedLimit = limit;
        if (path.empty()) return 0;
        track_ = trackOnLoad;
        return 1;
    }
    void LoadPictures(const std::string& folder) override {
        calls.push_back("LoadPictures " + folder);
        pictures_ = folder.empty() ? PictureList() : picturesOnScan;
    }
    void WriteComments(const std::string& gpsFile) override { calls.push_back("WriteComments " + gpsFile); }
    void ReadComments(const std::string& gpsFile) override { calls.push_back("ReadComments " + gpsFile); }
    void PlacePictures(int32_t offset) override {
        calls.push_back("PlacePictures");
        lastPlacementOffset = offset;
    }
    std::string GetTimeStatusText(int32_t gpsOffset, int32_t photoOffset) const override {
        if (track_.IsEmpty() && pictures_.IsEmpty()) return "";
        return FormatC("[%zu points %zu photos %d %d]\r\n", track_.GetCount(), pictures_.GetCount(),
                       gpsOffset, photoOffset);
    }
    std::string Reduce(double tolerance) override {
        calls.push_back("Reduce");
        lastTolerance = tolerance;
        return track_.GetCount() < 2 ? "" : FormatC("%zu/%zu\r\n(100%%)", track_.GetCount(), track_.GetCount());
    }
    void EnsureFolder(const std::string& path) override { calls.push_back("EnsureFolder " + path); }
    void WritePage(int kind, const PageOptions&) override {
        calls.push_back("WritePage " + std::to_string(kind));
        if (failWritingKind == kind) throw FileError("html/x.html", "cannot write html/x.html");
        if (track_.IsEmpty()) return;  // the page writer writes nothing for an empty track
        writtenKinds.push_back(kind);
        pagesOnDisk.insert(kind);
    }
    std::string GetPageAddress(int kind, const PageOptions&) const override {
        if (!pagesOnDisk.count(kind)) throw FileError("html/x.html", "no page of kind " + std::to_string(kind));
        return "file:///out/html/kind" + std::to_string(kind) + ".html";
    }
    const GpsTrack& GetTrack() const override { return track_; }
    const PictureList& GetPictures() const override { return pictures_; }
    PictureList& GetPicturesForUpdate() override { return pictures_; }

private:
    GpsTrack track_;
    PictureList pictures_;
};

class RecordingHost : public ApplyHost {
public:
    std::vector<std::string> events;
    std::vector<std::string> statuses;
    std::vector<std::string> speedEntries;

    void ShowMessage(const std::string& text) override { events.push_back("message " + text); }
    void ShowStatus(const std::string& text) override {
        statuses.push_back(text);
        events.push_back("status " + text);
    }
    void ShowInformation(const std::string& text) override { events.push_back("information " + text); }
    void ShowCompressionResult(const std::string& text) override { events.push_back("compression " + text); }
    void RefillPictureList(const std::string& folder, PictureList& pictures) override {
        events.push_back("pictures " + folder + " " + std::to_string(pictures.GetCount()));
    }
    void RefillSpeedChoices(const SpeedChoices& choices) override {
        speedEntries.clear();
        for (const auto& entry : choices.GetEntries()) speedEntries.push_back(entry.Text);
        events.push_back("speeds " + std::to_string(choices.GetEntries().size()));
    }
    void Navigate(const std::string& address) override { events.push_back("navigate " + address); }
    void ShowFileError(const std::string& description) override { events.push_back("error " + description); }

    // The step texts, each status with its header lines removed.
    std::vector<std::string> StepTexts() const {
        std::vector<std::string> steps;
        for (const std::string& status : statuses) {
            size_t end = status.rfind("\r\n");
            steps.push_back(end == std::string::npos ? status : status.substr(end + 2));
        }
        return steps;
    }
};

}  // namespace trackalbum::doubles
