#pragma once

#include "platform/SignatureCheck.h"

#include <map>
#include <mutex>
#include <string>

namespace platform::portable {

// Verdicts the test sets, by path as given (Windows compares paths without regard to case; the
// tests name each file one way). A path without a verdict is a file without a signature. Counts
// the checks, as the readers may make them on several threads at once.
class ScriptedSignatureCheck final : public SignatureCheck {
public:
    SignatureVerdict Check(const NulTerminated& path) override
    {
        const std::scoped_lock lock(guard_);
        ++checks;
        const auto found = verdicts.find(std::wstring(path.View()));
        return found == verdicts.end() ? SignatureVerdict{} : found->second;
    }

    void Set(const std::wstring& path, SignatureVerdict verdict)
    {
        const std::scoped_lock lock(guard_);
        verdicts[path] = std::move(verdict);
    }

    [[nodiscard]] long long Checks()
    {
        const std::scoped_lock lock(guard_);
        return checks;
    }

private:
    std::mutex guard_;
    std::map<std::wstring, SignatureVerdict> verdicts;
    long long checks = 0;
};

} // namespace platform::portable
