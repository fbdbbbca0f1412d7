#include "shell/CPageCameraGPS.h"

#include <exception>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "photos/PhotoCopyCaptions.h"
#include "photos/PhotoCopyReport.h"
#include "shell/CTimeZoneCB.h"
#include "shell/EnableWhen.h"
#include "shell/ShellMessageBox.h"
#include "shell/ShellText.h"
#include "shell/WholeNumberValidator.h"

namespace trackalbum {
namespace {

constexpr const char* CopyConfirmation = "時間のかかる処理です。\n実行してもよろしいですか？";

// Every row of the page centres its controls vertically.
constexpr int CentreV = wxALIGN_CENTER_VERTICAL;

// The model keeps the line ends the status text was built with.
wxString DisplayLines(const std::string& text) {
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        lines += text[i] == '\r' ? '\n' : text[i];
    }
    return U8(lines);
}

// The spin keeps a value of its own; it is put back to the middle after each step, so that
// it never reaches an end and the minutes have no bounds.
constexpr int SpinMiddle = 0;
constexpr int SpinRange = 1000000;

}  // namespace

CPageCameraGPS::CPageCameraGPS(wxWindow* parent, CameraGpsPage& model, PhotoCopyDocument& document)
    : wxPanel(parent, wxID_ANY),
      model_(model),
      document_(document),
      copyHost_(*this),
      worker_(std::make_unique<PhotoCopyWorker>(copyHost_, model.GetKeepOriginalSize() != 0)) {
    CreateControls();
    timeZone_->FillTimeZones();
    compression_->SetRange(0, CameraGpsPage::MaxCompression);
    compression_->SetValue(0);
    TransferDataToWindow();
}

CPageCameraGPS::~CPageCameraGPS() {
    // Stops a run after its current photo and waits for it while the controls still exist.
    worker_.reset();
}

void CPageCameraGPS::CreateControls() {
    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(CreatePathRows(), 0, wxEXPAND | wxALL, 6);
    page->Add(CreatePhotoBox(), 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
    page->Add(CreateCompressionRow(), 0, wxEXPAND | wxALL, 6);
    page->Add(CreateSpeedRow(), 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
    page->Add(CreateStatusBox(), 1, wxEXPAND | wxALL, 6);
    SetSizer(page);
    BindHandlers();
    DeclareEnabling();
}

wxSizer* CPageCameraGPS::CreatePathRows() {
    auto* grid = new wxFlexGridSizer(4, wxSize(6, 6));
    grid->AddGrowableCol(1, 1);

    pageName_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(320, -1));
    grid->Add(new wxStaticText(this, wxID_ANY, U8("ホームページ名：")), 0, CentreV);
    grid->Add(pageName_, 1, wxEXPAND);
    grid->AddSpacer(0);
    grid->AddSpacer(0);

    gpsFile_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(320, -1));
    gpsBrowse_ = new wxButton(this, wxID_ANY, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    timeZone_ = new CTimeZoneCB(this);
    auto* zone = new wxBoxSizer(wxHORIZONTAL);
    zone->Add(new wxStaticText(this, wxID_ANY, U8("GPS時間帯：")), 0, CentreV | wxLEFT, 12);
    zone->Add(timeZone_, 0, CentreV);
    grid->Add(new wxStaticText(this, wxID_ANY, U8("GPSファイル：")), 0, CentreV);
    grid->Add(gpsFile_, 1, wxEXPAND);
    grid->Add(gpsBrowse_, 0, CentreV);
    grid->Add(zone, 0, CentreV);
    return grid;
}

wxSizer* CPageCameraGPS::CreatePhotoBox() {
    auto* photos = new wxStaticBoxSizer(wxVERTICAL, this, U8("写真マーカー"));
    wxWindow* box = photos->GetStaticBox();
    auto* folder = new wxBoxSizer(wxHORIZONTAL);
    photoFolder_ = new wxTextCtrl(box, wxID_ANY);
    photoBrowse_ = new wxButton(box, wxID_ANY, "...", wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    folder->Add(new wxStaticText(box, wxID_ANY, U8("写真ホルダ：")), 0, CentreV | wxRIGHT, 6);
    folder->Add(photoFolder_, 1, CentreV);
    folder->Add(photoBrowse_, 0, CentreV | wxLEFT, 6);
    photos->Add(folder, 0, wxEXPAND | wxALL, 4);

    auto* clock = new wxBoxSizer(wxHORIZONTAL);
    clockCorrection_ = new wxCheckBox(box, wxID_ANY, U8("撮影時刻の補正："));
    clockBefore_ = new wxStaticText(box, wxID_ANY, U8("カメラの時計が"));
    clockMinutes_ = new wxTextCtrl(box, wxID_ANY, "0", wxDefaultPosition, wxSize(70, -1), wxTE_RIGHT,
                                   WholeNumberValidator(model_, &CameraGpsPage::GetClockMinutes,
                                                        &CameraGpsPage::SetClockMinutes,
                                                        WholeNumberValidator::Keys::Any));
    clockSpin_ = new wxSpinButton(box, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    clockSpin_->SetRange(-SpinRange, SpinRange);
    clockSpin_->SetValue(SpinMiddle);
    clockAfter_ = new wxStaticText(box, wxID_ANY, U8("分進んでいる"));
    clock->Add(clockCorrection_, 0, CentreV | wxRIGHT, 6);
    clock->Add(clockBefore_, 0, CentreV | wxRIGHT, 4);
    clock->Add(clockMinutes_, 0, CentreV);
    clock->Add(clockSpin_, 0, CentreV | wxRIGHT, 4);
    clock->Add(clockAfter_, 0, CentreV);
    photos->Add(clock, 0, wxEXPAND | wxALL, 4);

    auto* copy = new wxBoxSizer(wxHORIZONTAL);
    keepOriginalSize_ = new wxCheckBox(box, wxID_ANY, U8("写真はそのままのサイズで使いたい"));
    copyButton_ = new wxButton(box, wxID_ANY, U8(GetPhotoCopyIdleCaption(false)));
    copy->Add(keepOriginalSize_, 1, CentreV);
    copy->Add(copyButton_, 0, CentreV | wxLEFT, 6);
    photos->Add(copy, 0, wxEXPAND | wxALL, 4);
    return photos;
}

wxSizer* CPageCameraGPS::CreateCompressionRow() {
    auto* reduce = new wxBoxSizer(wxHORIZONTAL);
    compression_ = new wxSlider(this, wxID_ANY, 0, 0, CameraGpsPage::MaxCompression, wxDefaultPosition,
                                wxSize(160, -1));
    compressionResult_ = new wxStaticText(this, wxID_ANY, "");
    reduce->Add(new wxStaticText(this, wxID_ANY, U8("圧縮：しない")), 0, CentreV);
    reduce->Add(compression_, 0, CentreV);
    reduce->Add(new wxStaticText(this, wxID_ANY, U8("する")), 0, CentreV | wxRIGHT, 8);
    reduce->Add(compressionResult_, 1, CentreV);
    return reduce;
}

wxSizer* CPageCameraGPS::CreateSpeedRow() {
    auto* speed = new wxBoxSizer(wxHORIZONTAL);
    speedLimitOn_ = new wxCheckBox(this, wxID_ANY, "");
    speedBefore_ = new wxStaticText(this, wxID_ANY, U8("時速"));
    // Entries are inserted in text order by the model ("%4u", so also numeric order).
    speedLimit_ = new wxComboBox(this, wxID_ANY, "", wxDefaultPosition, wxSize(90, -1), 0, nullptr,
                                 wxCB_DROPDOWN);
    speedAfter_ = new wxStaticText(this, wxID_ANY, U8("km以上のデータを分析に用いない"));
    speed->Add(speedLimitOn_, 0, CentreV);
    speed->Add(speedBefore_, 0, CentreV | wxRIGHT, 4);
    speed->Add(speedLimit_, 0, CentreV | wxRIGHT, 4);
    speed->Add(speedAfter_, 0, CentreV);
    return speed;
}

wxWindow* CPageCameraGPS::CreateStatusBox() {
    status_ = new wxStaticText(this, wxID_ANY, "\n\n\n", wxDefaultPosition, wxDefaultSize,
                               wxST_NO_AUTORESIZE | wxBORDER_SUNKEN);
    status_->SetMinSize(wxSize(-1, 4 * GetCharHeight() + 6));
    return status_;
}

void CPageCameraGPS::BindHandlers() {
    gpsFile_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { UpdateCopyButton(); });
    photoFolder_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { UpdateCopyButton(); });
    gpsBrowse_->Bind(wxEVT_BUTTON, &CPageCameraGPS::OnBrowseGps, this);
    photoBrowse_->Bind(wxEVT_BUTTON, &CPageCameraGPS::OnBrowsePhotos, this);
    // Reading the values is all the two check boxes do; their controls follow the rules.
    clockCorrection_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { TransferDataFromWindow(); });
    speedLimitOn_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { TransferDataFromWindow(); });
    keepOriginalSize_->Bind(wxEVT_CHECKBOX, &CPageCameraGPS::OnKeepOriginalSize, this);
    // The up arrow adds a minute, the down arrow takes one away.
    clockSpin_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent&) { OnClockSpin(-1); });
    clockSpin_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent&) { OnClockSpin(1); });
    copyButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RunPhotoCopy(); });
}

void CPageCameraGPS::DeclareEnabling() {
    EnableWhen({clockBefore_, clockMinutes_, clockSpin_, clockAfter_}, [this] { return model_.IsClockFieldEnabled(); });
    EnableWhen({speedBefore_, speedLimit_, speedAfter_}, [this] { return model_.IsSpeedFieldEnabled(); });
    EnableWhen({copyButton_}, [this] { return model_.IsCopyButtonEnabled(); });
    EnableWhen({gpsFile_, gpsBrowse_, photoFolder_, photoBrowse_}, [this] { return model_.ArePathControlsEnabled(); });
}

bool CPageCameraGPS::TransferDataToWindow() {
    // ChangeValue sends no text event: a value pushed is not taken for one typed.
    pageName_->ChangeValue(U8(model_.GetPageName()));
    gpsFile_->ChangeValue(U8(model_.GetGpsFile()));
    photoFolder_->ChangeValue(U8(model_.GetPhotoFolder()));
    timeZone_->SetTimeZoneHours(model_.GetTimeZoneHours());
    clockCorrection_->SetValue(model_.GetClockCorrection() != 0);
    ShowField(*clockMinutes_);
    keepOriginalSize_->SetValue(model_.GetKeepOriginalSize() != 0);
    speedLimitOn_->SetValue(model_.GetSpeedLimitOn() != 0);
    compression_->SetValue(model_.GetCompression());
    compressionResult_->SetLabelText(DisplayLines(model_.GetCompressionResult()));
    status_->SetLabelText(DisplayLines(model_.GetStatusText()));
    PushSpeedChoices();
    UpdateEnabling(*this);
    return true;
}

void CPageCameraGPS::PushSpeedChoices() {
    const SpeedChoices& choices = model_.GetSpeedChoices();
    std::vector<std::string> texts;
    texts.reserve(choices.GetEntries().size());
    for (const SpeedChoices::Entry& entry : choices.GetEntries()) texts.push_back(entry.Text);
    if (texts != shownSpeedEntries_) {
        wxArrayString items;
        for (const std::string& text : texts) items.Add(U8(text));
        speedLimit_->Set(items);
        shownSpeedEntries_ = std::move(texts);
    }
    if (choices.GetSelection() >= 0) {
        speedLimit_->SetSelection(choices.GetSelection());
    } else {
        speedLimit_->SetSelection(wxNOT_FOUND);
        speedLimit_->ChangeValue(U8(choices.GetText()));
    }
}

bool CPageCameraGPS::TransferDataFromWindow() {
    model_.SetPageName(ToUtf8(pageName_->GetValue()));
    ReadPaths();
    model_.SetTimeZoneHours(timeZone_->GetTimeZoneHours());
    model_.SetClockCorrection(clockCorrection_->GetValue());
    model_.SetKeepOriginalSize(keepOriginalSize_->GetValue());
    model_.SetSpeedLimitOn(speedLimitOn_->GetValue());
    model_.SetCompression(compression_->GetValue());
    SpeedChoices& choices = model_.GetSpeedChoices();
    const int selection = speedLimit_->GetSelection();
    if (selection != wxNOT_FOUND && speedLimit_->GetValue() == speedLimit_->GetString(selection)) {
        choices.Select(selection);
    } else {
        choices.SetText(ToUtf8(speedLimit_->GetValue()));
    }
    // Last in the exchange order: a bad minutes field has let every other value through.
    const bool read = ReadField(*clockMinutes_, *this);
    UpdateEnabling(*this);
    return read;
}

void CPageCameraGPS::ReadPaths() {
    model_.SetGpsFile(ToUtf8(gpsFile_->GetValue()));
    model_.SetPhotoFolder(ToUtf8(photoFolder_->GetValue()));
}

void CPageCameraGPS::ShowStatus(const std::string& text) {
    model_.SetStatusText(text);
    TransferDataToWindow();
}

void CPageCameraGPS::ShowCompressionResult(const std::string& text) {
    model_.SetCompressionResult(text);
    compressionResult_->SetLabelText(DisplayLines(text));
    Layout();
}

void CPageCameraGPS::UpdateCopyButton() {
    // Only the two paths count here; reading the minutes on every keystroke would pop up
    // its message while the user is still typing a path.
    ReadPaths();
    UpdateEnabling(*this);
}

void CPageCameraGPS::EnableCopyControls(bool enable) {
    model_.SetCopyRunning(!enable);
    UpdateEnabling(*this);
}

void CPageCameraGPS::SetCopyCaption(const std::string& caption) {
    copyCaptions_.push_back(caption);
    copyButton_->SetLabel(U8(caption));
    Layout();
}

void CPageCameraGPS::ShowCopySummary(const PhotoCopySummary& summary) {
    if (summary.IsComplete()) return;
    ShowMessageBox(PhotoCopyReport::FormatSummary(summary), wxOK | wxICON_WARNING, this);
}

void CPageCameraGPS::OnClockSpin(int step) {
    clockSpin_->SetValue(SpinMiddle);
    TransferDataFromWindow();
    model_.StepClockMinutes(step);
    TransferDataToWindow();
}

void CPageCameraGPS::OnBrowseGps(wxCommandEvent&) {
    wxFileDialog dialog(this, wxEmptyString, wxEmptyString, wxEmptyString, U8("GPXファイル(*.gpx)|*.gpx"),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    TransferDataFromWindow();
    const wxString path = dialog.GetPath();
    model_.SetGpsFile(ToUtf8(path));
    // Every output path is relative to the GPX file's folder.
    wxSetWorkingDirectory(wxFileName(path).GetPath());
    TransferDataToWindow();
    UpdateCopyButton();
}

void CPageCameraGPS::OnBrowsePhotos(wxCommandEvent&) {
    wxDirDialog dialog(this, U8("写真のあるフォルダー選択"), U8(model_.GetPhotoFolder()),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    TransferDataFromWindow();
    model_.SetPhotoFolder(ToUtf8(dialog.GetPath()));
    TransferDataToWindow();
    UpdateCopyButton();
}

void CPageCameraGPS::OnKeepOriginalSize(wxCommandEvent&) {
    TransferDataFromWindow();
    const bool keep = model_.GetKeepOriginalSize() != 0;
    // A running copy takes the new mode with its next photo and keeps its progress caption.
    worker_->SetKeepOriginalSize(keep);
    if (!model_.IsCopyRunning()) SetCopyCaption(GetPhotoCopyIdleCaption(keep));
}

void CPageCameraGPS::RunPhotoCopy() {
    TransferDataFromWindow();
    if (ShowMessageBox(CopyConfirmation, wxYES_NO | wxICON_QUESTION, this) != wxYES) return;
    copyCaptions_.clear();
    if (commitPendingComment_) commitPendingComment_();
    worker_->SetKeepOriginalSize(model_.GetKeepOriginalSize() != 0);
    std::string problem;
    try {
        worker_->Start(document_, model_.GetPhotoFolder(), model_.GetGpsFile());
    } catch (const std::exception& error) {
        problem = error.what();
    }
    // The document's records were replaced by the rescan, even by one that failed halfway.
    if (refillPictureList_) refillPictureList_(model_.GetPhotoFolder());
    if (!problem.empty()) ShowMessageBox(problem, wxOK | wxICON_ERROR, this);
}

}  // namespace trackalbum
