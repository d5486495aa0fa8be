#include "RegistryBackend.h"

#include "portable/MemoryRegistry.h"

#ifdef _WIN32
#include "platform/win32/Win32Registry.h"

#include <windows.h>
#endif

namespace tolvan::test {
namespace {

class PortableBackend final : public RegistryBackend {
public:
    platform::Registry& Registry() override { return *registry_; }
    void Reset() override { registry_ = std::make_unique<platform::portable::MemoryRegistry>(); }
    bool KeyExists(platform::RootKey root, std::wstring_view subKey) override
    {
        return registry_->KeyExists(root, subKey);
    }
    std::optional<int> OpenKeyCount() const override { return registry_->OpenKeyCount(); }
    std::optional<long long> CallCount() const override { return registry_->CallCount(); }

private:
    std::unique_ptr<platform::portable::MemoryRegistry> registry_ =
        std::make_unique<platform::portable::MemoryRegistry>();
};

#ifdef _WIN32
HKEY ToHkey(platform::RootKey root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(root)));
}

// The real registry of the test prefix. What the tests write lives under the Run, RunOnce and
// policy Run keys (both views), the StartupApproved keys, the settings key and a scratch key;
// Reset removes them all (the prefix is thrown away anyway).
class Win32Backend final : public RegistryBackend {
public:
    platform::Registry& Registry() override { return registry_; }
    void Reset() override
    {
        for (const wchar_t* key : {L"Run", L"RunOnce", L"Policies\\Explorer\\Run"}) {
            const std::wstring path =
                std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\") + key;
            RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
        }
        for (const wchar_t* key : {L"Run", L"RunOnce"}) {
            const std::wstring path =
                std::wstring(L"Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\") + key;
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
        }
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RegDeleteTreeW(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                 L"StartupApproved");
        }
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kavrenta");
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TolvanTests");
    }
    bool KeyExists(platform::RootKey root, std::wstring_view subKey) override
    {
        const std::wstring path(subKey);
        HKEY key = nullptr;
        if (RegOpenKeyExW(ToHkey(root), path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }
    std::optional<int> OpenKeyCount() const override { return std::nullopt; }
    std::optional<long long> CallCount() const override { return std::nullopt; }

private:
    platform::win32::Win32Registry registry_;
};
#endif

} // namespace

std::vector<BackendKind> AllRegistryBackends()
{
    std::vector<BackendKind> kinds{
        {"portable", [] { return std::make_unique<PortableBackend>(); }},
    };
#ifdef _WIN32
    kinds.push_back({"win32", [] { return std::make_unique<Win32Backend>(); }});
#endif
    return kinds;
}

} // namespace tolvan::test
