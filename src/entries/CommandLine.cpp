#include "CommandLine.h"

#include "TextTrim.h"

namespace entries {
namespace {

constexpr wchar_t kQuote = L'"';

wchar_t AsciiLower(wchar_t ch) noexcept
{
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

// Where ".exe" first occurs, in any letter case; npos when it does not.
std::size_t FindExeExtension(std::wstring_view text) noexcept
{
    constexpr std::wstring_view kExtension = L".exe";
    for (std::size_t at = 0; at + kExtension.size() <= text.size(); ++at) {
        std::size_t matched = 0;
        while (matched < kExtension.size() &&
               AsciiLower(text[at + matched]) == kExtension[matched]) {
            ++matched;
        }
        if (matched == kExtension.size()) {
            return at;
        }
    }
    return std::wstring_view::npos;
}

CommandParts SplitQuoted(std::wstring_view command)
{
    const std::size_t closing = command.find(kQuote, 1);
    if (closing == std::wstring_view::npos) {
        // No closing mark: the rest of the line is the program, as Windows reads such a
        // command line itself.
        return {std::wstring(TrimSpaces(command.substr(1))), {}};
    }
    return {std::wstring(command.substr(1, closing - 1)),
            std::wstring(TrimSpaces(command.substr(closing + 1)))};
}

CommandParts SplitAtExtension(std::wstring_view command)
{
    const std::size_t at = FindExeExtension(command);
    if (at == std::wstring_view::npos) {
        return {};
    }
    const std::size_t end = at + 4;
    return {std::wstring(command.substr(0, end)), std::wstring(TrimSpaces(command.substr(end)))};
}

CommandParts FindInSystemFolders(std::wstring_view name, platform::FileSearch& files)
{
    for (const std::wstring_view folder : kSystemFolders) {
        std::wstring candidate(folder);
        candidate += name;
        if (files.AnyFileMatches(candidate)) {
            return {std::move(candidate), {}};
        }
    }
    return {};
}

} // namespace

CommandParts SplitCommand(std::wstring_view command, platform::FileSearch& files)
{
    std::wstring_view text = TrimSpaces(command);
    if (!text.empty() && text.back() == L'\0') {
        text.remove_suffix(1);
    }
    if (text.find(L'\\') != std::wstring_view::npos) {
        return text.front() == kQuote ? SplitQuoted(text) : SplitAtExtension(text);
    }
    if (TrimSpaces(text).empty()) {
        return {};
    }
    // The name is used whole: a bare name followed by arguments names no file.
    return FindInSystemFolders(text, files);
}

} // namespace entries
