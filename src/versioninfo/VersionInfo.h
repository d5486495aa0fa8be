#pragma once

#include "FixedFileInfo.h"
#include "VersionInfoError.h"
#include "platform/VersionResources.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace versioninfo {

// The version resource of one file: its strings, its translation and its fixed record. LoadFile or
// LoadModule reads it; a file without a readable version resource simply gives empty texts and
// zeros, and no load fails towards the caller but for running out of memory.
class VersionInfo {
public:
    explicit VersionInfo(platform::VersionResources& resources) noexcept;

    void LoadFile(std::wstring_view fileName);
    [[nodiscard]] const std::wstring& FileName() const noexcept;
    void LoadModule(std::wstring_view moduleName);
    [[nodiscard]] const std::wstring& ModuleName() const noexcept;

    [[nodiscard]] std::int32_t Language() const noexcept;
    [[nodiscard]] std::int32_t CodePage() const noexcept;

    [[nodiscard]] std::wstring CompanyName() const;
    [[nodiscard]] std::wstring FileDescription() const;
    [[nodiscard]] std::wstring FileVersion() const;
    [[nodiscard]] std::wstring InternalName() const;
    [[nodiscard]] std::wstring LegalCopyright() const;
    [[nodiscard]] std::wstring OriginalFileName() const;
    [[nodiscard]] std::wstring ProductName() const;
    [[nodiscard]] std::wstring ProductVersion() const;
    [[nodiscard]] std::wstring LegalTrademarks() const;
    [[nodiscard]] std::wstring LegalTrademarks1() const;
    [[nodiscard]] std::wstring LegalTrademarks2() const;
    [[nodiscard]] std::wstring Comments() const;
    [[nodiscard]] std::wstring PrivateBuild() const;
    [[nodiscard]] std::wstring SpecialBuild() const;

    // The file version of the fixed record in its four parts, most significant first: 1.2.0.1
    // gives 1, 2, 0, 1. Zeros when no record was read.
    [[nodiscard]] std::array<std::uint16_t, 4> FileVersionParts() const noexcept;

    [[nodiscard]] std::int32_t FileFlagsRaw() const noexcept;
    [[nodiscard]] std::wstring FileFlags() const;
    [[nodiscard]] std::int32_t FileOSRaw() const noexcept;
    [[nodiscard]] std::wstring FileOS() const;
    [[nodiscard]] std::int32_t FileTypeRaw() const noexcept;
    [[nodiscard]] std::wstring FileType() const;
    [[nodiscard]] std::int32_t FileSubTypeRaw() const noexcept;
    [[nodiscard]] std::wstring FileSubType() const;

    // Why the last load stopped, for diagnostics; nothing when it completed or none ran yet.
    [[nodiscard]] const std::optional<VersionInfoError>& LastLoadError() const noexcept;

private:
    [[nodiscard]] std::wstring QueryStringValue(std::wstring_view key) const;
    void LoadVersionData();
    // The steps of a load; the first failure ends it.
    void RunLoadSteps();
    [[nodiscard]] static std::wstring TrimAtNul(std::wstring_view text);
    [[nodiscard]] static std::wstring PadWithZeros(std::wstring_view text, std::size_t width);

    platform::VersionResources* resources_;
    std::wstring moduleName_;
    std::wstring fileName_;
    std::vector<std::byte> versionData_;
    std::wstring translationKey_;
    FixedFileInfo fixedRecord_;
    std::optional<VersionInfoError> lastLoadError_;
};

} // namespace versioninfo
