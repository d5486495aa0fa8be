// Linked into the measuring builds of the tool and of the empty window: records every start-up
// mark with the performance counter, which all processes share, and writes them when the process
// ends to the file TOLVAN_STARTUP_TRACE names, one "point<TAB>counter" line each, after a first
// line with the counter's frequency. Only the first of each point counts, up to the first wait for
// input: a later refill passes the same points again.
#include "platform/StartupTrace.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

struct Mark {
    const char* point = nullptr;
    LONGLONG counter = 0;
};

class Recorder {
public:
    Recorder() noexcept
    {
        Record("runtime started");
        platform::SetStartupSink(&Recorder::Receive);
    }
    ~Recorder()
    {
        platform::SetStartupSink(nullptr);
        Write();
    }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

private:
    static constexpr const char* kLastPoint = "waiting for input";

    static void Receive(const char* point) noexcept;

    // Marks come from the refill's thread too.
    void Record(const char* point) noexcept
    {
        const std::scoped_lock lock(guard_);
        if (done_ || count_ == marks_.size()) {
            return;
        }
        for (std::size_t index = 0; index < count_; ++index) {
            if (std::strcmp(marks_[index].point, point) == 0) {
                return;
            }
        }
        LARGE_INTEGER now{};
        QueryPerformanceCounter(&now);
        marks_[count_++] = Mark{point, now.QuadPart};
        done_ = std::strcmp(point, kLastPoint) == 0;
    }

    void Write() const noexcept
    {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetEnvironmentVariableW(L"TOLVAN_STARTUP_TRACE", path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) {
            return;
        }
        FILE* file = _wfopen(path, L"w");
        if (file == nullptr) {
            return;
        }
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        std::fprintf(file, "frequency\t%lld\n", frequency.QuadPart);
        for (std::size_t index = 0; index < count_; ++index) {
            std::fprintf(file, "%s\t%lld\n", marks_[index].point, marks_[index].counter);
        }
        std::fclose(file);
    }

    std::array<Mark, 128> marks_{};
    std::size_t count_ = 0;
    bool done_ = false;
    std::mutex guard_;
};

// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
Recorder recorder;

void Recorder::Receive(const char* point) noexcept
{
    recorder.Record(point);
}

} // namespace
