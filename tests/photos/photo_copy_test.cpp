#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "charts/Image.h"
#include "photos/CommentsFile.h"
#include "photos/PhotoCopyDocument.h"
#include "photos/PhotoCopyHost.h"
#include "photos/PhotoCopyJobs.h"
#include "photos/PhotoCopyRun.h"
#include "photos/PhotoCopyWorker.h"
#include "photos/PictureList.h"
#include "photos/ShrinkFilter.h"
#include "platform/CFormat.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

namespace fs = std::filesystem;

// Records every call in order; calls arrive from the worker thread.
class RecordingHost : public PhotoCopyHost {
public:
    void SetCaption(const std::string& caption) override { Add("caption " + caption); }
    void EnableCopyControls(bool enable) override { Add(enable ? "enable" : "disable"); }
    void PhotoDone(int done, int count) override {
        Add(FormatC("done %d/%d", done, count));
        if (onPhotoDone) {
            onPhotoDone(done);
        }
    }
    void Finished(const PhotoCopySummary& summary) override {
        std::lock_guard lock(mutex_);
        summary_ = summary;
        events_.push_back("finished");
    }

    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const std::string& event : Events()) {
            if (event.rfind("caption ", 0) == 0) {
                captions.push_back(event.substr(8));
            }
        }
        return captions;
    }
    PhotoCopySummary FinishedSummary() const {
        std::lock_guard lock(mutex_);
        return summary_;
    }

    std::function<void(int)> onPhotoDone;

private:
    void Add(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }

    mutable std::mutex mutex_;
    std::vector<std::string> events_;
    PhotoCopySummary summary_;
};

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every test runs in a fresh folder of its own, as the program runs in the GPX file's one.
class PhotoCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "photo_copy_test.XXXXXX").string();
        ASSERT_NE(nullptr, mkdtemp(pattern.data()));
        root_ = pattern;
        previous_ = fs::current_path();
        fs::current_path(root_);
        fs::create_directory("photos");
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
    }

    // A photo with smooth content (so it encodes quickly) and some noise (so it is no
    // special case for the filter).
    static void WritePhoto(const std::string& name, int width, int height) {
        Image image;
        ASSERT_TRUE(image.Create(width, height, 24));
        std::mt19937 random(static_cast<unsigned>(width * 31 + height));
        for (int y = 0; y < height; ++y) {
            uint8_t* row = image.GetRow(y);
            for (int x = 0; x < width; ++x) {
                row[3 * x] = static_cast<uint8_t>(x * 255 / width);
                row[3 * x + 1] = static_cast<uint8_t>(y * 255 / height);
                row[3 * x + 2] = static_cast<uint8_t>(random() & 0x3f);
            }
        }
        ASSERT_EQ(ImageStatus::Ok, image.Save("photos/" + name));
    }

    static PhotoCopyJobs Jobs(const std::vector<std::string>& names) {
        PhotoCopyJobs jobs;
        jobs.SourceFolder = "photos";
        for (const std::string& name : names) {
            PictureRecord record;
            record.SetFolder("photos");
            record.SetFileName(name);
            jobs.Pictures.AddTail(record);
        }
        return jobs;
    }

    PhotoCopySummary RunJobs(const std::vector<std::string>& names, bool keepOriginalSize) {
        fs::create_directories("html/img");
        PhotoCopyWorker worker(host_, keepOriginalSize);
        EXPECT_TRUE(worker.Start(Jobs(names)));
        return worker.Wait();
    }

    static void ExpectSize(const std::string& path, int width, int height) {
        Image image;
        ASSERT_EQ(ImageStatus::Ok, image.Load(path)) << path;
        EXPECT_EQ(width, image.GetWidth()) << path;
        EXPECT_EQ(height, image.GetHeight()) << path;
    }

    // Nothing half-written may stay behind in the image folder.
    static std::vector<std::string> TargetNames() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator("html/img")) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    fs::path previous_;
    RecordingHost host_;
    PictureList pictures_;
    CommentsFile comments_;
};

TEST_F(PhotoCopyTest, ThreePhotosShrinkWithCaptionsInOrder) {
    WritePhoto("a.jpg", 640, 480);
    WritePhoto("b.jpg", 480, 640);
    WritePhoto("c.jpg", 100, 80);
    const PhotoCopySummary summary = RunPhotoCopy(pictures_, comments_, "photos", "walk.gpx",
                                                  false, host_);
    EXPECT_EQ((std::vector<std::string>{"disable", "caption 縮小中…", "caption 33%...",
                                        "done 1/3", "caption 66%...", "done 2/3",
                                        "caption 100%...", "done 3/3", "enable",
                                        "caption 画像縮小", "finished"}),
              host_.Events());
    EXPECT_EQ(3, summary.Shrunk);
    EXPECT_EQ(0, summary.Copied);
    EXPECT_TRUE(summary.IsComplete());
    ExpectSize("html/img/a.jpg", 160, 120);
    ExpectSize("html/img/b.jpg", 120, 160);
    ExpectSize("html/img/c.jpg", 100, 80);  // narrower than 160: its own size, re-encoded
    EXPECT_EQ((std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg"}), TargetNames());
}

TEST_F(PhotoCopyTest, CopyModeCopiesEveryFileByteForByte) {
    WritePhoto("a.jpg", 64, 48);
    WriteBytes("photos/notes.txt", "not a photo\r\n");
    WriteBytes("photos/broken.jpg", std::string("\xFF\xD8\xFF\xE0 truncated", 14));
    const PhotoCopySummary summary = RunPhotoCopy(pictures_, comments_, "photos", "walk.gpx",
                                                  true, host_);
    EXPECT_EQ(3, summary.Copied);
    EXPECT_TRUE(summary.IsComplete());
    for (const char* name : {"a.jpg", "notes.txt", "broken.jpg"}) {
        EXPECT_EQ(ReadBytes(fs::path("photos") / name), ReadBytes(fs::path("html/img") / name));
    }
    const std::vector<std::string> captions = host_.Captions();
    EXPECT_EQ("コピー中…", captions.front());
    EXPECT_EQ("コピー", captions.back());
}

TEST_F(PhotoCopyTest, FilesThatDoNotDecodeGiveNoReduction) {
    WritePhoto("a.jpg", 320, 200);
    WriteBytes("photos/notes.txt", "not a photo");
    WriteBytes("photos/empty.jpg", "");
    WriteBytes("photos/broken.jpg", ReadBytes("photos/a.jpg").substr(0, 200));
    const PhotoCopySummary summary =
        RunJobs({"a.jpg", "notes.txt", "empty.jpg", "broken.jpg"}, false);
    EXPECT_EQ(1, summary.Shrunk);
    EXPECT_EQ((std::vector<PhotoCopyFailedPhoto>{
                  {"notes.txt", PhotoCopyFailure::NotAnImage},
                  {"empty.jpg", PhotoCopyFailure::NotAnImage},
                  {"broken.jpg", PhotoCopyFailure::NotAnImage}}),
              summary.Failed);
    EXPECT_EQ((std::vector<std::string>{"a.jpg"}), TargetNames());
    EXPECT_EQ(summary.Failed, host_.FinishedSummary().Failed);
}

TEST_F(PhotoCopyTest, UnreadablePhotosAreNamedAndTheRunGoesOn) {
    WritePhoto("a.jpg", 64, 48);
    fs::create_directory("photos/folder.jpg");
    std::vector<std::string> names = {"missing.jpg", "folder.jpg", "a.jpg"};
    if (geteuid() != 0) {  // the superuser reads everything
        WriteBytes("photos/locked.jpg", ReadBytes("photos/a.jpg"));
        fs::permissions("photos/locked.jpg", fs::perms::none);
        names.push_back("locked.jpg");
    }
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "copy" : "shrink");
        fs::remove_all("html");
        const PhotoCopySummary summary = RunJobs(names, keep);
        EXPECT_EQ(1, keep ? summary.Copied : summary.Shrunk);
        ASSERT_EQ(names.size() - 1, summary.Failed.size());
        EXPECT_EQ("missing.jpg", summary.Failed[0].FileName);
        EXPECT_EQ("folder.jpg", summary.Failed[1].FileName);
        EXPECT_EQ((std::vector<std::string>{"a.jpg"}), TargetNames());
    }
}

TEST_F(PhotoCopyTest, TargetFolderThatCannotBeWritten) {
    WritePhoto("a.jpg", 64, 48);
    WritePhoto("b.jpg", 64, 48);
    fs::create_directory("html");
    WriteBytes("html/img", "a file where the folder should be");
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "copy" : "shrink");
        const PhotoCopySummary summary = RunPhotoCopy(pictures_, comments_, "photos",
                                                      "walk.gpx", keep, host_);
        const PhotoCopyFailure reason =
            keep ? PhotoCopyFailure::CopyFailed : PhotoCopyFailure::SaveFailed;
        EXPECT_EQ((std::vector<PhotoCopyFailedPhoto>{{"a.jpg", reason}, {"b.jpg", reason}}),
                  summary.Failed);
        EXPECT_FALSE(summary.IsComplete());
        EXPECT_EQ("enable", host_.Events().end()[-3]);
        EXPECT_EQ("finished", host_.Events().back());
    }
    EXPECT_EQ("a file where the folder should be", ReadBytes("html/img"));
}

TEST_F(PhotoCopyTest, ExistingTargetIsReplacedInBothModes) {
    WritePhoto("a.jpg", 800, 600);
    fs::create_directories("html/img");
    WriteBytes("html/img/a.jpg", "an old copy");
    RunJobs({"a.jpg"}, false);
    ExpectSize("html/img/a.jpg", 160, 120);
    WriteBytes("html/img/a.jpg", "an old copy");
    RunJobs({"a.jpg"}, true);
    EXPECT_EQ(ReadBytes("photos/a.jpg"), ReadBytes("html/img/a.jpg"));
    EXPECT_EQ((std::vector<std::string>{"a.jpg"}), TargetNames());
}

TEST_F(PhotoCopyTest, ShrinkingOverThePhotoItselfIsRefused) {
    fs::create_directories("html/img");
    Image image;
    ASSERT_TRUE(image.Create(400, 300, 24));
    ASSERT_EQ(ImageStatus::Ok, image.Save("html/img/a.jpg"));
    const std::string original = ReadBytes("html/img/a.jpg");
    PhotoCopyJobs jobs = Jobs({"a.jpg"});
    jobs.SourceFolder = "html/img";
    PhotoCopyWorker worker(host_, false);
    worker.Start(std::move(jobs));
    const PhotoCopySummary summary = worker.Wait();
    EXPECT_EQ((std::vector<PhotoCopyFailedPhoto>{{"a.jpg", PhotoCopyFailure::SameAsSource}}),
              summary.Failed);
    EXPECT_EQ(original, ReadBytes("html/img/a.jpg"));
}

TEST_F(PhotoCopyTest, TinyAndLargePhotos) {
    WritePhoto("one.jpg", 1, 1);
    WritePhoto("wide.jpg", 2000, 1000);
    WritePhoto("flat.png", 3000, 10);
    const PhotoCopySummary summary = RunJobs({"one.jpg", "wide.jpg", "flat.png"}, false);
    EXPECT_EQ(3, summary.Shrunk);
    ExpectSize("html/img/one.jpg", 1, 1);
    ExpectSize("html/img/wide.jpg", 160, 80);
    ExpectSize("html/img/flat.png", 160, 1);
}

// About 50 megapixels: takes a few seconds (most of it encoding and decoding the JPEG).
TEST_F(PhotoCopyTest, FiftyMegapixelPhoto) {
    WritePhoto("big.jpg", 8660, 5774);
    const PhotoCopySummary summary = RunJobs({"big.jpg"}, false);
    EXPECT_EQ(1, summary.Shrunk);
    ExpectSize("html/img/big.jpg", 160, 106);
}

TEST_F(PhotoCopyTest, LosslessTargetHoldsTheFilterOutputExactly) {
    WritePhoto("a.png", 1000, 700);
    RunJobs({"a.png"}, false);
    Image source;
    ASSERT_EQ(ImageStatus::Ok, source.Load("photos/a.png"));
    Image expected;
    ASSERT_TRUE(ShrinkImage(source, 160, expected));
    Image written;
    ASSERT_EQ(ImageStatus::Ok, written.Load("html/img/a.png"));
    ASSERT_EQ(expected.GetWidth(), written.GetWidth());
    ASSERT_EQ(expected.GetHeight(), written.GetHeight());
    for (int y = 0; y < expected.GetHeight(); ++y) {
        for (int x = 0; x < expected.GetWidth(); ++x) {
            ASSERT_EQ(expected.GetPixel(x, y), written.GetPixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(PhotoCopyTest, ModeIsReadAfreshForEachPhoto) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        WritePhoto(name, 400, 300);
    }
    fs::create_directories("html/img");
    PhotoCopyWorker worker(host_, false);
    host_.onPhotoDone = [&worker](int done) {
        if (done == 1) {
            worker.SetKeepOriginalSize(true);
        }
    };
    worker.Start(Jobs({"a.jpg", "b.jpg", "c.jpg"}));
    const PhotoCopySummary summary = worker.Wait();
    EXPECT_EQ(1, summary.Shrunk);
    EXPECT_EQ(2, summary.Copied);
    ExpectSize("html/img/a.jpg", 160, 120);
    EXPECT_EQ(ReadBytes("photos/b.jpg"), ReadBytes("html/img/b.jpg"));
    EXPECT_EQ("縮小中…", host_.Captions().front());
    EXPECT_EQ("コピー", host_.Captions().back());
}

TEST_F(PhotoCopyTest, ModeToggledFromAnotherThreadWhileRunning) {
    std::vector<std::string> names;
    for (int i = 0; i < 24; ++i) {
        names.push_back(FormatC("p%02d.jpg", i));
        WritePhoto(names.back(), 200, 150);
    }
    fs::create_directories("html/img");
    PhotoCopyWorker worker(host_, false);
    worker.Start(Jobs(names));
    bool keep = false;
    while (worker.IsRunning()) {
        keep = !keep;
        worker.SetKeepOriginalSize(keep);
        std::this_thread::yield();
    }
    const PhotoCopySummary summary = worker.Wait();
    EXPECT_EQ(24, summary.Copied + summary.Shrunk);
    EXPECT_TRUE(summary.IsComplete());
}

TEST_F(PhotoCopyTest, SecondStartWhileWorkingIsRefusedAndStopLeavesTheRest) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        WritePhoto(name, 64, 48);
    }
    fs::create_directories("html/img");
    std::mutex mutex;
    std::condition_variable changed;
    bool inFirstPhoto = false;
    bool released = false;
    host_.onPhotoDone = [&](int done) {
        if (done != 1) {
            return;
        }
        std::unique_lock lock(mutex);
        inFirstPhoto = true;
        changed.notify_all();
        changed.wait(lock, [&] { return released; });
    };
    PhotoCopyWorker worker(host_, true);
    ASSERT_TRUE(worker.Start(Jobs({"a.jpg", "b.jpg", "c.jpg"})));
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return inFirstPhoto; });
    }
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start(Jobs({"a.jpg"})));
    PictureListDocument document(pictures_, comments_);
    EXPECT_FALSE(worker.Start(document, "photos", "walk.gpx"));
    worker.RequestStop();
    {
        std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
    const PhotoCopySummary summary = worker.Wait();
    EXPECT_EQ(1, summary.Copied);
    EXPECT_EQ(2, summary.NotReached);
    EXPECT_FALSE(summary.IsComplete());
    EXPECT_FALSE(fs::exists("html/img/b.jpg"));
    EXPECT_EQ("finished", host_.Events().back());
}

TEST_F(PhotoCopyTest, EmptyFolderEndsAtOnce) {
    const PhotoCopySummary summary = RunPhotoCopy(pictures_, comments_, "photos", "walk.gpx",
                                                  false, host_);
    EXPECT_EQ((std::vector<std::string>{"disable", "caption 縮小中…", "enable",
                                        "caption 画像縮小", "finished"}),
              host_.Events());
    EXPECT_TRUE(summary.IsComplete());
    EXPECT_TRUE(fs::is_directory("html/img"));
}

TEST_F(PhotoCopyTest, PreparationKeepsCommentsAndRescansTheFolder) {
    WritePhoto("a.jpg", 64, 48);
    WritePhoto("b.jpg", 64, 48);
    pictures_.Scan("photos");
    comments_.ReadComments(pictures_, "walk.gpx");
    pictures_[1].SetComment("峠の茶屋");
    WritePhoto("c.jpg", 64, 48);  // arrives after the last scan

    PictureListDocument document(pictures_, comments_);
    const PhotoCopyJobs jobs = PreparePhotoCopy(document, "photos", "walk.gpx");
    EXPECT_TRUE(fs::is_directory("html/img"));
    ASSERT_EQ(3u, pictures_.GetCount());
    EXPECT_EQ("峠の茶屋", pictures_[1].GetComment());
    ASSERT_EQ(3u, jobs.Pictures.GetCount());
    EXPECT_EQ("photos", jobs.SourceFolder);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(pictures_[i].GetFileName(), jobs.Pictures[i].GetFileName());
        EXPECT_EQ("photos", jobs.Pictures[i].GetFolder());
        EXPECT_EQ("", jobs.Pictures[i].GetComment());
    }
}

TEST_F(PhotoCopyTest, FailedPreparationRestoresTheIdleState) {
    WritePhoto("a.jpg", 64, 48);
    pictures_.Scan("photos");
    comments_.ReadComments(pictures_, "walk.gpx");
    fs::create_directory(GetCommentsPath("walk.gpx"));  // the comments cannot be stored
    EXPECT_THROW(RunPhotoCopy(pictures_, comments_, "photos", "walk.gpx", true, host_),
                 FileError);
    EXPECT_EQ((std::vector<std::string>{"disable", "caption コピー中…", "enable",
                                        "caption コピー"}),
              host_.Events());
}

TEST_F(PhotoCopyTest, RealCameraFilesInBothModes) {
    const std::string corpus = std::string(CORPUS_DIR) + "/jpeg";
    PhotoCopySummary copied = RunPhotoCopy(pictures_, comments_, corpus, "", true, host_);
    EXPECT_TRUE(copied.IsComplete());
    ASSERT_GT(copied.Copied, 30);
    for (const PictureRecord& picture : pictures_) {
        EXPECT_EQ(ReadBytes(picture.GetFullPath()),
                  ReadBytes(fs::path("html/img") / picture.GetFileName()));
    }
    fs::remove_all("html");

    const PhotoCopySummary shrunk = RunPhotoCopy(pictures_, comments_, corpus, "", false, host_);
    EXPECT_EQ(copied.Copied, shrunk.Shrunk + shrunk.GetFailedCount());
    for (const PictureRecord& picture : pictures_) {
        SCOPED_TRACE(picture.GetFileName());
        const fs::path target = fs::path("html/img") / picture.GetFileName();
        Image source;
        if (source.Load(picture.GetFullPath()) != ImageStatus::Ok) {
            EXPECT_FALSE(fs::exists(target));
            continue;
        }
        const int width = std::min(source.GetWidth(),
                                   GetShrinkWidth(source.GetWidth(), source.GetHeight()));
        Image written;
        ASSERT_EQ(ImageStatus::Ok, written.Load(target.string()));
        EXPECT_EQ(width, written.GetWidth());
    }
}

}  // namespace
}  // namespace trackalbum
