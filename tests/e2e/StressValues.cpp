#include "StressValues.h"

#include "OwnedHandles.h"

#include <array>

namespace tolvan::e2e {
namespace {

constexpr wchar_t kRunPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text, bool terminated = true)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    }
    if (terminated) {
        bytes.push_back(0);
        bytes.push_back(0);
    }
    return bytes;
}

class RunKeyWriter {
public:
    explicit RunKeyWriter(HKEY root, REGSAM view = 0)
    {
        ok_ = RegCreateKeyExW(root, kRunPath, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                              key_.put(), nullptr) == ERROR_SUCCESS;
    }
    [[nodiscard]] bool Write(const std::wstring& name, DWORD type,
                             const std::vector<std::uint8_t>& data) noexcept
    {
        return ok_ && RegSetValueExW(key_.get(), name.c_str(), 0, type,
                                     data.empty() ? nullptr : data.data(),
                                     static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    }

private:
    OwnedKey key_;
    bool ok_ = false;
};

std::wstring Numbered(int number, int width)
{
    std::wstring digits = std::to_wstring(number);
    return std::wstring(static_cast<std::size_t>(width) -
                            std::min<std::size_t>(digits.size(), width),
                        L'0') +
           digits;
}

std::wstring Listed(const std::wstring& name, const std::wstring& exePath)
{
    return name + L";  (" + exePath + L")";
}

std::vector<OddValue> MakeOddValues()
{
    const std::wstring folder = L"C:\\stress\\odd\\";
    std::vector<OddValue> values;

    const std::wstring longName = L"stress long name " + std::wstring(16383 - 17, L'n');
    values.push_back({L"a name of 16,383 characters", HKEY_CURRENT_USER, longName, REG_SZ,
                      Utf16Bytes(folder + L"long.exe"), Listed(longName, folder + L"long.exe")});

    // 1 MiB with the terminator: the program, then arguments filling the rest.
    std::wstring big = L"\"" + folder + L"big.exe\" ";
    big += std::wstring(1024 * 1024 / 2 - 1 - big.size(), L'x');
    values.push_back({L"a command of 1 MiB", HKEY_LOCAL_MACHINE, L"stress big command", REG_SZ,
                      Utf16Bytes(big), Listed(L"stress big command", folder + L"big.exe")});

    const std::wstring astral = L"\U0001F680";
    static_assert(sizeof(wchar_t) == 2);
    values.push_back({L"characters outside the BMP in name and command", HKEY_CURRENT_USER,
                      L"stress astral " + astral, REG_SZ,
                      Utf16Bytes(folder + astral + L"\\rocket.exe -go"),
                      Listed(L"stress astral " + astral, folder + astral + L"\\rocket.exe")});

    const std::wstring loneHigh(1, static_cast<wchar_t>(0xD800));
    const std::wstring loneLow(1, static_cast<wchar_t>(0xDC00));
    values.push_back(
        {L"lone surrogates in name and command", HKEY_LOCAL_MACHINE,
         L"stress lone " + loneHigh + L" high", REG_SZ, Utf16Bytes(folder + loneLow + L"low.exe"),
         Listed(L"stress lone " + loneHigh + L" high", folder + loneLow + L"low.exe")});

    std::vector<std::uint8_t> odd = Utf16Bytes(folder + L"odd.exe", false);
    odd.push_back(0x41);
    values.push_back({L"REG_SZ of an odd number of bytes", HKEY_CURRENT_USER, L"stress odd size",
                      REG_SZ, odd, Listed(L"stress odd size", folder + L"odd.exe")});

    values.push_back({L"REG_SZ with embedded NULs", HKEY_CURRENT_USER, L"stress embedded nul",
                      REG_SZ, Utf16Bytes(folder + std::wstring(L"first.exe\0second\0third", 22)),
                      Listed(L"stress embedded nul", folder + L"first.exe")});

    values.push_back({L"REG_SZ without a terminator", HKEY_LOCAL_MACHINE, L"stress unterminated",
                      REG_SZ, Utf16Bytes(folder + L"bare.exe /b", false),
                      Listed(L"stress unterminated", folder + L"bare.exe")});

    values.push_back({L"a name of spaces only", HKEY_CURRENT_USER, L"   ", REG_SZ,
                      Utf16Bytes(folder + L"spaces.exe"), Listed(L"   ", folder + L"spaces.exe")});

    values.push_back({L"the unnamed default value", HKEY_CURRENT_USER, L"", REG_SZ,
                      Utf16Bytes(folder + L"default.exe"), Listed(L"", folder + L"default.exe")});

    // Longer than Windows expands (32,767 characters): the program is looked for in the text as
    // stored.
    std::wstring huge;
    for (int k = 0; k < 4100; ++k) {
        huge += L"%windir%";
    }
    huge += L"\\huge.exe";
    values.push_back({L"REG_EXPAND_SZ too long to expand", HKEY_LOCAL_MACHINE,
                      L"stress expand huge", REG_EXPAND_SZ, Utf16Bytes(huge),
                      Listed(L"stress expand huge", huge)});
    values.push_back(
        {L"REG_EXPAND_SZ of an unknown variable in the 32-bit key", HKEY_LOCAL_MACHINE,
         L"stress x86 unknown", REG_EXPAND_SZ, Utf16Bytes(L"%TOLVAN_STRESS_UNSET%\\x86.exe -q"),
         Listed(L"stress x86 unknown", L"%TOLVAN_STRESS_UNSET%\\x86.exe"), KEY_WOW64_32KEY});
    return values;
}

} // namespace

bool SeedManyValues(int count, const std::wstring& fixtureExe)
{
    static const std::array<std::wstring, 12> kWords{
        L"alma",           L"\u00C1lom",  L"b\u00FCkk",      L"Cseresznye",
        L"\u00E1g",        L"Zebra",      L"\u00E9jjel",     L"\u0150z",
        L"\u00F6r\u00F6m", L"z\u00E1rva", L"\u00D6d\u00F6n", L"\u00FCt\u0151"};
    RunKeyWriter user(HKEY_CURRENT_USER);
    RunKeyWriter machine(HKEY_LOCAL_MACHINE);
    bool written = true;
    for (int i = 0; i < count; ++i) {
        const std::wstring number = Numbered(i, 5);
        const std::wstring name =
            kWords[static_cast<std::size_t>(i * 7 % static_cast<int>(kWords.size()))] +
            L" stress " + number;
        std::wstring command;
        if (i % 50 == 0) {
            command.append(L"\"").append(fixtureExe).append(L"\" /n ").append(number);
        } else {
            command.append(L"\"C:\\stress\\missing\\prog ").append(number).append(L".exe\" /tray");
        }
        RunKeyWriter& target = i % 3 == 0 ? user : machine;
        written = target.Write(name, REG_SZ, Utf16Bytes(command)) && written;
    }
    return written;
}

bool SeedLeakValues(int count)
{
    RunKeyWriter user(HKEY_CURRENT_USER);
    bool written = true;
    for (int i = 0; i < count; ++i) {
        const std::wstring number = Numbered(i, 3);
        written = user.Write(kLeakPrefix + number, REG_SZ,
                             Utf16Bytes(L"C:\\stress\\leak\\" + number + L".exe")) &&
                  written;
    }
    return written;
}

const std::vector<OddValue>& OddValues()
{
    static const std::vector<OddValue> kValues = MakeOddValues();
    return kValues;
}

const std::vector<BadFileValue>& BadFileValues()
{
    static const std::vector<BadFileValue> kValues{
        {L"stress bad empty", L"C:\\stress\\bad\\empty.exe", L"no information available"},
        {L"stress bad text", L"\"C:\\stress\\bad\\text.exe\" /x", L"no information available"},
        {L"stress bad truncated", L"C:\\stress\\bad\\truncated.exe", L"no information available"},
        {L"stress bad folder", L"C:\\stress\\bad\\x.exe", L"file is missing"},
    };
    return kValues;
}

bool WriteOddValues()
{
    bool written = true;
    for (const OddValue& value : OddValues()) {
        RunKeyWriter writer(value.root, value.view);
        written = writer.Write(value.name, value.type, value.data) && written;
    }
    return written;
}

bool WriteBadFileValues()
{
    RunKeyWriter user(HKEY_CURRENT_USER);
    bool written = true;
    for (const BadFileValue& value : BadFileValues()) {
        written = user.Write(value.name, REG_SZ, Utf16Bytes(value.command)) && written;
    }
    return written;
}

std::wstring Escaped(const std::wstring& text, std::size_t limit)
{
    std::wstring out;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const wchar_t ch = text[i];
        if (ch >= 0x20 && ch < 0x7F) {
            out += ch;
        } else {
            wchar_t code[8]{};
            swprintf(code, 8, L"\\u%04X", static_cast<unsigned>(ch));
            out += code;
        }
    }
    if (text.size() > limit) {
        out += L"... (" + std::to_wstring(text.size()) + L" characters)";
    }
    return out;
}

} // namespace tolvan::e2e
