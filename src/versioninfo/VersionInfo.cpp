#include "VersionInfo.h"

#include "FixedFileInfoText.h"
#include "platform/Utf16.h"

#include <algorithm>
#include <array>
#include <exception>

namespace versioninfo {

namespace {

constexpr std::uint32_t kModulePathCapacity = 260;
constexpr std::wstring_view kDefaultTranslation = L"040904E4";
constexpr std::wstring_view kNoTranslation = L"00000000";

// A failure that ends the load at its step.
struct LoadStopped {
    VersionInfoFailure failure;
};

std::uint32_t ReadLe32(const std::array<std::byte, kFixedFileInfoSize>& bytes, std::size_t index)
{
    const std::size_t at = index * 4;
    return std::to_integer<std::uint32_t>(bytes[at]) |
           (std::to_integer<std::uint32_t>(bytes[at + 1]) << 8) |
           (std::to_integer<std::uint32_t>(bytes[at + 2]) << 16) |
           (std::to_integer<std::uint32_t>(bytes[at + 3]) << 24);
}

void WriteLe32(std::array<std::byte, kFixedFileInfoSize>& bytes, std::size_t index,
               std::uint32_t value)
{
    const std::size_t at = index * 4;
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFFu);
    }
}

std::array<std::uint32_t*, 13> FieldsOf(FixedFileInfo& record)
{
    return {&record.dwSignature,     &record.dwStrucVersion,     &record.dwFileVersionMS,
            &record.dwFileVersionLS, &record.dwProductVersionMS, &record.dwProductVersionLS,
            &record.dwFileFlagsMask, &record.dwFileFlags,        &record.dwFileOS,
            &record.dwFileType,      &record.dwFileSubtype,      &record.dwFileDateMS,
            &record.dwFileDateLS};
}

// Lays the first bytes of `source` over the record, as a byte copy onto the structure would.
void OverlayRecord(FixedFileInfo& record, std::span<const std::byte> source)
{
    std::array<std::byte, kFixedFileInfoSize> bytes{};
    const auto fields = FieldsOf(record);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        WriteLe32(bytes, i, *fields[i]);
    }
    std::copy_n(source.begin(), std::min(source.size(), bytes.size()), bytes.begin());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        *fields[i] = ReadLe32(bytes, i);
    }
}

// Upper-case hexadecimal without leading zeros, "0" for zero.
std::wstring Hex(std::byte value)
{
    constexpr std::wstring_view kDigits = L"0123456789ABCDEF";
    const auto bits = std::to_integer<unsigned>(value);
    std::wstring text;
    if (bits >= 16) {
        text += kDigits[bits >> 4];
    }
    text += kDigits[bits & 0xFu];
    return text;
}

// The value of four hexadecimal digits, 0 to 65535; 0 when they are not all digits.
std::int32_t HexWord(std::wstring_view digits)
{
    std::int32_t value = 0;
    for (const wchar_t digit : digits) {
        std::int32_t nibble = 0;
        if (digit >= L'0' && digit <= L'9') {
            nibble = digit - L'0';
        } else if (digit >= L'A' && digit <= L'F') {
            nibble = digit - L'A' + 10;
        } else if (digit >= L'a' && digit <= L'f') {
            nibble = digit - L'a' + 10;
        } else {
            return 0;
        }
        value = value * 16 + nibble;
    }
    return value;
}

} // namespace

VersionInfo::VersionInfo(platform::VersionResources& resources) noexcept : resources_(&resources) {}

void VersionInfo::LoadFile(std::wstring_view fileName)
{
    fileName_ = fileName;
    LoadVersionData();
}

const std::wstring& VersionInfo::FileName() const noexcept
{
    return fileName_;
}

void VersionInfo::LoadModule(std::wstring_view moduleName)
{
    moduleName_ = moduleName;
    LoadVersionData();
}

const std::wstring& VersionInfo::ModuleName() const noexcept
{
    return moduleName_;
}

std::int32_t VersionInfo::Language() const noexcept
{
    return translationKey_.size() == 8 ? HexWord(std::wstring_view(translationKey_).substr(0, 4))
                                       : 0;
}

std::int32_t VersionInfo::CodePage() const noexcept
{
    return translationKey_.size() == 8 ? HexWord(std::wstring_view(translationKey_).substr(4, 4))
                                       : 0;
}

std::wstring VersionInfo::CompanyName() const
{
    return QueryStringValue(L"CompanyName");
}

std::wstring VersionInfo::FileDescription() const
{
    return QueryStringValue(L"FileDescription");
}

std::wstring VersionInfo::FileVersion() const
{
    return QueryStringValue(L"FileVersion");
}

std::wstring VersionInfo::InternalName() const
{
    return QueryStringValue(L"InternalName");
}

std::wstring VersionInfo::LegalCopyright() const
{
    return QueryStringValue(L"LegalCopyright");
}

std::wstring VersionInfo::OriginalFileName() const
{
    return QueryStringValue(L"OriginalFileName");
}

std::wstring VersionInfo::ProductName() const
{
    return QueryStringValue(L"ProductName");
}

std::wstring VersionInfo::ProductVersion() const
{
    return QueryStringValue(L"ProductVersion");
}

std::wstring VersionInfo::LegalTrademarks() const
{
    return QueryStringValue(L"LegalTrademarks");
}

std::wstring VersionInfo::LegalTrademarks1() const
{
    return QueryStringValue(L"LegalTrademarks1");
}

std::wstring VersionInfo::LegalTrademarks2() const
{
    return QueryStringValue(L"LegalTrademarks2");
}

std::wstring VersionInfo::Comments() const
{
    return QueryStringValue(L"Comments");
}

std::wstring VersionInfo::PrivateBuild() const
{
    return QueryStringValue(L"PrivateBuild");
}

std::wstring VersionInfo::SpecialBuild() const
{
    return QueryStringValue(L"SpecialBuild");
}

std::array<std::uint16_t, 4> VersionInfo::FileVersionParts() const noexcept
{
    const auto high = [](std::uint32_t word) { return static_cast<std::uint16_t>(word >> 16); };
    const auto low = [](std::uint32_t word) { return static_cast<std::uint16_t>(word & 0xFFFFu); };
    return {high(fixedRecord_.dwFileVersionMS), low(fixedRecord_.dwFileVersionMS),
            high(fixedRecord_.dwFileVersionLS), low(fixedRecord_.dwFileVersionLS)};
}

std::int32_t VersionInfo::FileFlagsRaw() const noexcept
{
    return static_cast<std::int32_t>(fixedRecord_.dwFileFlags & fixedRecord_.dwFileFlagsMask);
}

std::wstring VersionInfo::FileFlags() const
{
    return FileFlagsText(fixedRecord_.dwFileFlags & fixedRecord_.dwFileFlagsMask);
}

std::int32_t VersionInfo::FileOSRaw() const noexcept
{
    return static_cast<std::int32_t>(fixedRecord_.dwFileOS);
}

std::wstring VersionInfo::FileOS() const
{
    return FileOSText(fixedRecord_.dwFileOS);
}

std::int32_t VersionInfo::FileTypeRaw() const noexcept
{
    return static_cast<std::int32_t>(fixedRecord_.dwFileType);
}

std::wstring VersionInfo::FileType() const
{
    return FileTypeText(fixedRecord_.dwFileType);
}

std::int32_t VersionInfo::FileSubTypeRaw() const noexcept
{
    return static_cast<std::int32_t>(fixedRecord_.dwFileSubtype);
}

std::wstring VersionInfo::FileSubType() const
{
    return FileSubTypeText(fixedRecord_.dwFileType, fixedRecord_.dwFileSubtype);
}

const std::optional<VersionInfoError>& VersionInfo::LastLoadError() const noexcept
{
    return lastLoadError_;
}

std::wstring VersionInfo::QueryStringValue(std::wstring_view key) const
{
    if (versionData_.empty()) {
        return {};
    }
    std::wstring subBlock = L"\\StringFileInfo\\";
    subBlock += translationKey_;
    subBlock += L'\\';
    subBlock += key;
    platform::VersionValue value;
    if (!resources_->QueryVersionValue(versionData_, subBlock, value) || value.length == 0) {
        return {};
    }
    // The reported length counts the NUL; a string that runs on without one is cut there, and
    // nothing past the value's node is read.
    const std::size_t units =
        std::min<std::size_t>(value.length - 1, value.bytes.size() / sizeof(char16_t));
    return TrimAtNul(platform::FromUtf16Le(value.bytes.first(units * sizeof(char16_t))));
}

void VersionInfo::LoadVersionData()
{
    // A file that cannot be read is an answer (empty texts), not a failure; running out of memory
    // is one, and goes to the caller.
    try {
        RunLoadSteps();
        lastLoadError_.reset();
    } catch (const LoadStopped& stopped) {
        lastLoadError_ = MakeVersionInfoError(stopped.failure);
    }
}

void VersionInfo::RunLoadSteps()
{
    if (!moduleName_.empty()) {
        const platform::ModuleHandle module = resources_->ModuleHandleOf(moduleName_);
        if (module == 0) {
            throw LoadStopped{VersionInfoFailure::ModuleHandle};
        }
        std::wstring path(kModulePathCapacity, L'\0');
        const std::uint32_t length = resources_->ModuleFileName(module, path);
        // A path that filled the whole buffer may have been cut: it would name another file.
        if (length == 0 || length >= kModulePathCapacity) {
            throw LoadStopped{VersionInfoFailure::ModuleFileName};
        }
        path.resize(length);
        fileName_ = std::move(path);
    }
    if (fileName_.empty()) {
        throw LoadStopped{VersionInfoFailure::NoFileName};
    }

    const std::uint32_t size = resources_->VersionResourceSize(fileName_);
    if (size == 0) {
        throw LoadStopped{VersionInfoFailure::ResourceSize};
    }
    versionData_.assign(size, std::byte{0});
    if (!resources_->ReadVersionResource(fileName_, versionData_)) {
        throw LoadStopped{VersionInfoFailure::ResourceRead};
    }

    platform::VersionValue translation;
    if (!resources_->QueryVersionValue(versionData_, L"\\VarFileInfo\\Translation", translation)) {
        throw LoadStopped{VersionInfoFailure::Translation};
    }
    const std::size_t translationSize =
        std::min<std::size_t>(translation.length, translation.bytes.size());
    if (translationSize < 4) {
        throw LoadStopped{VersionInfoFailure::Other};
    }
    const auto entry = translation.bytes.first(4);
    // The language word, then the code-page word, each high byte first.
    translationKey_ = PadWithZeros(Hex(entry[1]), 2) + PadWithZeros(Hex(entry[0]), 2) +
                      PadWithZeros(Hex(entry[3]), 2) + PadWithZeros(Hex(entry[2]), 2);
    if (translationKey_ == kNoTranslation) {
        translationKey_ = kDefaultTranslation;
    }

    platform::VersionValue record;
    if (!resources_->QueryVersionValue(versionData_, L"\\", record)) {
        throw LoadStopped{VersionInfoFailure::FixedRecord};
    }
    OverlayRecord(fixedRecord_,
                  record.bytes.first(std::min<std::size_t>(record.length, record.bytes.size())));
}

std::wstring VersionInfo::TrimAtNul(std::wstring_view text)
{
    return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring VersionInfo::PadWithZeros(std::wstring_view text, std::size_t width)
{
    std::wstring padded(width, L'0');
    padded += text;
    return padded.substr(padded.size() - width);
}

} // namespace versioninfo
