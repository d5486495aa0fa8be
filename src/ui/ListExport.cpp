#include "ListExport.h"

#include "ScopeText.h"
#include "SignatureText.h"
#include "entries/HiddenName.h"
#include "platform/Utf16.h"

#include <array>
#include <chrono>
#include <cwchar>

namespace ui {
namespace {

using platform::SignatureKind;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::wstring_view kLineEnd = L"\r\n";

// The signature in a word or two, for a column; empty where there is no file to check.
std::wstring VerdictWord(const InterfaceLanguage& language, const entries::StartupEntry& entry)
{
    if (!entry.programFound || !entry.signature) {
        return {};
    }
    switch (entry.signature->kind) {
    case SignatureKind::Verified:
        return language.Text(UiText::VerdictVerified);
    case SignatureKind::NotTrusted:
        return language.Text(UiText::VerdictNotTrusted);
    case SignatureKind::Changed:
        return language.Text(UiText::VerdictChanged);
    case SignatureKind::NotSigned:
        return language.Text(UiText::VerdictNotSigned);
    case SignatureKind::CannotCheck:
        break;
    }
    return language.Text(UiText::VerdictUncheckable);
}

std::wstring SignerOf(const entries::StartupEntry& entry)
{
    return entry.signature && entry.signature->signer ? entry.signature->signer->name
                                                      : std::wstring();
}

std::string Utf8WithMark(std::wstring_view text)
{
    std::string bytes(kByteOrderMark);
    bytes += platform::ToUtf8(text);
    return bytes;
}

} // namespace

std::wstring CsvField(std::wstring_view text)
{
    if (text.find_first_of(L",\"\r\n") == std::wstring_view::npos) {
        return std::wstring(text);
    }
    std::wstring quoted = L"\"";
    for (const wchar_t ch : text) {
        quoted += ch;
        if (ch == L'"') {
            quoted += L'"';
        }
    }
    quoted += L'"';
    return quoted;
}

std::wstring IsoUtc(std::uint64_t moment)
{
    using namespace std::chrono;
    constexpr std::uint64_t kUnixEpoch = 116444736000000000ULL; // 1970 in FILETIME steps
    constexpr std::uint64_t kStepsPerSecond = 10000000ULL;
    if (moment < kUnixEpoch) {
        return {};
    }
    const sys_seconds at{seconds(static_cast<long long>((moment - kUnixEpoch) / kStepsPerSecond))};
    const sys_days day = floor<days>(at);
    const year_month_day date(day);
    const hh_mm_ss time(at - day);
    std::array<wchar_t, 32> text{};
    const int written = std::swprintf(
        text.data(), text.size(), L"%04d-%02u-%02uT%02lld:%02lld:%02lldZ",
        static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
        static_cast<unsigned>(date.day()), static_cast<long long>(time.hours().count()),
        static_cast<long long>(time.minutes().count()),
        static_cast<long long>(time.seconds().count()));
    return written > 0 ? std::wstring(text.data(), static_cast<std::size_t>(written))
                       : std::wstring();
}

std::string ListAsCsv(std::span<const entries::StartupEntry> entries, const ExportTexts& texts)
{
    const InterfaceLanguage& language = texts.language;
    std::wstring csv;
    const auto row = [&](std::initializer_list<std::wstring_view> fields) {
        bool first = true;
        for (const std::wstring_view field : fields) {
            csv += first ? L"" : L",";
            csv += CsvField(field);
            first = false;
        }
        csv += kLineEnd;
    };
    row({language.Text(UiText::ColumnScope), language.Text(UiText::ColumnName),
         language.Text(UiText::ColumnCommand), language.Text(UiText::ColumnProgram),
         language.Text(UiText::ColumnProduct), language.Text(UiText::ColumnDescription),
         language.Text(UiText::ColumnCompany), language.Text(UiText::ColumnDisabled),
         language.Text(UiText::ColumnDisabledSince), language.Text(UiText::ColumnSignature),
         language.Text(UiText::ColumnSigner)});
    for (const entries::StartupEntry& entry : entries) {
        row({ScopeText(language, entry.scope), entries::ShownName(entry.name), entry.command,
             entry.programPath, entry.productName, entry.description, entry.companyName,
             language.Text(entry.switchedOff ? UiText::Yes : UiText::No),
             entry.switchedOff ? IsoUtc(entry.switchedOffSince) : std::wstring(),
             VerdictWord(language, entry), SignerOf(entry)});
    }
    return Utf8WithMark(csv);
}

std::string ListAsReport(std::span<const entries::StartupEntry> entries, const ExportTexts& texts,
                         std::wstring_view computer, std::uint64_t now)
{
    const InterfaceLanguage& language = texts.language;
    std::wstring report =
        language.Text(UiText::ReportTitle, {computer, texts.clock.LocalDateAndTime(now)});
    report += kLineEnd;
    const auto line = [&](UiText label, std::wstring_view value) {
        report += language.Text(label);
        report += L": ";
        report += value;
        report += kLineEnd;
    };
    for (const entries::StartupEntry& entry : entries) {
        report += kLineEnd;
        line(UiText::ColumnName, entries::ShownName(entry.name));
        line(UiText::ColumnScope, ScopeText(language, entry.scope));
        line(UiText::ColumnCommand, entry.command);
        line(UiText::ColumnProgram, entry.programPath);
        line(UiText::ColumnProduct, entry.productName);
        line(UiText::ColumnDescription, entry.description);
        line(UiText::ColumnCompany, entry.companyName);
        std::wstring disabled = language.Text(entry.switchedOff ? UiText::Yes : UiText::No);
        if (entry.switchedOff && entry.switchedOffSince != 0) {
            disabled += L", " + texts.clock.LocalDateAndTime(entry.switchedOffSince);
        }
        line(UiText::ColumnDisabled, disabled);
        line(UiText::ColumnSignature, SignatureLine(language, texts.messages, entry));
    }
    return Utf8WithMark(report);
}

} // namespace ui
