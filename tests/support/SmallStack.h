#pragma once

#include <cstddef>
#include <functional>

namespace tolvan::test {

// Runs the work on a thread of its own with a stack of about this many bytes and waits for it.
// False when no such thread could be started. The work must not throw.
bool RunOnSmallStack(std::size_t stackBytes, const std::function<void()>& work);

} // namespace tolvan::test
