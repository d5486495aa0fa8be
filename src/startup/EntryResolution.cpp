#include "CommandLine.h"
#include "modTolvan.h"

namespace modTolvan {
namespace {

std::wstring DisplayTextOf(const RunEntry& entry)
{
    if (!entry.FileDescription.empty()) {
        return entry.FileDescription;
    }
    std::wstring text = entry.Name;
    text += L";  (";
    text += entry.ExePath;
    text += L")";
    return text;
}

} // namespace

void ResolveEntries(platform::Platform& platform)
{
    const std::int32_t count = entryCount();
    for (std::int32_t index = 0; index < count; ++index) {
        CommandParts parts = SplitCommand(entries[index].Value, platform.files);
        entries[index].ExePath = std::move(parts.exePath);
        entries[index].Arguments = std::move(parts.arguments);
        ReadEntryDetails(platform, index);
        entries[index].DisplayText = DisplayTextOf(entries[index]);
    }
}

} // namespace modTolvan
