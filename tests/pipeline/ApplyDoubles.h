#pragma once
// A document and a host that record what Apply asks of them.
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "pipeline/ApplyDocument.h"
#include "pipeline/ApplyHost.h"
#include "platform/CFormat.h"
#include "platform/Errors.h"

namespace trackalbum::doubles {

inline GpsTrack MakeTrack(std::initializer_list<double> speeds) {
    GpsTrack track;
    for (double speed : speeds) track.AddTail(GpsPoint()).Speed = speed;  // km/h
    return track;
}

class FakeDocument : public ApplyDocument {
public:
    GpsTrack trackOnLoad;       // what loading a named file yields
    size_t picturesOnScan = 0;  // how many photos a named folder holds
    std::optional<int> failWritingKind;
    std::set<int> pagesOnDisk;  // kinds whose page exists, written now or earlier
    std::vector<std::string> calls;
    double speedLimit = -1, tolerance = -1;
    int32_t placementOffset = 0;

    int LoadGpx(const std::string& path, bool on, double limit, MessageHost&) override {
        calls.push_back("LoadGpx " + path);
        speedLimit = on ? limit : -1;
        if (!path.empty()) track_ = trackOnLoad;
        return path.empty() ? 0 : 1;
    }
    void LoadPictures(const std::string& folder) override {
        calls.push_back("LoadPictures " + folder);
        pictures_.RemoveAllPictures();
        for (size_t i = 0; i < (folder.empty() ? 0 : picturesOnScan); ++i) pictures_.AddTail(PictureRecord());
    }
    void WriteComments(const std::string& gpsFile) override { calls.push_back("WriteComments " + gpsFile); }
    void ReadComments(const std::string& gpsFile) override { calls.push_back("ReadComments " + gpsFile); }
    void PlacePictures(int32_t offset) override { calls.push_back("PlacePictures"), placementOffset = offset; }
    std::string GetTimeStatusText(int32_t gpsOffset, int32_t photoOffset) const override {
        if (track_.IsEmpty() && pictures_.IsEmpty()) return "";  // as on the first run
        return FormatC("[%zu %zu %d %d]\r\n", track_.GetCount(), pictures_.GetCount(), gpsOffset, photoOffset);
    }
    std::string Reduce(double value) override {
        calls.push_back("Reduce"), tolerance = value;
        return FormatC("%zu/%zu\r\n(100%%)", track_.GetCount(), track_.GetCount());
    }
    void EnsureFolder(const std::string& path) override { calls.push_back("EnsureFolder " + path); }
    void WriteMapRuntime(const PageOptions& options) override {
        calls.push_back("WriteMapRuntime " + options.GetTileLayers().Normal.Url);
    }
    void WritePlayerIcons() override { calls.push_back("WritePlayerIcons"); }
    void WritePage(int kind, const PageOptions&) override {
        calls.push_back("WritePage " + std::to_string(kind));
        if (failWritingKind == kind) throw FileError("html/x.html", "cannot write html/x.html");
        if (!track_.IsEmpty()) pagesOnDisk.insert(kind);  // the page writer writes nothing for an empty track
    }
    std::string GetPageAddress(int kind, const PageOptions&) const override {
        // Not a FileError: any error ends Apply the same way.
        if (!pagesOnDisk.count(kind)) throw std::runtime_error("no page of kind " + std::to_string(kind));
        return "file:///html/" + std::to_string(kind);
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
    std::vector<std::string> events, statuses;

    void ShowMessage(const std::string& text) override { events.push_back("message " + text); }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    void ShowInformation(const std::string& text) override { events.push_back("information " + text); }
    void ShowCompressionResult(const std::string& text) override { events.push_back("compression " + text); }
    void RefillPictureList(const std::string& folder, PictureList& list) override {
        events.push_back(FormatC("pictures %s %zu", folder.c_str(), list.GetCount()));
    }
    void RefillSpeedChoices(const SpeedChoices& box) override { events.push_back(FormatC("speeds %zu", box.GetEntries().size())); }
    void Navigate(const std::string& address) override { events.push_back("navigate " + address); }
    void ShowFileError(const std::string& description) override { events.push_back("error " + description); }

    // The step texts of the status updates, header lines removed.
    std::vector<std::string> StepTexts() const {
        std::vector<std::string> steps;
        for (const std::string& status : statuses) steps.push_back(status.substr(status.rfind('\n') + 1));
        return steps;
    }
};

}  // namespace trackalbum::doubles
