#pragma once

#include "platform/SignatureCheck.h"

#include <map>
#include <mutex>
#include <string>

namespace platform::portable {

// Verdicts the test sets, by path as given (Windows compares paths without regard to case; the
// tests name each file one way). A path without a verdict is a file without a signature. The
// readers ask on several threads at once.
class ScriptedSignatureCheck final : public SignatureCheck {
public:
    SignatureVerdict Check(const NulTerminated& path) override
    {
        const std::scoped_lock lock(guard_);
        const auto found = verdicts_.find(std::wstring(path.View()));
        return found == verdicts_.end() ? SignatureVerdict{} : found->second;
    }

    void Set(const std::wstring& path, SignatureVerdict verdict)
    {
        const std::scoped_lock lock(guard_);
        verdicts_[path] = std::move(verdict);
    }

private:
    std::mutex guard_;
    std::map<std::wstring, SignatureVerdict> verdicts_;
};

} // namespace platform::portable
