#pragma once

#include "BenchPlatform.h"

#include <string>

namespace tolvan::bench {

// Starts the tool over 20,000 Run values and times, from outside, how soon its window shows and
// how soon its list is filled, then the longest the window keeps a message waiting while it
// fills its list and during a refill (F5). Returns the process's exit code: 0 when it measured.
int RunResponsiveness(BenchPlatform& platform, const std::wstring& tool);

} // namespace tolvan::bench
