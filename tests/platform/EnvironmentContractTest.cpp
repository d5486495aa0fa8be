// Expanding environment variables, by the test's variables and (under Wine) by
// ExpandEnvironmentStringsW over the process's own environment.
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

class EnvironmentContract : public ::testing::TestWithParam<PlatformKind> {
protected:
    std::wstring Expand(std::wstring_view text)
    {
        return backend->Services().environment.Expand(text);
    }

    std::unique_ptr<PlatformBackend> backend = GetParam().make();
};

TEST_P(EnvironmentContract, ExpandsDefinedNamesWhateverTheirCaseAndKeepsTheRest)
{
    backend->SetVariable(L"TOLVAN_APPS", L"C:\\Apps");
    EXPECT_EQ(Expand(L"%tolvan_apps%\\a.exe -q"), L"C:\\Apps\\a.exe -q");
    EXPECT_EQ(Expand(L"%TOLVAN_APPS%%Tolvan_Apps%"), L"C:\\AppsC:\\Apps");
    EXPECT_EQ(Expand(L"no variables"), L"no variables");
    EXPECT_EQ(Expand(L""), L"");
    // An unknown reference stays whole: its closing % opens no other.
    EXPECT_EQ(Expand(L"%TOLVAN_UNSET%\\x.exe"), L"%TOLVAN_UNSET%\\x.exe");
    EXPECT_EQ(Expand(L"%TOLVAN_UNSET%TOLVAN_APPS%"), L"%TOLVAN_UNSET%TOLVAN_APPS%");
    EXPECT_EQ(Expand(L"%TOLVAN_UNSET%%TOLVAN_APPS%"), L"%TOLVAN_UNSET%C:\\Apps");
    // A lone or doubled % is kept.
    EXPECT_EQ(Expand(L"100% sure"), L"100% sure");
    EXPECT_EQ(Expand(L"a %% b"), L"a %% b");
    EXPECT_EQ(Expand(L"%TOLVAN_APPS"), L"%TOLVAN_APPS");
    // The text ends at its first NUL.
    EXPECT_EQ(Expand(std::wstring(L"%TOLVAN_APPS%\0rest", 18)), L"C:\\Apps");
}

TEST_P(EnvironmentContract, AnExpansionLongerThanWindowsAllowsIsNotMade)
{
    backend->SetVariable(L"TOLVAN_LONG", std::wstring(1000, L'x'));
    std::wstring text;
    for (int k = 0; k < 40; ++k) {
        text += L"%TOLVAN_LONG%";
    }
    EXPECT_EQ(Expand(text), text);
    // 32,766 characters are the most (the system's counted strings end there, NUL included):
    // one more and the text stays as it is.
    text.resize(std::wstring_view(L"%TOLVAN_LONG%").size() * 32);
    text.append(766, L'y');
    EXPECT_TRUE(Expand(text) == std::wstring(32000, L'x') + std::wstring(766, L'y'));
    text += L'y';
    EXPECT_EQ(Expand(text), text);
}

TOLVAN_FOR_EACH_PLATFORM(EnvironmentContract);

} // namespace
} // namespace tolvan::test
