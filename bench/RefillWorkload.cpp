#include "RefillWorkload.h"

#include "Fixtures.h"
#include "entries/EntryTable.h"
#include "platform/Utf16.h"
#include "registry/RegistryValues.h"
#include "versioninfo/VersionInfo.h"

#include <algorithm>
#include <array>
#include <random>
#include <stdexcept>
#include <system_error>

namespace tolvan::bench {
namespace {

namespace reg = platform::reg;

constexpr std::wstring_view kProgramFolder = L"C:\\TolvanBench\\";
// Uninstalled programs take their folder with them.
constexpr std::wstring_view kRemovedFolder = L"C:\\TolvanBench Removed\\";
constexpr std::wstring_view kSystemFolder = L"C:\\WINDOWS\\System32\\";
constexpr std::wstring_view kTrayName = L"tolvan-bench-tray";

// The fixture programs, copied under these names: two with a description, one with a product
// name only, one without any version resource.
constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 4> kPrograms = {{
    {L"full.exe", L"Updater"},
    {L"details.exe", L"Minta"},
    {L"product_only.exe", L"Helper"},
    {L"no_version.exe", L"Agent"},
}};

// The two programs the changed value names in turn; no other value names them.
constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 2> kSwitchedTo = {{
    {L"full.exe", L"C:\\TolvanBench\\Switched A.exe"},
    {L"details.exe", L"C:\\TolvanBench\\Switched B.exe"},
}};

// The copy of a fixture program that one value names: every value its own file, as every entry
// on a real machine names a program of its own.
std::wstring ProgramPath(std::size_t which, int index)
{
    return std::wstring(kProgramFolder) + std::wstring(kPrograms[which % kPrograms.size()].second) +
           std::to_wstring(index) + L".exe";
}

// A value name a user could have: a random word and a number, so the sort has real work.
std::wstring NameFor(std::mt19937& random, int index)
{
    constexpr std::wstring_view kLetters = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    std::wstring name;
    for (int k = 0; k < 8; ++k) {
        name += kLetters[letter(random)];
    }
    return name + L" " + std::to_wstring(index);
}

} // namespace

RefillWorkload::RefillWorkload(platform::Platform& platform, HostPathOf hostPathOf, int count)
    : platform_(platform), hostPathOf_(std::move(hostPathOf)), count_(count)
{
    std::mt19937 random(1234);
    for (int index = 0; index < count; ++index) {
        Value value{entries::kScopes[static_cast<std::size_t>(index) % entries::kScopes.size()],
                    NameFor(random, index),
                    {},
                    reg::kTypeSz};
        std::wstring program;
        switch (index % 10) {
        case 0:
        case 1:
        case 2:
        case 3: // "C:\...\Updater12.exe" --minimized
            program = ProgramPath(static_cast<std::size_t>(index / 10), index);
            value.command = L"\"" + program + L"\" --minimized";
            break;
        case 4:
        case 5: // C:\...\Helper14.exe /background
            program = ProgramPath(static_cast<std::size_t>(index / 10) + 1, index);
            value.command = program + L" /background";
            break;
        case 6: // a bare name, found in the second of the three Windows folders
            value.command = std::wstring(kTrayName) + std::to_wstring(index) + L".exe";
            program = std::wstring(kSystemFolder) + value.command;
            break;
        case 7: // a program there, named through the Windows folder's variable
            program = std::wstring(kSystemFolder) + std::wstring(kTrayName) +
                      std::to_wstring(index) + L".exe";
            value.command = L"%SystemRoot%\\System32\\" + std::wstring(kTrayName) +
                            std::to_wstring(index) + L".exe";
            value.type = reg::kTypeExpandSz;
            break;
        default: // a program that has been uninstalled
            program = std::wstring(kRemovedFolder) + L"Removed" + std::to_wstring(index) + L".exe";
            value.command = L"\"" + program + L"\" -startup";
            break;
        }
        programOf_.emplace(value.name, std::move(program));
        values_.push_back(std::move(value));
    }
    EmptyRunKeys();
    PlaceFiles();
    WriteValues();
}

void RefillWorkload::EmptyRunKeys() noexcept
{
    platform::Registry& registry = platform_.registry;
    std::vector<wchar_t> name(reg::kMaxValueNameChars + 1);
    for (const entries::Scope scope : entries::kScopes) {
        const registry::KeyPath runKey = entries::RunKeyOf(scope);
        platform::KeyHandle handle = 0;
        if (registry.OpenKey(runKey.root, runKey.subKey,
                             reg::kKeyQueryValue | reg::kKeySetValue | runKey.view,
                             handle) != reg::kSuccess) {
            continue;
        }
        const platform::OwnedKey key = platform::Own(registry, handle);
        std::uint32_t length = 0;
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        while (registry.EnumValue(key.get(), 0, name, length, type, {}, size) == reg::kSuccess &&
               registry.DeleteValue(key.get(), std::wstring(name.data(), length)) ==
                   reg::kSuccess) {
        }
    }
}

RefillWorkload::~RefillWorkload()
{
    RemoveValues();
    std::for_each(placed_.rbegin(), placed_.rend(), [](const std::filesystem::path& placed) {
        std::error_code ignored;
        std::filesystem::remove(placed, ignored);
    });
}

void RefillWorkload::PlaceFiles()
{
    const std::filesystem::path folder = hostPathOf_(kProgramFolder);
    if (std::filesystem::create_directories(folder)) {
        placed_.push_back(folder);
    }
    const auto place = [this](const std::filesystem::path& source, std::wstring_view target) {
        const std::filesystem::path host = hostPathOf_(target);
        std::filesystem::create_directories(host.parent_path());
        std::filesystem::copy_file(source, host, std::filesystem::copy_options::overwrite_existing);
        placed_.push_back(host);
    };
    for (int index = 0; index < count_; ++index) {
        const std::wstring& program = programOf_.at(values_[static_cast<std::size_t>(index)].name);
        switch (index % 10) {
        case 0:
        case 1:
        case 2:
        case 3:
            place(test::FixtureFile(kPrograms[static_cast<std::size_t>(index / 10) % 4].first),
                  program);
            break;
        case 4:
        case 5:
            place(
                test::FixtureFile(kPrograms[(static_cast<std::size_t>(index / 10) + 1) % 4].first),
                program);
            break;
        case 6:
        case 7:
            place(test::FixtureFile(L"details.exe"), program);
            break;
        default: // uninstalled
            break;
        }
    }
    for (const auto& [fixture, path] : kSwitchedTo) {
        place(test::FixtureFile(fixture), path);
    }
}

void RefillWorkload::WriteValues()
{
    for (const Value& value : values_) {
        if (registry::WriteString(platform_.registry, entries::RunKeyOf(value.scope), value.name,
                                  value.command, value.type) != reg::kSuccess) {
            throw std::runtime_error("cannot write a Run value");
        }
    }
}

void RefillWorkload::RemoveValues() noexcept
{
    for (const Value& value : values_) {
        (void)registry::DeleteValue(platform_.registry, entries::RunKeyOf(value.scope), value.name);
    }
}

std::size_t RefillWorkload::Refill()
{
    (void)table_.RefillNow();
    return table_.Count();
}

std::size_t RefillWorkload::ColdRefill(unsigned workerThreads)
{
    entries::EntryTable fresh(platform_, workerThreads);
    (void)fresh.RefillNow();
    return fresh.Count();
}

void RefillWorkload::ChangeOneValue()
{
    const Value& changed = values_.front();
    const std::wstring_view program = kSwitchedTo[switches_++ % kSwitchedTo.size()].second;
    if (registry::WriteString(platform_.registry, entries::RunKeyOf(changed.scope), changed.name,
                              L"\"" + std::wstring(program) + L"\" --minimized",
                              changed.type) != reg::kSuccess) {
        throw std::runtime_error("cannot change a Run value");
    }
}

std::size_t RefillWorkload::Floor()
{
    std::vector<wchar_t> nameBuffer(reg::kMaxValueNameChars + 1);
    std::size_t read = 0;
    for (const entries::Scope scope : entries::kScopes) {
        read += ReadKey(entries::RunKeyOf(scope), nameBuffer);
    }
    return read;
}

std::size_t RefillWorkload::ReadKey(const registry::KeyPath& path, std::vector<wchar_t>& nameBuffer)
{
    platform::Registry& registry = platform_.registry;
    platform::KeyHandle handle = 0;
    if (registry.OpenKey(path.root, path.subKey, reg::kKeyQueryValue | path.view, handle) !=
        reg::kSuccess) {
        return 0;
    }
    const platform::OwnedKey key = platform::Own(registry, handle);
    std::size_t read = 0;
    std::size_t textLength = 0;
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t nameLength = 0;
        std::uint32_t type = 0;
        std::uint32_t dataSize = 0;
        if (registry.EnumValue(key.get(), index, nameBuffer, nameLength, type, {}, dataSize) !=
            reg::kSuccess) {
            break;
        }
        const std::wstring name(nameBuffer.data(), nameLength);
        std::vector<std::byte> data(dataSize);
        std::uint32_t size = dataSize;
        if (registry.QueryValue(key.get(), name, &type, data.data(), &size) != reg::kSuccess) {
            break;
        }
        const std::wstring command = platform::FromUtf16Le(std::span(data).first(size));
        const auto program = programOf_.find(name);
        versioninfo::VersionInfo info(platform_.versions);
        info.LoadFile(program == programOf_.end() ? std::wstring_view() : program->second);
        textLength += info.ProductName().size() + info.CompanyName().size() +
                      info.LegalCopyright().size() + info.FileDescription().size() + command.size();
        ++read;
    }
    // Keeps the reads from being optimised away.
    return textLength == static_cast<std::size_t>(-1) ? 0 : read;
}

} // namespace tolvan::bench
