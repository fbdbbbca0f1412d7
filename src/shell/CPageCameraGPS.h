#pragma once
// The "GPS/写真データ" page: the run's inputs, the status box Apply reports in, and the
// photo button that copies or shrinks the photos on a worker thread.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/panel.h>

#include "photos/PhotoCopyDocument.h"
#include "photos/PhotoCopySummary.h"
#include "photos/PhotoCopyWorker.h"
#include "pipeline/CameraGpsPage.h"
#include "shell/ShellPhotoCopyHost.h"

class wxButton;
class wxCheckBox;
class wxComboBox;
class wxSlider;
class wxSpinButton;
class wxStaticText;
class wxTextCtrl;
class wxCommandEvent;
class wxSizer;
class wxSpinEvent;

namespace trackalbum {

class CTimeZoneCB;

class CPageCameraGPS : public wxPanel {
public:
    CPageCameraGPS(wxWindow* parent, CameraGpsPage& model, PhotoCopyDocument& document);
    ~CPageCameraGPS() override;

    // Model -> controls.
    bool TransferDataToWindow() override;
    // Controls -> model. Stops at a clock minutes field that is no whole number: the user
    // is told, and the field keeps its last good value.
    bool TransferDataFromWindow() override;

    // Stores the status text and pushes every value to the controls.
    void ShowStatus(const std::string& text);
    void ShowCompressionResult(const std::string& text);
    // Reads the two paths, which the copy button needs.
    void UpdateCopyButton();
    // Off while a copy runs: the copy button, the two browse buttons and the two path fields.
    void EnableCopyControls(bool enable);
    void SetCopyCaption(const std::string& caption);
    // The end of a copy run: the photos that did not reach the image folder are named.
    void ShowCopySummary(const PhotoCopySummary& summary);

    // The photo button rescans the folder: a comment being typed is stored first, and the
    // picture list is refilled from the new records at once.
    void SetPictureListHooks(std::function<void()> commitPendingComment,
                             std::function<void(const std::string& folder)> refill) {
        commitPendingComment_ = std::move(commitPendingComment);
        refillPictureList_ = std::move(refill);
    }

    // The copy button's handler, for the button and the tests.
    void RunPhotoCopy();
    bool IsCopyRunning() const { return model_.IsCopyRunning(); }
    // The captions the copy button showed since the last run was confirmed.
    const std::vector<std::string>& GetCopyCaptionHistory() const { return copyCaptions_; }
    PhotoCopyWorker& GetCopyWorker() { return *worker_; }

    wxTextCtrl* GetPageNameEdit() const { return pageName_; }
    wxTextCtrl* GetGpsFileEdit() const { return gpsFile_; }
    wxTextCtrl* GetPhotoFolderEdit() const { return photoFolder_; }
    wxButton* GetGpsBrowseButton() const { return gpsBrowse_; }
    wxButton* GetPhotoBrowseButton() const { return photoBrowse_; }
    wxCheckBox* GetClockCorrectionCheck() const { return clockCorrection_; }
    wxTextCtrl* GetClockMinutesEdit() const { return clockMinutes_; }
    wxSpinButton* GetClockSpin() const { return clockSpin_; }
    wxStaticText* GetStatusBox() const { return status_; }
    CTimeZoneCB* GetTimeZoneBox() const { return timeZone_; }
    wxSlider* GetCompressionSlider() const { return compression_; }
    wxStaticText* GetCompressionResultLabel() const { return compressionResult_; }
    wxCheckBox* GetSpeedLimitCheck() const { return speedLimitOn_; }
    wxComboBox* GetSpeedBox() const { return speedLimit_; }
    wxCheckBox* GetKeepOriginalSizeCheck() const { return keepOriginalSize_; }
    wxButton* GetCopyButton() const { return copyButton_; }

private:
    void CreateControls();
    wxSizer* CreatePathRows();
    wxSizer* CreatePhotoBox();
    wxSizer* CreateCompressionRow();
    wxSizer* CreateSpeedRow();
    wxWindow* CreateStatusBox();
    void BindHandlers();
    void DeclareEnabling();
    void ReadPaths();
    void PushSpeedChoices();
    void OnClockSpin(int step);
    void OnBrowseGps(wxCommandEvent& event);
    void OnBrowsePhotos(wxCommandEvent& event);
    void OnKeepOriginalSize(wxCommandEvent& event);

    CameraGpsPage& model_;
    PhotoCopyDocument& document_;
    std::function<void()> commitPendingComment_;
    std::function<void(const std::string&)> refillPictureList_;
    std::vector<std::string> shownSpeedEntries_;
    std::vector<std::string> copyCaptions_;

    wxTextCtrl* pageName_ = nullptr;
    wxTextCtrl* gpsFile_ = nullptr;
    wxButton* gpsBrowse_ = nullptr;
    CTimeZoneCB* timeZone_ = nullptr;
    wxTextCtrl* photoFolder_ = nullptr;
    wxButton* photoBrowse_ = nullptr;
    wxCheckBox* clockCorrection_ = nullptr;
    wxStaticText* clockBefore_ = nullptr;
    wxTextCtrl* clockMinutes_ = nullptr;
    wxSpinButton* clockSpin_ = nullptr;
    wxStaticText* clockAfter_ = nullptr;
    wxCheckBox* keepOriginalSize_ = nullptr;
    wxButton* copyButton_ = nullptr;
    wxSlider* compression_ = nullptr;
    wxStaticText* compressionResult_ = nullptr;
    wxCheckBox* speedLimitOn_ = nullptr;
    wxStaticText* speedBefore_ = nullptr;
    wxComboBox* speedLimit_ = nullptr;
    wxStaticText* speedAfter_ = nullptr;
    wxStaticText* status_ = nullptr;

    // The host before the worker: the worker is stopped and joined while its host is alive.
    ShellPhotoCopyHost copyHost_;
    std::unique_ptr<PhotoCopyWorker> worker_;
};

}  // namespace trackalbum
