#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

#include "image/Image.h"
#include "photos/PhotoCopyReport.h"
#include "photos/PhotoCopyRun.h"
#include "photos/PhotoCopyWorker.h"
#include "photos/photo_test_support.h"
#include "platform/CFormat.h"
#include "platform/Errors.h"
#include "support/CorpusTest.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;
using namespace test;
using Names = std::vector<std::string>;
const auto Summary = &PhotoCopyReport::FormatSummary;

// Records captions and control states in order; read only once the worker is joined.
class RecordingHost : public PhotoCopyHost {
public:
    void SetCaption(const std::string& caption) override { events.push_back(caption); }
    void EnableCopyControls(bool enable) override { events.push_back(enable ? "enable" : "disable"); }
    void PhotoDone(int done, int) override { onPhotoDone(done); }
    void Finished(const PhotoCopySummary&) override { events.push_back("finished"); }
    std::function<void(int)> onPhotoDone = [](int) {};
    Names events;
};

// Each test runs in a fresh current folder, as the program runs in the GPX file's one.
class PhotoCopyTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories("photos"); }
    static PhotoCopyJobs Jobs(const Names& names, const std::string& folder = "photos") {
        PhotoCopyJobs jobs;
        jobs.SourceFolder = folder;
        for (const std::string& name : names) jobs.Pictures.AddTail(test::NamedRecord(name));
        fs::create_directories("html/img");
        return jobs;
    }
    // Shading, edges and noise, so that the encoder has real work and a mixed-up pixel shows.
    static void WritePhoto(const std::string& name, int width, int height, unsigned seed = 0) {
        Image image;
        ASSERT_TRUE(image.Create(width, height, 24));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                seed = seed * 1103515245u + 12345u;
                const int noise = static_cast<int>(seed >> 27);
                const int base = (x / 13 + y / 11) % 2 ? 60 : 180;
                image.SetPixel(x, y, {static_cast<uint8_t>(base + noise), static_cast<uint8_t>(x * 255 / width),
                                      static_cast<uint8_t>(y * 255 / height + noise)});
            }
        }
        ASSERT_EQ(ImageStatus::Ok, image.Save("photos/" + name));
    }
    PhotoCopySummary RunJobs(const Names& names, bool keep, const std::string& folder = "photos", int threads = 0) {
        PhotoCopyWorker worker(host_, keep);
        worker.SetThreadCount(threads);
        EXPECT_TRUE(worker.Start(Jobs(names, folder)));
        return worker.Wait();
    }
    PhotoCopySummary RunAll(bool keep, const std::string& folder = "photos") {
        return RunPhotoCopy(pictures_, comments_, folder, "walk.gpx", keep, host_);
    }
    // Each file of the image folder with its image size; nothing half-written may stay behind.
    static std::string Listing() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator("html/img")) names.insert(entry.path().filename());
        std::string listing;
        for (const std::string& name : names) {
            Image image;
            listing += name + (image.Load("html/img/" + name) == ImageStatus::Ok ? FormatC(":%dx%d ", image.GetWidth(), image.GetHeight()) : " ");
        }
        return listing;
    }
    test::ScratchFolder folder_{test::ScratchFolder::Enter};
    RecordingHost host_;
    PictureList pictures_;
    CommentsFile comments_;
};

TEST_F(PhotoCopyTest, ThreePhotosShrinkWithCaptionsInOrder) {
    WritePhoto("a.jpg", 640, 480);
    WritePhoto("b.jpg", 480, 640);
    WritePhoto("c.jpg", 100, 80);  // narrower than 160: its own size, re-encoded
    EXPECT_EQ(3, RunAll(false).Shrunk);
    EXPECT_EQ(host_.events, (Names{"disable", "縮小中…", "33%...", "66%...", "100%...", "enable", "画像縮小", "finished"}));
    EXPECT_EQ(Listing(), "a.jpg:160x120 b.jpg:120x160 c.jpg:100x80 ");
}

TEST_F(PhotoCopyTest, BothModesReplaceTargetsAndNameWhatTheyCannotRead) {
    WritePhoto("a.jpg", 400, 300);
    WriteFile("photos/notes.txt", "not a photo");
    WriteFile("photos/empty.jpg", "");
    fs::create_directories("photos/folder.jpg");
    const Names names{"missing.jpg", "folder.jpg", "notes.txt", "empty.jpg", "a.jpg"};
    fs::create_directories("html/img");
    WriteFile("html/img/a.jpg", "an old copy");
    EXPECT_EQ(Summary(RunJobs(names, false)), "写真: コピー 0枚、縮小 1枚、失敗 4枚\n失敗: missing.jpg（画像として読めません）\n"
              "失敗: folder.jpg（画像として読めません）\n失敗: notes.txt（画像として読めません）\n失敗: empty.jpg（画像として読めません）\n");
    EXPECT_EQ(Listing(), "a.jpg:160x120 ");
    WriteFile("html/img/a.jpg", "an old copy");
    EXPECT_EQ(Summary(RunJobs(names, true)), "写真: コピー 3枚、縮小 0枚、失敗 2枚\n失敗: missing.jpg（コピーできません）\n失敗: folder.jpg（コピーできません）\n");
    for (std::string name : {"a.jpg", "notes.txt", "empty.jpg"}) EXPECT_EQ(ReadFile("photos/" + name), ReadFile("html/img/" + name));
}

TEST_F(PhotoCopyTest, PipesAreNeverOpened) {
    ASSERT_EQ(mkfifo("photos/pipe.jpg", 0644), 0);
    std::atomic<bool> opened = false;  // a writer gets through its open once a reader opens the pipe
    std::thread writer([&] { close(open("photos/pipe.jpg", O_WRONLY | O_CLOEXEC)), opened = true; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(Summary(RunAll(true)), "写真: コピー 0枚、縮小 0枚、失敗 1枚\n失敗: pipe.jpg（コピーできません）\n");
    EXPECT_EQ(Summary(RunAll(false)), "写真: コピー 0枚、縮小 0枚、失敗 1枚\n失敗: pipe.jpg（画像として読めません）\n");
    EXPECT_FALSE(opened);
    const int reader = open("photos/pipe.jpg", O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    writer.join();
    close(reader);
}

TEST_F(PhotoCopyTest, TargetsThatCannotBeWritten) {
    WritePhoto("a.jpg", 400, 300);
    fs::create_directory("html");
    WriteFile("html/img", "a file where the folder should be");
    EXPECT_EQ(Summary(RunAll(true)), "写真: コピー 0枚、縮小 0枚、失敗 1枚\n失敗: a.jpg（コピーできません）\n");
    EXPECT_EQ(Summary(RunAll(false)), "写真: コピー 0枚、縮小 0枚、失敗 1枚\n失敗: a.jpg（保存できません）\n");
    EXPECT_EQ("a file where the folder should be", ReadFile("html/img"));
    // Shrinking the photo onto itself would lose the original.
    fs::remove("html/img");
    fs::create_directory("html/img");
    fs::copy_file("photos/a.jpg", "html/img/a.jpg");
    EXPECT_EQ(RunJobs({"a.jpg"}, false, "html/img").Failed, (std::vector<PhotoCopyFailedPhoto>{{"a.jpg", PhotoCopyFailure::SameAsSource}}));
    EXPECT_EQ(ReadFile("photos/a.jpg"), ReadFile("html/img/a.jpg"));
}

TEST_F(PhotoCopyTest, TheModeIsReadAfreshForEachPhotoAndAStopLeavesTheRest) {
    Names names;
    for (int i = 0; i < 12; ++i) WritePhoto(names.emplace_back("p" + std::to_string(i + 10) + ".jpg"), 200, 150);
    PhotoCopyWorker worker(host_, false);
    worker.SetThreadCount(1);  // one thread takes up the mode set in a report for the very next photo
    host_.onPhotoDone = [&](int done) {
        worker.SetKeepOriginalSize(done == 1);
        if (done != 3) return;
        EXPECT_FALSE(worker.Start(PhotoCopyJobs{}));  // refused while working
        worker.RequestStop();
    };
    ASSERT_TRUE(worker.Start(Jobs(names)));
    EXPECT_EQ(Summary(worker.Wait()), "写真: コピー 1枚、縮小 2枚、失敗 0枚\n中断: 9枚は処理されていません\n");
    EXPECT_EQ(Listing(), "p10.jpg:160x120 p11.jpg:200x150 p12.jpg:160x120 ");
    // Toggled from another thread while the worker runs.
    host_.onPhotoDone = [](int) {};
    worker.Start(Jobs(names));
    for (bool keep = false; worker.IsRunning(); keep = !keep) worker.SetKeepOriginalSize(keep);
    const PhotoCopySummary summary = worker.Wait();
    EXPECT_EQ(12, summary.Copied + summary.Shrunk);
}

// The pool must be invisible: the same files, byte for byte, the same captions in the same
// order and the same failures in list order as one thread gives, in both modes.
TEST_F(PhotoCopyTest, ManyThreadsGiveWhatOneThreadGives) {
    Names names;
    for (int i = 0; i < 9; ++i) {
        const bool upright = i % 3 == 1;
        WritePhoto(names.emplace_back(FormatC("t%d.jpg", i)), upright ? 300 + 40 * i : 640 - 30 * i, upright ? 500 : 360 + 7 * i, i);
    }
    WritePhoto("small.png", 90, 70, 99);
    WriteFile("photos/broken.jpg", "\xff\xd8\xff\xe0 cut short");
    names.insert(names.begin() + 3, "broken.jpg");
    names.insert(names.begin() + 6, "missing.jpg");
    names.insert(names.begin() + 8, "small.png");
    std::vector<std::pair<std::string, Names>> sources{{"photos", names}};
    if (const fs::path corpus = test::CorpusTest::Folder(); !corpus.empty()) {
        Names cameras;
        for (const auto& entry : fs::directory_iterator(corpus / "jpeg")) cameras.push_back(entry.path().filename());
        std::sort(cameras.begin(), cameras.end());
        sources.emplace_back(corpus / "jpeg", cameras);
    }
    for (const auto& [folder, list] : sources) {
        for (bool keep : {false, true}) {
            std::string expected;
            for (int threads : {1, 2, 5}) {
                fs::remove_all("html/img");
                host_.events.clear();
                std::string outcome = Summary(RunJobs(list, keep, folder, threads));
                for (const std::string& event : host_.events) outcome += event + "|";
                for (const std::string& name : list) outcome += "\n" + name + ":" + ReadFile("html/img/" + name);
                if (threads == 1) expected = outcome;
                EXPECT_TRUE(outcome == expected) << folder << (keep ? " copied" : " shrunk") << " with " << threads << " threads";
            }
            if (folder == "photos") {
                EXPECT_EQ(expected.substr(0, expected.find("disable|")),
                          keep ? "写真: コピー 11枚、縮小 0枚、失敗 1枚\n失敗: missing.jpg（コピーできません）\n"
                               : "写真: コピー 0枚、縮小 10枚、失敗 2枚\n失敗: broken.jpg（画像として読めません）\n"
                                 "失敗: missing.jpg（画像として読めません）\n");
            }
        }
    }
}

TEST_F(PhotoCopyTest, PreparationKeepsCommentsRescansAndRestoresIdleOnFailure) {
    EXPECT_TRUE(RunAll(false).IsComplete());  // no photos: the worker ends at once
    EXPECT_EQ(host_.events, (Names{"disable", "縮小中…", "enable", "画像縮小", "finished"}));
    WritePhoto("a.jpg", 64, 48);
    WritePhoto("b.jpg", 64, 48);
    pictures_.LoadPictures("photos");
    pictures_[1].SetComment("峠の茶屋");
    WritePhoto("c.jpg", 64, 48);  // arrives after the last scan
    EXPECT_EQ(3, RunAll(false).Shrunk);
    EXPECT_EQ("峠の茶屋", pictures_[1].GetComment());
    fs::remove(GetCommentsPath("walk.gpx"));
    fs::create_directory(GetCommentsPath("walk.gpx"));  // the comments cannot be stored
    host_.events.clear();
    EXPECT_THROW(RunAll(true), FileError);
    EXPECT_EQ(host_.events, (Names{"disable", "コピー中…", "enable", "コピー"}));
}

}  // namespace
}  // namespace trackalbum
