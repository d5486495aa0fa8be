#pragma once

#include "StartupEntry.h"
#include "platform/FileSearch.h"

#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace entries {

// The version texts of program files, and who signed them, kept from one refill to the next so that
// a refill reads only the files that changed. A file's texts are known by its path, exactly as the
// entry holds it, and stay good while the file keeps the stamp it had when they were read: a
// program that is updated or replaced gets another size or last-write time and is read again.
//
// Refills that overlap (a newer one started while an older one still waits for a file) share one
// cache, from any thread: every member takes the cache's own lock.
class VersionTextCache {
public:
    // Copies the texts kept for the entry's program into the entry when its file still has this
    // stamp. False, and the entry untouched, when nothing is kept for it or the file changed.
    bool Recall(const platform::FileStamp& stamp, StartupEntry& entry);

    // Keeps the entry's texts, as read from its program's file with this stamp.
    void Keep(const platform::FileStamp& stamp, const StartupEntry& entry);

    // Ends a refill: forgets every file that was neither recalled nor kept since the last end,
    // those of programs no longer listed and those that are gone or could not be read, so that
    // the cache never holds more than the table names.
    void ForgetUnused() noexcept;

    // Marks a file as being read, so that no other refill starts reading it while the first read
    // has not ended (a file on a share that does not answer would hold up one more thread each
    // time). False when it is already being read.
    [[nodiscard]] bool BeginRead(const std::wstring& path);
    void EndRead(const std::wstring& path) noexcept;
    [[nodiscard]] bool AnyReadUnderWay() const;

private:
    struct Texts {
        platform::FileStamp stamp;
        std::wstring productName;
        std::wstring companyName;
        std::wstring legalCopyright;
        std::wstring description;
        std::optional<platform::SignatureVerdict> signature;
        bool used = false; // recalled or kept in the refill under way
    };
    mutable std::mutex guard_;
    std::unordered_map<std::wstring, Texts> texts_; // by program path
    std::unordered_set<std::wstring> reading_;
};

} // namespace entries
