// The shortcut reader on shortcuts of every form it reads a path from: those the shell's link
// object writes under Wine, and the parts Windows writes besides (an environment-variables block,
// Unicode link info, a share with a path suffix).
#include "platform/ShellLinkReader.h"

#include "platform/Windows1252.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <span>
#include <string>

namespace tolvan::test {
namespace {

using platform::Shortcut;

TEST(ShellLinkReader, ReadsThePathFromEachPartThatHoldsIt)
{
    const struct {
        const char* file;
        Shortcut expected;
    } cases[] = {
        {"arguments.lnk", {L"C:\\lnkexp\\exists.exe", L"-a \"b c\""}},
        {"ansi-names.lnk", {L"C:\\Programs\\árvízturo\\??.exe", L"é"}},
        {"network-path.lnk", {L"\\\\server\\share\\x.exe", L""}},
        {"environment-block.lnk", {L"%ProgramFiles%\\Kavrenta Minta\\product_only.exe", L""}},
        {"unicode-link-info.lnk", {L"C:\\áű\\日.exe", L""}},
        {"network-link.lnk", {L"\\\\server\\share\\dir\\x.exe", L""}},
    };
    for (const auto& each : cases) {
        std::ifstream in(std::string(TOLVAN_SHELL_LINK_SEEDS "/") + each.file, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        ASSERT_FALSE(bytes.empty()) << each.file;
        EXPECT_EQ(
            platform::ReadShellLink(std::as_bytes(std::span(bytes)), platform::FromWindows1252),
            each.expected)
            << each.file;
    }
}

} // namespace
} // namespace tolvan::test
