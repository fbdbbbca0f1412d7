#include "shell/ShellPhotoCopyHost.h"

#include <utility>

#include <wx/thread.h>

#include "shell/CPageCameraGPS.h"

namespace trackalbum {
namespace {

// The preparation calls on the UI thread and takes effect at once; the worker's calls are
// queued to the page in order. When the page goes, its queued calls go with it.
template <typename Change>
void OnPage(CPageCameraGPS& page, Change change) {
    if (wxThread::IsMain()) {
        change();
    } else {
        page.CallAfter(std::move(change));
    }
}

}  // namespace

void ShellPhotoCopyHost::SetCaption(const std::string& caption) {
    CPageCameraGPS& page = page_;
    OnPage(page, [&page, caption] { page.SetCopyCaption(caption); });
}

void ShellPhotoCopyHost::EnableCopyControls(bool enable) {
    CPageCameraGPS& page = page_;
    OnPage(page, [&page, enable] { page.EnableCopyControls(enable); });
}

void ShellPhotoCopyHost::Finished(const PhotoCopySummary& summary) {
    CPageCameraGPS& page = page_;
    OnPage(page, [&page, summary] { page.ShowCopySummary(summary); });
}

}  // namespace trackalbum
