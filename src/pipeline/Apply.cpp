#include "pipeline/Apply.h"

#include <exception>
#include <string>

#include "page/OutputKind.h"
#include "pipeline/BuildPageOptions.h"
#include "pipeline/TimeOffsets.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

class ApplyRun {
public:
    ApplyRun(ControlPanel& panel, const SettingsStore& store, ApplyDocument& document, ApplyHost& host)
        : panel_(panel), page_(panel.GetCameraGpsPage()), store_(store), document_(document), host_(host) {}

    void Run() {
        if (!panel_.SavePagesToSettings(store_, document_)) {
            std::string problem = store_.GetLastProblem();
            host_.ShowMessage(problem.empty() ? ApplyText::SettingsNotStored
                                              : std::string(ApplyText::SettingsNotStored) + "\n" + problem);
        }
        ShowStatus(ApplyText::SettingsSaved);

        const RunOptions run = panel_.GetRunOptions();
        LoadInputs(run);
        document_.PlacePictures(GetPlacementOffset(run));
        ShowStatus("");
        panel_.GetPictureListPage().RefillPictureList(run.PhotoFolder, document_.GetPicturesForUpdate());
        host_.RefillPictureList(run.PhotoFolder, document_.GetPicturesForUpdate());

        // Reduced after placement: photos are placed on the full track, pages drawn from the thin one.
        std::string report = document_.Reduce(page_.GetReductionTolerance());
        page_.SetCompressionResult(report);
        host_.ShowCompressionResult(report);

        const PageOptions options = BuildPageOptions(panel_.GetMapSettings(), run);
        if (run.GpsFile.empty()) {
            ShowStatus(ApplyText::SettingsOnly);
            host_.ShowInformation(ApplyText::SettingsOnly);
        } else {
            WritePages(options);
        }

        page_.GetSpeedChoices().Refill(document_.GetTrack());
        host_.RefillSpeedChoices(page_.GetSpeedChoices());
        ShowStatus(ApplyText::Completed);
    }

private:
    // Every status text starts with the time report of what the document holds right now.
    void ShowStatus(const std::string& step) {
        std::string text =
            document_.GetTimeStatusText(panel_.GetZoneSeconds(), panel_.GetClockSeconds()) + step;
        page_.SetStatusText(text);
        host_.ShowStatus(text);
    }

    void LoadInputs(const RunOptions& run) {
        document_.LoadGpx(run.GpsFile, run.SpeedLimitOn != 0, run.SpeedLimit, host_);
        document_.LoadPictures(run.PhotoFolder);
        document_.ReadComments(run.GpsFile);
    }

    bool HasPictures() const { return !document_.GetPictures().IsEmpty(); }

    void WritePages(const PageOptions& options) {
        using namespace OutputKind;
        document_.EnsureFolder("html");
        document_.EnsureFolder("html/img");
        document_.WritePage(Route, options);
        ShowStatus(ApplyText::RouteWritten);
        if (HasPictures()) {
            document_.WritePage(Picture, options);
            ShowStatus(ApplyText::PicturesWritten);
        }
        if (HasPictures()) {
            document_.WritePage(Picture | Route, options);
            ShowStatus(ApplyText::RouteAndPicturesWritten);
        }
        document_.WritePage(Route | ProfileLayout, options);
        if (HasPictures()) {
            document_.WritePage(Picture | Route | ProfileLayout, options);
            ShowStatus(ApplyText::ProfileWritten);
        }
        // What the pages load from their own folder; with no track there is no page, and
        // nothing of this is written either.
        if (!document_.GetTrack().IsEmpty()) {
            if (options.GetAPIHost() == ".") document_.WriteMapRuntime(options);
            if (options.GetIconHost() == ".") document_.WritePlayerIcons();
        }
        ShowStatus(ApplyText::ShowStarted);
        host_.Navigate(document_.GetPageAddress(HasPictures() ? Picture | Route : Route, options));
    }

    ControlPanel& panel_;
    CameraGpsPage& page_;
    const SettingsStore& store_;
    ApplyDocument& document_;
    ApplyHost& host_;
};

}  // namespace

ApplyResult Apply(ControlPanel& panel, const SettingsStore& store, ApplyDocument& document,
                  ApplyHost& host) {
    // The one place where an error ends the command: the status box keeps its last text,
    // later steps do not run, and the user is told why.
    try {
        ApplyRun(panel, store, document, host).Run();
        return ApplyResult::Completed;
    } catch (const FileError& error) {
        host.ShowFileError(error.what());
    } catch (const std::exception& error) {
        host.ShowFileError(error.what());
    }
    return ApplyResult::Failed;
}

}  // namespace trackalbum
