#include "TextTrim.h"
#include "modTolvan.h"
#include "versioninfo/VersionInfo.h"

#include <exception>
#include <memory>
#include <new>
#include <string>

namespace modTolvan {
namespace {

constexpr std::wstring_view kApplicationTitle = L"Tolvan";
constexpr std::wstring_view kOutOfMemory = L"Out of memory";
constexpr std::int32_t kOutOfMemoryNumber = 7;
constexpr std::wstring_view kUnknownFailure = L"Unexpected error";

// Fewer characters than the shortest full path to a file ("C:\a").
constexpr std::size_t kShortestFilePath = 4;

struct FailureReport {
    std::wstring description;
    std::int32_t number = 0;
};

// The message of a standard exception, its bytes taken as Latin-1 (they are ASCII in practice).
std::wstring Widen(const char* message)
{
    std::wstring text;
    for (const char* at = message; *at != '\0'; ++at) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*at)));
    }
    return text;
}

FailureReport DescribeCurrentException()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return {std::wstring(kOutOfMemory), kOutOfMemoryNumber};
    } catch (const std::exception& failure) {
        return {Widen(failure.what()), kUnexpectedFailureNumber};
    } catch (...) {
        return {std::wstring(kUnknownFailure), kUnexpectedFailureNumber};
    }
}

// Shows the failure that is being handled. Called inside a catch block.
void ReportDetailsFailure(platform::MessageBoxService& messageBox) noexcept
{
    try {
        const FailureReport report = DescribeCurrentException();
        const std::wstring text =
            L"Error: " + report.description + L" (" + std::to_wstring(report.number) + L")";
        (void)messageBox.Show(0, text, kApplicationTitle, platform::mb::kOk);
    } catch (const std::bad_alloc&) {
        // With no memory left for the message itself, the fixed text still fits.
        (void)messageBox.Show(0, L"Error: Out of memory (7)", kApplicationTitle, platform::mb::kOk);
    }
}

} // namespace

void ReadEntryDetails(platform::Platform& platform, std::int32_t& index)
{
    if (index < 0 || index >= entryCount()) {
        return;
    }
    try {
        RunEntry& entry = entries[static_cast<std::size_t>(index)];
        const auto info = std::make_unique<VersionInfo>(platform.versions);
        info->FileName(entry.ExePath);
        entry.ProductName = TrimSpaces(info->ProductName());
        entry.CompanyName = TrimSpaces(info->CompanyName());
        entry.LegalCopyright = TrimSpaces(info->LegalCopyright());
        entry.FileDescription = TrimSpaces(info->FileDescription());
    } catch (...) {
        ReportDetailsFailure(platform.messageBox);
    }
}

bool FileExists(platform::Platform& platform, std::wstring_view path)
{
    if (TrimSpaces(path).size() < kShortestFilePath) {
        return false;
    }
    return platform.files.AnyFileMatches(path);
}

} // namespace modTolvan
