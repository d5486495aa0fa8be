#include "EntryDetails.h"

#include "TextTrim.h"
#include "versioninfo/VersionInfo.h"

#include <string>

namespace entries {
namespace {

// Fewer characters than the shortest full path to a file ("C:\a").
constexpr std::size_t kShortestFilePath = 4;

} // namespace

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
    if (TrimSpaces(path).size() < kShortestFilePath) {
        return false;
    }
    return files.AnyFileMatches(path);
}

} // namespace entries
