#include "FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <utility>

namespace tolvan::test {
namespace {

// The replaced operator new has no other place to learn of the armed failure.
std::atomic<bool> failNext{false}; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
thread_local bool failNextHere = false;
std::atomic<int> armedHere{0}; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void* Allocate(std::size_t size)
{
    if (failNext.exchange(false)) {
        throw std::bad_alloc();
    }
    if (std::exchange(failNextHere, false)) {
        --armedHere;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void* AllocateOrNull(std::size_t size) noexcept
{
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace

void FailNextAllocation() noexcept
{
    failNext = true;
}

void FailNextAllocationOnThisThread() noexcept
{
    if (!std::exchange(failNextHere, true)) {
        ++armedHere;
    }
}

bool AllocationFailurePending() noexcept
{
    return failNext || armedHere > 0;
}

} // namespace tolvan::test

// Every plain form is replaced, so that each allocation and release pairs malloc with free.
void* operator new(std::size_t size)
{
    return tolvan::test::Allocate(size);
}
void* operator new[](std::size_t size)
{
    return tolvan::test::Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return tolvan::test::AllocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return tolvan::test::AllocateOrNull(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
