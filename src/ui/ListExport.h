#pragma once

#include "InterfaceLanguage.h"
#include "entries/StartupEntry.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ui {

// What the saved list's texts are told in: the interface language, Windows' messages (a
// signature that could not be checked says why) and the user's local time.
struct ExportTexts {
    const InterfaceLanguage& language;
    const platform::MessageBoxService& messages;
    const platform::Clock& clock;
};

// The list as CSV, UTF-8 with a byte-order mark (so that spreadsheets read the accented letters),
// comma-separated, each field quoted as RFC 4180 asks when it holds a comma, a quote or a line
// break, lines ended by CR LF: a header row, then one row per entry in the order given.
[[nodiscard]] std::string ListAsCsv(std::span<const entries::StartupEntry> entries,
                                    const ExportTexts& texts);

// The list as a plain-text report for people, UTF-8 with a byte-order mark and CR LF line ends
// as Notepad reads them: a title naming the computer and the moment, then one block per entry.
[[nodiscard]] std::string ListAsReport(std::span<const entries::StartupEntry> entries,
                                       const ExportTexts& texts, std::wstring_view computer,
                                       std::uint64_t now);

// A CSV field: as it is, or quoted with its quotes doubled.
[[nodiscard]] std::wstring CsvField(std::wstring_view text);

// A moment (FILETIME) in ISO 8601, UTC: "2026-12-09T14:05:00Z"; empty for 0.
[[nodiscard]] std::wstring IsoUtc(std::uint64_t moment);

} // namespace ui
