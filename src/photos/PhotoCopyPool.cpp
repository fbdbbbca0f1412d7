#include "photos/PhotoCopyPool.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace trackalbum {
namespace {

int RunOnCallingThread(int count, std::stop_token stop, const std::function<void(int)>& work,
                       const std::function<void(int)>& report) {
    int reported = 0;
    for (; reported < count && !stop.stop_requested(); ++reported) {
        work(reported);
        report(reported);
    }
    return reported;
}

// What the threads share. Items are claimed in order, so those claimed are always the first
// ones; each is marked done under the lock once its work has returned.
class OrderedItems {
public:
    OrderedItems(int count, std::stop_token stop) : done_(static_cast<size_t>(count)), stop_(std::move(stop)) {}

    // The next item to work on, or -1 when there is none or the run is to end.
    int Claim() {
        std::lock_guard lock(mutex_);
        if (abandoned_ || stop_.stop_requested() || next_ == static_cast<int>(done_.size())) {
            return -1;
        }
        return next_++;
    }
    void MarkDone(int index) {
        {
            std::lock_guard lock(mutex_);
            done_[static_cast<size_t>(index)] = true;
        }
        changed_.notify_all();
    }
    void HelperStarting() {
        std::lock_guard lock(mutex_);
        ++helpers_;
    }
    void HelperEnded() {
        {
            std::lock_guard lock(mutex_);
            --helpers_;
        }
        changed_.notify_all();
    }
    // Waits until `index` is done (true) or every helper has left without it (false: it was
    // never claimed, since a helper finishes what it claims before it leaves).
    bool WaitFor(int index) {
        std::unique_lock lock(mutex_);
        const auto ready = [&] {
            return index < static_cast<int>(done_.size()) && done_[static_cast<size_t>(index)];
        };
        changed_.wait(lock, [&] { return ready() || helpers_ == 0; });
        return ready();
    }
    void Abandon() {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<bool> done_;
    std::stop_token stop_;
    int next_ = 0;
    int helpers_ = 0;
    bool abandoned_ = false;
};

}  // namespace

int GetDefaultPhotoCopyThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

int RunInOrder(int count, int threads, std::stop_token stop, const std::function<void(int)>& work,
               const std::function<void(int)>& report) {
    // Never more threads than items: an idle one would only hold its stack.
    threads = std::clamp(threads, 1, std::max(count, 1));
    if (threads == 1) {
        return RunOnCallingThread(count, std::move(stop), work, report);
    }
    OrderedItems items(count, stop);
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<size_t>(threads));
    for (int started = 0; started < threads; ++started) {
        items.HelperStarting();
        try {
            helpers.emplace_back([&items, &work] {
                for (int index = items.Claim(); index >= 0; index = items.Claim()) {
                    work(index);
                    items.MarkDone(index);
                }
                items.HelperEnded();
            });
        } catch (const std::system_error&) {
            // Out of threads: go on with those that started.
            items.HelperEnded();
            break;
        }
    }
    const auto joinHelpers = [&] {
        for (std::thread& helper : helpers) {
            helper.join();
        }
    };
    if (helpers.empty()) {
        return RunOnCallingThread(count, std::move(stop), work, report);
    }
    int reported = 0;
    try {
        while (items.WaitFor(reported)) {
            report(reported);
            ++reported;
        }
    } catch (...) {
        items.Abandon();
        joinHelpers();
        throw;
    }
    joinHelpers();
    return reported;
}

}  // namespace trackalbum
