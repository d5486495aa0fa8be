#include "KeyAccess.h"

#include "OwnedHandles.h"

#include <aclapi.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace tolvan::e2e {

DenyOutcome DenyAccess(HKEY root, const wchar_t* path, REGSAM rights, const std::wstring& saveFile)
{
    OwnedKey key;
    if (RegOpenKeyExW(root, path, 0, READ_CONTROL | WRITE_DAC, key.put()) != ERROR_SUCCESS) {
        return DenyOutcome::Failed;
    }
    DWORD size = 0;
    RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<char> saved(size);
    if (size == 0 || RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved.data(), &size) !=
                         ERROR_SUCCESS) {
        return DenyOutcome::Failed;
    }
    {
        std::ofstream out(std::filesystem::path(saveFile), std::ios::binary | std::ios::trunc);
        out.write(saved.data(), static_cast<std::streamsize>(saved.size()));
        if (!out) {
            return DenyOutcome::Failed;
        }
    }
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        return DenyOutcome::Failed;
    }
    // A deny entry first, then everything else allowed, so that only those rights are refused.
    std::vector<char> aclBuffer(512);
    auto* acl = reinterpret_cast<PACL>(aclBuffer.data());
    const bool built = InitializeAcl(acl, static_cast<DWORD>(aclBuffer.size()), ACL_REVISION) &&
                       AddAccessDeniedAce(acl, ACL_REVISION, rights, everyone) &&
                       AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS & ~rights, everyone);
    SECURITY_DESCRIPTOR descriptor{};
    const bool set =
        built && InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
        RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    FreeSid(everyone);
    if (!set) {
        return DenyOutcome::Failed;
    }
    OwnedKey refused;
    const LSTATUS opened = RegOpenKeyExW(root, path, 0, rights, refused.put());
    return opened == ERROR_ACCESS_DENIED ? DenyOutcome::Denied : DenyOutcome::NotEnforced;
}

bool RestoreAccess(HKEY root, const wchar_t* path, const std::wstring& saveFile)
{
    std::ifstream in(std::filesystem::path(saveFile), std::ios::binary);
    std::vector<char> saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (saved.empty()) {
        return false;
    }
    OwnedKey key;
    return RegOpenKeyExW(root, path, 0, WRITE_DAC, key.put()) == ERROR_SUCCESS &&
           RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved.data()) == ERROR_SUCCESS;
}

} // namespace tolvan::e2e
