// Blocks of work done on several threads and handed on in the order they were read.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tintavis::batch {

// The blocks that exist at a time with `threads` threads: one being read or written, one
// ready for the next thread to free, and one per thread.
constexpr std::size_t BlocksInFlight(unsigned threads) { return threads <= 1 ? 1 : std::size_t{threads} + 2; }

// Calls `read` for each next block (false: no more), `process` on each block on one of
// `threads` threads, and `write` on each processed block in the order they were read; `read`
// and `write` run on the calling thread. At most BlocksInFlight(threads) blocks exist at a
// time, each reused once written, so memory does not grow with the number of blocks. A `write` that
// returns false ends the reading; the blocks under way are finished but not written, and the
// result is false. With one thread everything runs on the calling thread, block after block.
template <typename Block>
bool ProcessInOrder(unsigned threads, const std::function<bool(Block&)>& read,
                    const std::function<void(Block&)>& process, const std::function<bool(Block&)>& write) {
  if (threads <= 1) {
    Block block;
    while (read(block)) {
      process(block);
      if (!write(block)) return false;
    }
    return true;
  }

  const std::size_t slots = BlocksInFlight(threads);
  std::vector<Block> blocks(slots);
  std::vector<bool> done(slots, false);
  std::deque<std::size_t> queue;  // blocks read and not yet taken by a thread
  bool closing = false;
  std::mutex mutex;
  std::condition_variable queued;
  std::condition_variable processed;

  std::vector<std::thread> workers;
  workers.reserve(threads);
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      for (;;) {
        std::size_t i = 0;
        {
          std::unique_lock lock(mutex);
          queued.wait(lock, [&] { return !queue.empty() || closing; });
          if (queue.empty()) return;
          i = queue.front();
          queue.pop_front();
        }
        process(blocks[i]);
        {
          const std::lock_guard lock(mutex);
          done[i] = true;
        }
        processed.notify_all();
      }
    });
  }

  // blocks[oldest] is the next to be written; `inFlight` blocks follow it round the ring.
  std::size_t oldest = 0;
  std::size_t inFlight = 0;
  bool more = true;
  bool written = true;
  for (;;) {
    while (more && inFlight < slots) {
      const std::size_t i = (oldest + inFlight) % slots;
      if (!read(blocks[i])) {
        more = false;
        break;
      }
      {
        const std::lock_guard lock(mutex);
        done[i] = false;
        queue.push_back(i);
      }
      queued.notify_one();
      ++inFlight;
    }
    if (inFlight == 0) break;
    {
      std::unique_lock lock(mutex);
      processed.wait(lock, [&] { return static_cast<bool>(done[oldest]); });
    }
    if (written && !write(blocks[oldest])) {
      written = false;
      more = false;
    }
    oldest = (oldest + 1) % slots;
    --inFlight;
  }

  {
    const std::lock_guard lock(mutex);
    closing = true;
  }
  queued.notify_all();
  for (std::thread& worker : workers) worker.join();
  return written;
}

}  // namespace tintavis::batch
