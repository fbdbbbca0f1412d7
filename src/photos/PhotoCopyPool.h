#pragma once
// A pool of threads that works through numbered items in any order but hands each result
// on in the items' order, on the calling thread. The photo copy uses it so that a run on
// many cores reports its progress exactly as a run on one would.
#include <functional>
#include <stop_token>

namespace trackalbum {

// The threads a run uses when nobody says otherwise: one per core, at least one.
int GetDefaultPhotoCopyThreads();

// Calls work(i) for the items 0 .. count - 1, claimed in order by up to `threads` threads,
// and report(i) on the calling thread for each, in order, once work(i) has returned and
// everything work(i) wrote is visible. With one thread both run on the calling thread,
// alternately. Once `stop` is requested no further item is claimed; the items already in
// hand are finished and reported. Gives the number of items reported, which are always the
// first ones. work must not throw; report may, and the pool then stops and passes it on.
int RunInOrder(int count, int threads, std::stop_token stop,
               const std::function<void(int)>& work, const std::function<void(int)>& report);

}  // namespace trackalbum
