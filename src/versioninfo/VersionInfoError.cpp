#include "VersionInfoError.h"

namespace versioninfo {

VersionInfoError MakeVersionInfoError(VersionInfoFailure failure) noexcept
{
    // The numbers are the loader's own error base, 0x812E7844, plus the failure's step.
    constexpr std::uint32_t kErrorBase = 0x812E7844u;
    switch (failure) {
    case VersionInfoFailure::ModuleHandle:
    case VersionInfoFailure::ModuleFileName:
    case VersionInfoFailure::NoFileName:
    case VersionInfoFailure::ResourceSize:
    case VersionInfoFailure::ResourceRead:
    case VersionInfoFailure::Translation:
    case VersionInfoFailure::FixedRecord:
        break;
    case VersionInfoFailure::Other:
        return {failure, 9, L"Subscript out of range."};
    }
    const auto number = static_cast<std::int32_t>(kErrorBase + static_cast<std::uint32_t>(failure));
    switch (failure) {
    case VersionInfoFailure::ModuleHandle:
        return {failure, number, L"Unable to retrieve module handle."};
    case VersionInfoFailure::ModuleFileName:
        return {failure, number, L"Unable to retrieve module file name."};
    case VersionInfoFailure::NoFileName:
        return {failure, number,
                L"Either you haven't specified a valid file name, or the module you specified "
                L"can't be associated with a file."};
    case VersionInfoFailure::ResourceSize:
        return {failure, number,
                L"Unable to retrieve the version info size. Perhaps the module name or file name "
                L"is invalid."};
    case VersionInfoFailure::ResourceRead:
        return {failure, number, L"Unable to retrieve version information."};
    case VersionInfoFailure::Translation:
        return {failure, number, L"Unable to retrieve language and code page information."};
    case VersionInfoFailure::FixedRecord:
    case VersionInfoFailure::Other:
        break;
    }
    return {failure, number, L"Unable to retrieve fixed file version information."};
}

} // namespace versioninfo
