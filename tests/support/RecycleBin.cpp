#include "RecycleBin.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPointer.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <shlobj.h>
#include <shlwapi.h>
#include <string>
#include <system_error>

namespace tolvan::test {
namespace {

using platform::win32::ComApartment;
using platform::win32::ComPointer;

struct ItemIdListTraits {
    using pointer = LPITEMIDLIST;
    static constexpr pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer list) noexcept { CoTaskMemFree(list); }
};
using ItemIdList = platform::UniqueHandle<ItemIdListTraits>;

struct TaskMemoryTextTraits {
    using pointer = LPWSTR;
    static constexpr pointer Invalid() noexcept { return nullptr; }
    static void Close(pointer text) noexcept { CoTaskMemFree(text); }
};
using TaskMemoryText = platform::UniqueHandle<TaskMemoryTextTraits>;

std::optional<std::wstring> Variable(const wchar_t* name)
{
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < value.size()) {
            value.resize(length);
            return value;
        }
        value.resize(length);
    }
}

// Wine hands its programs the host's home folder as an NT path ("\??\Z:\root") and the host's
// own variables as they are (XDG_DATA_HOME a Unix path, which drive Z: shows whole).
std::optional<std::filesystem::path> WineTrashFolder()
{
    if (const std::optional<std::wstring> data = Variable(L"XDG_DATA_HOME");
        data && data->starts_with(L'/')) {
        return std::filesystem::path(L"Z:" + *data) / L"Trash";
    }
    constexpr std::wstring_view kNtPrefix = L"\\??\\";
    if (const std::optional<std::wstring> home = Variable(L"WINEHOMEDIR");
        home && home->starts_with(kNtPrefix)) {
        return std::filesystem::path(home->substr(kNtPrefix.size())) / L".local" / L"share" /
               L"Trash";
    }
    return std::nullopt;
}

} // namespace

bool RecycleBinHolds(std::wstring_view name)
{
    const ComApartment com;
    ItemIdList binList;
    ComPointer<IShellFolder> desktop;
    ComPointer<IShellFolder> bin;
    ComPointer<IEnumIDList> items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, binList.put())) ||
        FAILED(SHGetDesktopFolder(desktop.put())) ||
        FAILED(desktop.get()->BindToObject(binList.get(), nullptr, IID_PPV_ARGS(bin.put()))) ||
        bin.get()->EnumObjects(nullptr, SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.put()) !=
            S_OK) {
        return false;
    }
    ItemIdList item;
    while (items.get()->Next(1, item.put(), nullptr) == S_OK) {
        STRRET shown{};
        TaskMemoryText text;
        if (SUCCEEDED(bin.get()->GetDisplayNameOf(item.get(), SHGDN_INFOLDER, &shown)) &&
            SUCCEEDED(StrRetToStrW(&shown, item.get(), text.put())) &&
            name == std::wstring_view(text.get())) {
            return true;
        }
    }
    return false;
}

void ForgetRecycled(std::wstring_view name)
{
    const std::optional<std::filesystem::path> trash = WineTrashFolder();
    if (!trash) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(*trash / L"files" / std::wstring(name), ignored);
    std::filesystem::remove(*trash / L"info" / (std::wstring(name) + L".trashinfo"), ignored);
}

} // namespace tolvan::test
