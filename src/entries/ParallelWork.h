#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
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
    // Stops taking pieces and waits for the ones under way; those not taken are not done.
    ~ParallelWork();
    ParallelWork(const ParallelWork&) = delete;
    ParallelWork& operator=(const ParallelWork&) = delete;
    ParallelWork(ParallelWork&&) = delete;
    ParallelWork& operator=(ParallelWork&&) = delete;

    // Does the pieces no worker has taken yet on the calling thread, then waits for the workers.
    // Afterwards every piece is done and what they wrote is visible to the caller.
    void Finish() noexcept;

    // Waits until every piece is done, or until each piece that is not is held up: under way on a
    // worker for longer than `patience` (a file whose read does not end). A worker held up while
    // pieces wait to be taken is joined by a new one, so that one stuck piece does not hold up
    // the rest. Without workers, the calling thread does every piece. True when all are done.
    bool FinishUnlessHeldUp(std::chrono::milliseconds patience) noexcept;

    // No piece is taken from now on; the ones under way go on.
    void Stop() noexcept;

    [[nodiscard]] std::size_t DoneCount() const noexcept;

private:
    // A worker, and the moment its piece under way was taken (0 when it has none).
    struct Worker {
        std::atomic<std::int64_t> busySince{0};
        std::jthread thread;
    };

    bool AddWorker() noexcept;
    void DoUntilNoneLeft(std::atomic<std::int64_t>* busySince) noexcept;
    void JoinWorkers() noexcept;

    std::size_t count_;
    std::size_t wanted_ = 0; // workers asked for
    std::function<void(std::size_t)> piece_;
    std::atomic<std::size_t> next_{0}; // the first piece no thread has taken
    std::atomic<std::size_t> doneCount_{0};
    std::mutex doneGuard_;
    std::condition_variable allDone_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

// How many worker threads a refill uses: one for each processor.
[[nodiscard]] unsigned DefaultWorkerThreads() noexcept;

} // namespace entries
