#include "WildcardMatch.h"

#include "CaseFold.h"

namespace platform::portable {
namespace {

bool SameLetter(wchar_t a, wchar_t b) noexcept
{
    return a == b || ToUpperInvariant(a) == ToUpperInvariant(b);
}

// The rest of the pattern can match an empty rest of the name.
bool MatchesNothing(std::wstring_view pattern) noexcept
{
    if (pattern == L".*") {
        return true;
    }
    for (const wchar_t ch : pattern) {
        if (ch != L'*' && ch != L'?') {
            return false;
        }
    }
    return true;
}

} // namespace

bool MatchesWildcard(std::wstring_view pattern, std::wstring_view name) noexcept
{
    // Greedy matching with one remembered star: on a mismatch the last star takes one more
    // character. Linear in practice and never worse than pattern length times name length.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starPattern = std::wstring_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || SameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::wstring_view::npos) {
            p = starPattern;
            n = ++starName;
        } else {
            return false;
        }
    }
    return MatchesNothing(pattern.substr(p));
}

} // namespace platform::portable
