#include "RegistrySnapshot.h"

#include "OwnedHandles.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tolvan::e2e {
namespace {

constexpr wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunOncePath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr wchar_t kPolicyRunPath[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

std::string Hex(const std::uint8_t* bytes, std::size_t size)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 2 + 1);
    text += '=';
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0xF];
    }
    return text;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>& bytes)
{
    if (text.empty() || text[0] != '=' || text.size() % 2 != 1) {
        return false;
    }
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        return -1;
    };
    bytes.clear();
    for (std::size_t i = 1; i < text.size(); i += 2) {
        const int high = digit(text[i]);
        const int low = digit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

std::string Narrow(std::wstring_view text)
{
    std::string out;
    for (const wchar_t ch : text) {
        out += static_cast<char>(ch < 0x80 ? ch : '?');
    }
    return out;
}

// Data as a reader sees it: UTF-16 text for strings (cut short when long), hex bytes otherwise.
std::wstring Readable(const StoredValue& value)
{
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) {
        return L"type " + std::to_wstring(value.type) + L", " + std::to_wstring(value.data.size()) +
               L" bytes";
    }
    std::wstring text(value.data.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<wchar_t>(value.data[2 * i] | (value.data[2 * i + 1] << 8));
    }
    if (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    constexpr std::size_t kShown = 120;
    if (text.size() > kShown) {
        text.resize(kShown);
        text += L"... (" + std::to_wstring(value.data.size()) + L" bytes)";
    }
    return text;
}

std::wstring NameOf(const std::wstring& name)
{
    return name.size() > 80
               ? name.substr(0, 80) + L"... (" + std::to_wstring(name.size()) + L" characters)"
               : name;
}

KeySnapshot ReadKey(const WatchedKey& watched)
{
    KeySnapshot snapshot;
    OwnedKey key;
    if (RegOpenKeyExW(watched.root, watched.path, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
        return snapshot;
    }
    snapshot.exists = true;
    std::vector<wchar_t> name(16384);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, nullptr,
                          &size) != ERROR_SUCCESS) {
            break;
        }
        const std::wstring valueName(name.data(), nameLength);
        StoredValue value;
        value.data.resize(size);
        DWORD read = size;
        if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &value.type,
                             value.data.empty() ? nullptr : value.data.data(),
                             &read) != ERROR_SUCCESS) {
            continue;
        }
        value.data.resize(read);
        snapshot.values.emplace(valueName, std::move(value));
    }
    return snapshot;
}

} // namespace

const std::vector<WatchedKey>& WatchedKeys()
{
    static const std::vector<WatchedKey> kKeys{
        {L"HKCU-Run", HKEY_CURRENT_USER, kRunPath},
        {L"HKLM-Run", HKEY_LOCAL_MACHINE, kRunPath},
        {L"HKLM-Run32", HKEY_LOCAL_MACHINE,
         L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {L"HKCU-Policy", HKEY_CURRENT_USER, kPolicyRunPath},
        {L"HKLM-Policy", HKEY_LOCAL_MACHINE, kPolicyRunPath},
        {L"HKCU-RunOnce", HKEY_CURRENT_USER, kRunOncePath},
        {L"HKLM-RunOnce", HKEY_LOCAL_MACHINE, kRunOncePath},
        {L"HKLM-RunOnce32", HKEY_LOCAL_MACHINE,
         L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
        {L"HKCU-Settings", HKEY_CURRENT_USER, L"Software\\Kavrenta"},
        {L"HKCU-WineX11", HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver"},
    };
    return kKeys;
}

Snapshot TakeSnapshot()
{
    Snapshot snapshot;
    for (const WatchedKey& key : WatchedKeys()) {
        snapshot[key.label] = ReadKey(key);
    }
    return snapshot;
}

bool SaveSnapshot(const Snapshot& snapshot, const std::wstring& file)
{
    std::ofstream out(std::filesystem::path(file), std::ios::binary | std::ios::trunc);
    for (const auto& [label, key] : snapshot) {
        out << Narrow(label) << (key.exists ? " present" : " missing") << '\n';
        for (const auto& [name, value] : key.values) {
            const auto* nameBytes = reinterpret_cast<const std::uint8_t*>(name.data());
            out << Narrow(label) << ' ' << value.type << ' '
                << Hex(nameBytes, name.size() * sizeof(wchar_t)) << ' '
                << Hex(value.data.data(), value.data.size()) << '\n';
        }
    }
    out.flush();
    return static_cast<bool>(out);
}

bool LoadSnapshot(const std::wstring& file, Snapshot& snapshot)
{
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    if (!in) {
        return false;
    }
    snapshot.clear();
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string label;
        std::string second;
        fields >> label >> second;
        const std::wstring wideLabel(label.begin(), label.end());
        if (second == "present" || second == "missing") {
            snapshot[wideLabel].exists = second == "present";
            continue;
        }
        std::string nameHex;
        std::string dataHex;
        fields >> nameHex >> dataHex;
        std::vector<std::uint8_t> nameBytes;
        StoredValue value;
        value.type = static_cast<DWORD>(std::stoul(second));
        if (!FromHex(nameHex, nameBytes) || !FromHex(dataHex, value.data) ||
            nameBytes.size() % sizeof(wchar_t) != 0) {
            return false;
        }
        std::wstring name(nameBytes.size() / sizeof(wchar_t), L'\0');
        std::memcpy(name.data(), nameBytes.data(), nameBytes.size());
        snapshot[wideLabel].values.emplace(std::move(name), std::move(value));
    }
    return true;
}

bool RestoreSnapshot(const Snapshot& snapshot)
{
    bool restored = true;
    for (const WatchedKey& watched : WatchedKeys()) {
        const auto wanted = snapshot.find(watched.label);
        if (wanted == snapshot.end()) {
            continue;
        }
        if (!wanted->second.exists) {
            const LSTATUS status = RegDeleteKeyW(watched.root, watched.path);
            restored = restored && (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
            continue;
        }
        OwnedKey key;
        if (RegCreateKeyExW(watched.root, watched.path, 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(),
                            nullptr) != ERROR_SUCCESS) {
            restored = false;
            continue;
        }
        const KeySnapshot now = ReadKey(watched);
        for (const auto& [name, value] : now.values) {
            if (!wanted->second.values.contains(name)) {
                restored = restored && RegDeleteValueW(key.get(), name.c_str()) == ERROR_SUCCESS;
            }
        }
        for (const auto& [name, value] : wanted->second.values) {
            const auto current = now.values.find(name);
            if (current != now.values.end() && current->second == value) {
                continue;
            }
            restored =
                restored && RegSetValueExW(key.get(), name.c_str(), 0, value.type,
                                           value.data.empty() ? nullptr : value.data.data(),
                                           static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
        }
    }
    return restored;
}

std::vector<std::wstring> Differences(const Snapshot& before, const Snapshot& after)
{
    std::vector<std::wstring> lines;
    static const KeySnapshot kAbsent;
    for (const WatchedKey& watched : WatchedKeys()) {
        const std::wstring label = watched.label;
        const auto oldKey = before.find(label);
        const auto newKey = after.find(label);
        const KeySnapshot& was = oldKey == before.end() ? kAbsent : oldKey->second;
        const KeySnapshot& is = newKey == after.end() ? kAbsent : newKey->second;
        if (was.exists != is.exists) {
            lines.push_back((was.exists ? L"key removed " : L"key added ") + label);
        }
        for (const auto& [name, value] : was.values) {
            const auto now = is.values.find(name);
            if (now == is.values.end()) {
                lines.push_back(L"removed " + label + L" " + NameOf(name));
            } else if (!(now->second == value)) {
                lines.push_back(L"changed " + label + L" " + NameOf(name) + L": " +
                                Readable(value) + L" -> " + Readable(now->second));
            }
        }
        for (const auto& [name, value] : is.values) {
            if (!was.values.contains(name)) {
                lines.push_back(L"added " + label + L" " + NameOf(name) + L": " + Readable(value));
            }
        }
    }
    return lines;
}

} // namespace tolvan::e2e
