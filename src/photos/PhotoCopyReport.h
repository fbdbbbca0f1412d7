#pragma once
// The photo copy as the command line shows it: a progress bar redrawn in place when the
// progress stream is a terminal, one "%d%%..." line per photo otherwise, and a summary of
// the photos copied, shrunk and failed at the end.
#include <cstdio>
#include <string>

#include "photos/PhotoCopyHost.h"
#include "photos/PhotoCopySummary.h"

namespace trackalbum {

class PhotoCopyReport : public PhotoCopyHost {
public:
    // `progress` is usually stderr and `summary` stdout; `progressIsTerminal` picks the bar.
    PhotoCopyReport(std::FILE* progress, bool progressIsTerminal, std::FILE* summary);

    void SetCaption(const std::string& caption) override;
    void EnableCopyControls(bool enable) override;
    void PhotoDone(int done, int count) override;
    void Finished(const PhotoCopySummary& summary) override;

    // "[#####.....]  50% 1/2", `width` marks wide.
    static std::string FormatBar(int done, int count, int width = 30);
    // One line of counts, then one line per failed photo (and one for photos not reached).
    static std::string FormatSummary(const PhotoCopySummary& summary);
    static std::string DescribeFailure(PhotoCopyFailure reason);

private:
    std::FILE* progress_;
    bool progressIsTerminal_;
    std::FILE* summary_;
    bool barShown_ = false;
};

}  // namespace trackalbum
