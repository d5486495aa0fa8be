#include "EntryDetails.h"

#include "TextTrim.h"
#include "versioninfo/VersionInfo.h"

#include <array>
#include <string>

namespace entries {
namespace {

// Fewer characters than the shortest full path to a file ("C:\a").
constexpr std::size_t kShortestFilePath = 4;

bool SameLetters(std::wstring_view text, std::wstring_view upper) noexcept
{
    if (text.size() != upper.size()) {
        return false;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        const wchar_t ch = text[at] >= L'a' && text[at] <= L'z'
                               ? static_cast<wchar_t>(text[at] - L'a' + L'A')
                               : text[at];
        if (ch != upper[at]) {
            return false;
        }
    }
    return true;
}

// The names Windows keeps for devices in every folder, whatever follows a dot.
bool IsDeviceName(std::wstring_view name) noexcept
{
    name = TrimSpaces(name.substr(0, name.find(L'.')));
    constexpr std::array<std::wstring_view, 7> kDevices = {L"CON",    L"PRN",     L"AUX",   L"NUL",
                                                           L"CONIN$", L"CONOUT$", L"CLOCK$"};
    for (const std::wstring_view device : kDevices) {
        if (SameLetters(name, device)) {
            return true;
        }
    }
    // COM0 to COM9 and LPT0 to LPT9, the superscript digits one to three too.
    constexpr std::wstring_view kPortDigits = L"0123456789\u00B9\u00B2\u00B3";
    return name.size() == 4 &&
           (SameLetters(name.substr(0, 3), L"COM") || SameLetters(name.substr(0, 3), L"LPT")) &&
           kPortDigits.find(name[3]) != std::wstring_view::npos;
}

} // namespace

bool NamesAProgramFile(std::wstring_view path) noexcept
{
    if (path.find_first_of(L"*?") != std::wstring_view::npos) {
        return false;
    }
    const std::size_t separator = path.find_last_of(L"\\/:");
    return !IsDeviceName(path.substr(separator == std::wstring_view::npos ? 0 : separator + 1));
}

void ReadProgramDetails(platform::VersionResources& versions, StartupEntry& entry)
{
    versioninfo::VersionInfo info(versions);
    info.LoadFile(entry.programPath);
    entry.productName = TrimSpaces(info.ProductName());
    entry.companyName = TrimSpaces(info.CompanyName());
    entry.legalCopyright = TrimSpaces(info.LegalCopyright());
    entry.description = TrimSpaces(info.FileDescription());
}

bool ProgramFileExists(platform::FileSearch& files, const platform::NulTerminated& path)
{
    if (TrimSpaces(path).size() < kShortestFilePath || !NamesAProgramFile(path.View())) {
        return false;
    }
    return files.AnyFileMatches(path);
}

} // namespace entries
