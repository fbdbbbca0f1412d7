#pragma once
// Timing the photo button's run over a folder, and another program over the same photos, for
// the photo copy benches: wall-clock time (what the user waits for) and processor time.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "RunProgram.h"
#include "photos/PhotoCopyWorker.h"
#include "photos/PictureRecord.h"
#include "platform/CFormat.h"

namespace trackalbum::bench {

struct Timing {
    double Wall = 0;       // seconds
    double Processor = 0;  // seconds of all threads
};

inline void Fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
}

inline double ProcessorSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

class QuietHost : public PhotoCopyHost {
public:
    void SetCaption(const std::string&) override {}
    void EnableCopyControls(bool) override {}
    void Finished(const PhotoCopySummary&) override {}
};

// The photo button's worker over `names` in `photos`, into a fresh `target`, with `threads`
// threads; every photo must get through.
inline Timing TimePhotoCopy(const std::filesystem::path& photos, const std::vector<std::string>& names,
                            const std::filesystem::path& target, int threads, bool keepOriginalSize = false) {
    std::filesystem::remove_all(target);
    std::filesystem::create_directories(target);
    PhotoCopyJobs jobs;
    jobs.SourceFolder = photos.string();
    jobs.TargetFolder = target.string();
    for (const std::string& name : names) {
        PictureRecord record;
        record.Read(jobs.SourceFolder, name);
        jobs.Pictures.AddTail(std::move(record));
    }
    QuietHost host;
    PhotoCopyWorker worker(host, keepOriginalSize);
    worker.SetThreadCount(threads);
    const double processor = ProcessorSeconds(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    worker.Start(std::move(jobs));
    const PhotoCopySummary summary = worker.Wait();
    const Timing timing{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                        ProcessorSeconds(RUSAGE_SELF) - processor};
    if (summary.Shrunk + summary.Copied != static_cast<int>(names.size())) {
        Fail(FormatC("only %d of %zu photos done", summary.Shrunk + summary.Copied, names.size()));
    }
    return timing;
}

// vipsthumbnail (or another libvips program) with its own threads, or with as many as
// `concurrency` says.
inline Timing TimeVips(const std::vector<std::string>& arguments, const char* concurrency) {
    const ProgramTiming timing = RunProgram(arguments, [concurrency] {
        if (concurrency) setenv("VIPS_CONCURRENCY", concurrency, 1);
        else unsetenv("VIPS_CONCURRENCY");
    });
    return {timing.Wall, timing.Processor};
}

// vipsthumbnail over `names` in `photos` at `size` ("160", or "20000>" to shrink only),
// writing into `target` (made afresh) what `pattern` names.
inline std::vector<std::string> VipsThumbnailCommand(const std::filesystem::path& photos, const std::vector<std::string>& names,
                                                     const std::filesystem::path& target, const std::string& size,
                                                     const std::string& pattern = "%s.jpg") {
    std::filesystem::create_directories(target);
    std::vector<std::string> command = {"vipsthumbnail", "-s", size, "-o", (target / pattern).string()};
    for (const std::string& name : names) command.push_back((photos / name).string());
    return command;
}

inline void PrintTiming(const char* label, const Timing& timing, int count, const std::string& tail = "") {
    std::printf("%-34s %7.2f s wall  %6.1f ms/photo  processor %7.2f s%s\n", label, timing.Wall,
                timing.Wall / count * 1e3, timing.Processor, tail.c_str());
}

}  // namespace trackalbum::bench
