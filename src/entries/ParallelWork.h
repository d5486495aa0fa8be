#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace entries {

// Independent pieces of work, numbered from 0, done on worker threads while the thread that
// started them goes on with something else. Each piece is done exactly once, by whichever thread
// takes it first.
class ParallelWork {
public:
    // Starts `count` pieces on up to `threads` workers (never more than there are pieces). With
    // none, or when no thread can be started, Finish does them all. `piece` must not throw.
    ParallelWork(std::size_t count, unsigned threads, std::function<void(std::size_t)> piece);
    // Waits for the pieces already taken; those not taken are not done.
    ~ParallelWork();
    ParallelWork(const ParallelWork&) = delete;
    ParallelWork& operator=(const ParallelWork&) = delete;
    ParallelWork(ParallelWork&&) = delete;
    ParallelWork& operator=(ParallelWork&&) = delete;

    // Does the pieces no worker has taken yet on the calling thread, then waits for the workers.
    // Afterwards every piece is done and what they wrote is visible to the caller.
    void Finish() noexcept;

private:
    void DoUntilNoneLeft() noexcept;

    std::size_t count_;
    std::function<void(std::size_t)> piece_;
    std::atomic<std::size_t> next_{0}; // the first piece no thread has taken
    std::vector<std::jthread> workers_;
};

// How many worker threads a refill uses: one for each processor.
[[nodiscard]] unsigned DefaultWorkerThreads() noexcept;

} // namespace entries
