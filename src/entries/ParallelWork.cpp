#include "ParallelWork.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace entries {
namespace {

// Workers added for held-up ones stop here: each stands for a file whose read does not end, and
// a refill that meets that many has nothing to gain from more.
constexpr std::size_t kMostWorkers = 32;
constexpr std::chrono::milliseconds kHeldUpCheck{50};

std::int64_t Ticks() noexcept
{
    // Never 0, which stands for "no piece under way".
    return std::max<std::int64_t>(1, std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace

ParallelWork::ParallelWork(std::size_t count, unsigned threads,
                           std::function<void(std::size_t)> piece)
    : count_(count), piece_(std::move(piece))
{
    wanted_ = std::min<std::size_t>(threads, count_);
    while (workers_.size() < wanted_ && AddWorker()) {
    }
}

ParallelWork::~ParallelWork()
{
    // The workers must not outlive what their pieces write to.
    Stop();
    JoinWorkers();
}

bool ParallelWork::AddWorker() noexcept
{
    try {
        auto worker = std::make_unique<Worker>();
        std::atomic<std::int64_t>* busySince = &worker->busySince;
        worker->thread = std::jthread([this, busySince] { DoUntilNoneLeft(busySince); });
        workers_.push_back(std::move(worker));
        return true;
    } catch (const std::system_error&) {
        // Fewer threads, or none: the caller does what the workers do not.
    } catch (const std::bad_alloc&) {
    }
    return false;
}

void ParallelWork::DoUntilNoneLeft(std::atomic<std::int64_t>* busySince) noexcept
{
    for (;;) {
        if (busySince != nullptr) {
            busySince->store(Ticks());
        }
        const std::size_t index = next_.fetch_add(1);
        if (index >= count_) {
            break;
        }
        piece_(index);
        if (doneCount_.fetch_add(1) + 1 == count_) {
            const std::scoped_lock lock(doneGuard_);
            allDone_.notify_all();
        }
    }
    if (busySince != nullptr) {
        busySince->store(0);
    }
}

void ParallelWork::JoinWorkers() noexcept
{
    for (const std::unique_ptr<Worker>& worker : workers_) {
        if (worker->thread.joinable()) {
            worker->thread.join();
        }
    }
}

void ParallelWork::Finish() noexcept
{
    DoUntilNoneLeft(nullptr);
    JoinWorkers();
}

bool ParallelWork::FinishUnlessHeldUp(std::chrono::milliseconds patience) noexcept
{
    if (workers_.empty()) {
        Finish();
        return true;
    }
    const std::int64_t patienceTicks =
        std::chrono::duration_cast<std::chrono::steady_clock::duration>(patience).count();
    std::unique_lock lock(doneGuard_);
    while (!allDone_.wait_for(lock, kHeldUpCheck, [this] { return doneCount_.load() == count_; })) {
        const std::int64_t now = Ticks();
        std::size_t heldUp = 0;
        for (const std::unique_ptr<Worker>& worker : workers_) {
            const std::int64_t since = worker->busySince.load();
            heldUp += since != 0 && now - since > patienceTicks ? 1 : 0;
        }
        if (next_.load() >= count_) {
            // Nothing waits to be taken: done once every piece not done is held up.
            if (doneCount_.load() + heldUp >= count_) {
                return false;
            }
            continue;
        }
        // Pieces wait: as many workers go on with them as there were before any stuck.
        bool added = false;
        if (workers_.size() - heldUp < wanted_ && workers_.size() < kMostWorkers) {
            lock.unlock();
            added = AddWorker();
            lock.lock();
        }
        if (!added && heldUp == workers_.size()) {
            return false;
        }
    }
    return true;
}

void ParallelWork::Stop() noexcept
{
    next_.store(count_);
}

std::size_t ParallelWork::DoneCount() const noexcept
{
    return doneCount_.load();
}

unsigned DefaultWorkerThreads() noexcept
{
    return std::max(1U, std::thread::hardware_concurrency());
}

} // namespace entries
