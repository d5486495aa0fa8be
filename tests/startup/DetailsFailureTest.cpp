// An unexpected failure while reading one entry's details: one message, and the refill goes on.
#include "Fixtures.h"
#include "startup/modTolvan.h"
#include "support/FailingAllocation.h"
#include "support/PlatformBackend.h"

#include <gtest/gtest.h>

namespace tolvan::test {
namespace {

using modTolvan::entries;

constexpr std::wstring_view kFailingName = L"tolvan-no-memory.exe";
constexpr std::wstring_view kFailingPath = L"C:\\WINDOWS\\tolvan-no-memory.exe";

// Answers the search for the failing name as found and lets the next allocation fail, which is
// the one that creates the version reader for that record.
class OutOfMemoryAfterSearch final : public platform::FileSearch {
public:
    explicit OutOfMemoryAfterSearch(platform::FileSearch& inner) noexcept : inner_(inner) {}

    bool AnyFileMatches(std::wstring_view pattern) noexcept override
    {
        if (pattern == kFailingPath) {
            FailNextAllocation();
            return true;
        }
        return inner_.AnyFileMatches(pattern);
    }

private:
    platform::FileSearch& inner_;
};

class DetailsFailure : public ::testing::TestWithParam<PlatformKind> {
protected:
    void SetUp() override
    {
        modTolvan::ClearEntries();
        backend_ = GetParam().make();
    }
    void TearDown() override { modTolvan::ClearEntries(); }

    std::unique_ptr<PlatformBackend> backend_;
};

TEST_P(DetailsFailure, OneMessagePerFailingRecordAndTheRestIsResolved)
{
    backend_->PutCopyOf(L"C:\\WINDOWS\\System32\\tolvan-present.exe",
                        std::filesystem::path(FixtureFile(L"details.exe")));
    platform::Platform& real = backend_->services();
    OutOfMemoryAfterSearch files(real.files);
    platform::Platform services{real.registry,  real.shell,    real.messageBox, files,
                                real.collation, real.versions, real.fileDialogs};

    modTolvan::AddEntry(platform::reg::kCurrentUser, L"first", L"\"C:\\A\\a.exe\" -x");
    modTolvan::AddEntry(platform::reg::kCurrentUser, L"failing", kFailingName);
    modTolvan::AddEntry(platform::reg::kLocalMachine, L"present", L"tolvan-present.exe");
    modTolvan::AddEntry(platform::reg::kLocalMachine, L"failing again", kFailingName);
    modTolvan::ResolveEntries(services);
    EXPECT_FALSE(AllocationFailurePending());

    const auto& shown = backend_->messageBox().shown;
    ASSERT_EQ(shown.size(), 2u);
    for (const auto& box : shown) {
        EXPECT_EQ(box.text, L"Error: Out of memory (7)");
        EXPECT_EQ(box.title, L"Tolvan");
        EXPECT_EQ(box.style, platform::mb::kOk);
        EXPECT_EQ(box.owner, 0u);
    }
    ASSERT_EQ(modTolvan::entryCount(), 4);
    EXPECT_EQ(entries[0].DisplayText, L"first;  (C:\\A\\a.exe)");
    EXPECT_EQ(entries[1].DisplayText, L"failing;  (C:\\WINDOWS\\tolvan-no-memory.exe)");
    EXPECT_EQ(entries[1].ProductName, L"");
    // Read after the first message: the refill went on.
    EXPECT_EQ(entries[2].DisplayText, L"Mintaprogram árvíztűrő tükörfúrógép");
    EXPECT_EQ(entries[2].CompanyName, L"Kavrenta Kft.");
    EXPECT_EQ(entries[3].DisplayText, L"failing again;  (C:\\WINDOWS\\tolvan-no-memory.exe)");
}

TOLVAN_FOR_EACH_PLATFORM(DetailsFailure);

} // namespace
} // namespace tolvan::test
