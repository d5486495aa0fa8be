#pragma once

namespace tolvan::test {

// The next allocation through operator new, on any thread, throws std::bad_alloc; the ones after
// it succeed again. Only in test programs that link FailingAllocation.cpp, which replaces the
// global operator new and delete.
void FailNextAllocation() noexcept;

// Whether the armed failure has happened yet.
[[nodiscard]] bool AllocationFailurePending() noexcept;

} // namespace tolvan::test
