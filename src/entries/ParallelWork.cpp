#include "ParallelWork.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace entries {

ParallelWork::ParallelWork(std::size_t count, unsigned threads,
                           std::function<void(std::size_t)> piece)
    : count_(count), piece_(std::move(piece))
{
    const std::size_t wanted = std::min<std::size_t>(threads, count_);
    try {
        workers_.reserve(wanted);
        while (workers_.size() < wanted) {
            workers_.emplace_back([this] { DoUntilNoneLeft(); });
        }
    } catch (const std::system_error&) {
        // Fewer threads, or none: Finish does what the workers do not.
    } catch (const std::bad_alloc&) {
    }
}

ParallelWork::~ParallelWork()
{
    // The workers must not outlive what their pieces write to: no piece is taken from now on,
    // and the ones under way are waited for.
    next_.store(count_);
    workers_.clear();
}

void ParallelWork::DoUntilNoneLeft() noexcept
{
    for (std::size_t index = next_.fetch_add(1); index < count_; index = next_.fetch_add(1)) {
        piece_(index);
    }
}

void ParallelWork::Finish() noexcept
{
    DoUntilNoneLeft();
    for (std::jthread& worker : workers_) {
        worker.join();
    }
    workers_.clear();
}

unsigned DefaultWorkerThreads() noexcept
{
    return std::max(1U, std::thread::hardware_concurrency());
}

} // namespace entries
