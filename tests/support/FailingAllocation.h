#pragma once

namespace tolvan::test {

// The next allocation through operator new, on any thread, throws std::bad_alloc; the ones after
// it succeed again. Only in test programs that link FailingAllocation.cpp, which replaces the
// global operator new and delete.
void FailNextAllocation() noexcept;

// The next allocation on the calling thread throws std::bad_alloc, whatever other threads
// allocate meanwhile.
void FailNextAllocationOnThisThread() noexcept;

// Whether an armed failure, on any thread, has not happened yet.
[[nodiscard]] bool AllocationFailurePending() noexcept;

} // namespace tolvan::test
