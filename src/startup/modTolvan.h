#pragma once

#include "RunEntry.h"
#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The start procedure and the state the windows share: the interface language, the table of
// startup entries and how it is read from the two Run keys.
namespace modTolvan {

// 0 Hungarian, any other value English.
inline std::int32_t langFlag = 0;

// The startup entries, indexed from 0; every record in it is valid.
inline std::vector<RunEntry> entries;

[[nodiscard]] inline std::int32_t entryCount() noexcept
{
    return static_cast<std::int32_t>(entries.size());
}

// Empties the table (the entry count becomes 0).
inline void ClearEntries() noexcept
{
    entries.clear();
}

// The English form when langFlag is nonzero, otherwise the Hungarian form.
[[nodiscard]] std::wstring LangText(std::wstring_view hungarian, std::wstring_view english);

// Appends a record with this root, name and command; its other texts are empty.
void AddEntry(std::int32_t root, std::wstring_view name, std::wstring_view value);

// Appends one record for every REG_SZ value of the root's Run key, in the registry's order.
// 0 when the whole key was read, 99 for root 0, otherwise the code of the failing call.
std::int32_t ReadRunKey(platform::Registry& registry, std::int32_t root);

// Completes every record: ExePath and Arguments from the command, the version texts of that
// file, and the DisplayText the list shows ("Name;  (ExePath)", or the file's description).
void ResolveEntries(platform::Platform& platform);

// Running out of memory is reported as "Out of memory" with number 7; any other failure while
// reading an entry's details with its own message and this number.
inline constexpr std::int32_t kUnexpectedFailureNumber = 51;

// Reads the product name, company name, legal copyright and description of the record's
// executable, trimmed. A missing file or one without a version resource simply gives empty texts;
// any other failure shows "Error: <description> (<number>)" and leaves the texts not yet read as
// they were. An index outside the table is ignored.
void ReadEntryDetails(platform::Platform& platform, std::int32_t& index);

// Whether the path names an existing file (not a folder); wildcards as in a file search. Texts of
// fewer than four characters after trimming are never looked up.
[[nodiscard]] bool FileExists(platform::Platform& platform, std::wstring_view path);

// The refill of the entry table: empties it, reads the Run keys of the current user and of the
// machine, resolves every record and sorts the table by DisplayText.
void RebuildEntryTable(platform::Platform& platform);

// What the start procedure needs of the user interface: the one main window.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    // Creates the main window unless it exists, and shows it modeless and without an owner.
    virtual void ShowMainWindow() = 0;
};

// The start procedure: the stored language, then the administrator test; without the rights a
// message in that language and nothing else, otherwise an empty table and the main window.
void Main(platform::Platform& platform, MainWindowHost& mainWindow);

} // namespace modTolvan
