// The picture list page under load: filling it with 1,000 photos, and moving the selection
// through 200 twelve-megapixel photos, by clicks (one decode per new selection) and by a
// held arrow key (the page waits for the selection to settle). "Longest block" is the
// longest time the event loop was kept from handling the window's events.
//   picture_list_bench DATA_FOLDER [PHOTOS]      (needs a display: run under xvfb-run)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <time.h>
#include <vector>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/sizer.h>

#include "image/Image.h"
#include "pipeline/PictureThumbnail.h"
#include "platform/CFormat.h"
#include "shell/CPagePictureList.h"
#include "shell/CPictureView.h"

namespace fs = std::filesystem;
using namespace trackalbum;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int PhotoWidth = 4000;
constexpr int PhotoHeight = 3000;
constexpr int Distinct = 8;

// Processor time of this thread: the machine may be shared.
double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double Milliseconds(Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); }

// Camera-like content: shading, edges and noise, so that decoding costs what a photo costs.
void WriteTestPhoto(const std::string& path, unsigned seed) {
    Image photo;
    if (!photo.Create(PhotoWidth, PhotoHeight, 24)) std::exit(1);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < PhotoHeight; ++y) {
        uint8_t* row = photo.GetRow(y);
        for (int x = 0; x < PhotoWidth; ++x) {
            const int base = 90 + (x * 120 / PhotoWidth) + ((x / 97 + y / 89 + static_cast<int>(seed)) % 2 ? 25 : -25);
            for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<uint8_t>(std::clamp(base + 20 * c + noise(random), 0, 255));
        }
    }
    if (photo.Save(path) != ImageStatus::Ok) std::exit(1);
}

PictureList PreparePhotos(const fs::path& folder, int count) {
    fs::create_directories(folder);
    PictureList pictures;
    for (int i = 0; i < count; ++i) {
        const fs::path path = folder / FormatC("photo_%03d.jpg", i);
        if (!fs::exists(path)) {
            if (i < Distinct) {
                WriteTestPhoto(path.string(), 1000 + i);
            } else {
                std::error_code failed;
                fs::create_hard_link(folder / FormatC("photo_%03d.jpg", i % Distinct), path, failed);
                if (failed) fs::copy_file(folder / FormatC("photo_%03d.jpg", i % Distinct), path);
            }
        }
        PictureRecord record;
        record.SetFolder(folder.string());
        record.SetFileName(path.filename().string());
        pictures.AddTail(record);
    }
    return pictures;
}

PictureList NamesOnly(int count) {
    PictureList pictures;
    for (int i = 0; i < count; ++i) {
        PictureRecord record;
        record.SetFileName(FormatC("IMG_%04d.JPG", i));
        record.SetTakenTime(TimeValue(2024, 5, 1, 9, 0, 0) + TimeSpan(37 * i));
        record.SetComment(i % 3 ? "" : "コメント");
        if (i % 4) record.SetPosition(35.5 + i * 1e-4, 139.25 + i * 1e-4);
        pictures.AddTail(record);
    }
    return pictures;
}

// Handles events for `ms`, and gives the longest stretch in which none could be handled.
double Pump(int ms) {
    double longest = 0;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        const Clock::time_point before = Clock::now();
        wxTheApp->Yield(true);
        longest = std::max(longest, Milliseconds(Clock::now() - before));
        wxMilliSleep(1);
    }
    return longest;
}

void Select(CPictureView* list, int row) {
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

class BenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: picture_list_bench DATA_FOLDER [PHOTOS]\n");
        return 2;
    }
    const fs::path data = argv[1];
    const int photoCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    wxApp::SetInstance(new BenchApp);
    int one = 1;
    char* args[] = {argv[0], nullptr};
    if (!wxEntryStart(one, args) || !wxTheApp->CallOnInit()) return 2;

    PictureListPage model;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "picture list");
    auto* page = new CPagePictureList(frame, model);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(page, 1, wxEXPAND);
    frame->SetSizerAndFit(sizer);
    frame->Show();
    Pump(200);
    CPictureView* list = page->GetPictureView();

    // Fill: the call, and the first paint of the filled list.
    PictureList names = NamesOnly(1000);
    std::vector<double> fills, fillsCpu;
    for (int run = 0; run < 5; ++run) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = CpuMilliseconds();
        page->Refill("/photos", names);
        frame->Update();
        fillsCpu.push_back(CpuMilliseconds() - cpuStart);
        fills.push_back(Milliseconds(Clock::now() - start));
        Pump(50);
    }
    std::sort(fills.begin(), fills.end());
    std::sort(fillsCpu.begin(), fillsCpu.end());
    std::printf("fill of 1000 photos: median %.1f ms, best %.1f ms (median %.1f ms processor time; %d rows)\n",
                fills[2], fills[0], fillsCpu[2], list->GetItemCount());

    const Clock::time_point prepared = Clock::now();
    PictureList photos = PreparePhotos(data / "picture_list", photoCount);
    std::printf("%d photos of %dx%d (%d distinct) ready in %.1f s\n", photoCount, PhotoWidth, PhotoHeight,
                std::min(Distinct, photoCount), Milliseconds(Clock::now() - prepared) / 1000);
    // The reference: one decode and thumbnail of a photo, as the page makes it.
    std::vector<double> decodeWall, decodeCpu;
    for (int i = 0; i < std::min(photoCount, 9); ++i) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = CpuMilliseconds();
        Image photo;
        photo.Load(photos[static_cast<size_t>(i)].GetFullPath());
        const Image small = MakeThumbnail(photo);
        decodeCpu.push_back(CpuMilliseconds() - cpuStart);
        decodeWall.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(decodeWall.begin(), decodeWall.end());
    std::sort(decodeCpu.begin(), decodeCpu.end());
    std::printf("one decode and thumbnail: median %.1f ms (%.1f ms processor time)\n", decodeWall[decodeWall.size() / 2],
                decodeCpu[decodeCpu.size() / 2]);

    page->Refill((data / "picture_list").string(), photos);
    Pump(100);

    // Clicks: each new selection is shown after its settling delay, one decode each.
    int decodes = page->GetDecodeCount();
    double longest = 0, total = 0;
    const Clock::time_point clicks = Clock::now();
    const double clicksCpu = CpuMilliseconds();
    for (int row = 0; row < photoCount; ++row) {
        const int before = page->GetDecodeCount();
        Select(list, row);
        // Until the page has shown it (a busy machine may delay the settling timer).
        double block = 0;
        for (int wait = 0; wait < 100 && page->GetDecodeCount() == before; ++wait) block = std::max(block, Pump(20));
        longest = std::max(longest, block);
        total += block;
    }
    const double clickSeconds = Milliseconds(Clock::now() - clicks) / 1000;
    std::printf("clicks through %d photos: %d decodes, longest block %.1f ms, mean block %.1f ms "
                "(%.1f ms processor time a click), %.1f s in all\n",
                photoCount, page->GetDecodeCount() - decodes, longest, total / photoCount,
                (CpuMilliseconds() - clicksCpu) / photoCount, clickSeconds);

    // Repaints of the same selection draw the kept copy.
    decodes = page->GetDecodeCount();
    const Clock::time_point paints = Clock::now();
    for (int i = 0; i < 50; ++i) {
        frame->Refresh();
        frame->Update();
    }
    std::printf("50 repaints of one selection: %d decodes, %.2f ms each\n", page->GetDecodeCount() - decodes,
                Milliseconds(Clock::now() - paints) / 50);

    // A held arrow key: a move every 30 ms, shown only where it stops.
    Select(list, 0);
    Pump(200);
    decodes = page->GetDecodeCount();
    longest = 0;
    for (int row = 1; row < photoCount; ++row) {
        Select(list, row);
        longest = std::max(longest, Pump(30));
    }
    longest = std::max(longest, Pump(CPagePictureList::SelectionDelayMs + 100));
    std::printf("arrow key held through %d photos: %d decodes, longest block %.1f ms\n", photoCount,
                page->GetDecodeCount() - decodes, longest);

    frame->Destroy();
    Pump(50);
    wxEntryCleanup();
    return 0;
}
