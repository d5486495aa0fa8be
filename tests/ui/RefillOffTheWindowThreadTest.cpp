// The list is refilled on other threads: the window shows the last snapshot taken until the next
// one is ready, a program file that is slow to read does not hold the list up, and the rows keep
// standing for their entries whatever the refill does to the order.
#include "Fixtures.h"
#include "portable/HeadlessWindowSystem.h"
#include "support/ForwardingVersionResources.h"
#include "support/ScriptedPlatform.h"
#include "support/TemporaryFolder.h"
#include "ui/MainWindow.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace tolvan::test {
namespace {

using namespace std::chrono_literals;
using platform::reg::kCurrentUser;

// Holds every read of a file named "held.exe" until Release(), as a file on a share that does
// not answer would; counts how often such a read began.
class HeldVersionResources final : public ForwardingVersionResources {
public:
    using ForwardingVersionResources::ForwardingVersionResources;

    std::uint32_t VersionResourceSize(const platform::NulTerminated& fileName) noexcept override
    {
        if (fileName.View().ends_with(L"held.exe")) {
            std::unique_lock lock(guard_);
            ++heldReads_;
            releasedSignal_.wait(lock, [this] { return released_; });
        }
        return ForwardingVersionResources::VersionResourceSize(fileName);
    }

    void Release()
    {
        {
            const std::scoped_lock lock(guard_);
            released_ = true;
        }
        releasedSignal_.notify_all();
    }

    int HeldReads()
    {
        const std::scoped_lock lock(guard_);
        return heldReads_;
    }

private:
    std::mutex guard_;
    std::condition_variable releasedSignal_;
    bool released_ = false;
    int heldReads_ = 0;
};

class RefillOffTheWindowThread : public ::testing::Test, protected ScriptedPlatform {
protected:
    void SetUp() override
    {
        drives.Map(L'C', folder.Path());
        std::filesystem::copy_file(std::filesystem::path(FixtureFile(L"details.exe")),
                                   folder.Path() / "Minta.exe");
        std::filesystem::copy_file(std::filesystem::path(FixtureFile(L"full.exe")),
                                   folder.Path() / "held.exe");
        language.Set(ui::Language::English);
    }
    void TearDown() override
    {
        held.Release(); // the table waits for its reads as it goes
    }

    void Put(const platform::NulTerminated& name, std::wstring_view command)
    {
        ASSERT_EQ(
            registry::WriteString(registry, {kCurrentUser, entries::kRunKeyPath}, name, command),
            platform::reg::kSuccess);
    }

    // What the window's own timer does until the list shows this line, for at most 10 s.
    void TickUntilListed(const std::wstring& line)
    {
        const auto& items = window.Controls().entryList.Items();
        for (int tick = 0; tick < 1000; ++tick) {
            if (std::find(items.begin(), items.end(), line) != items.end()) {
                return;
            }
            (void)table.WaitForRefill(10ms);
            window.Controls().readingTimer.RaiseTimer();
            std::this_thread::sleep_for(1ms);
        }
        FAIL() << "never listed";
    }

    const TemporaryFolder folder;
    HeldVersionResources held{versions};
    platform::Platform heldServices{registry,  shell,          messageBox,  files, collation,
                                    held,      fileDialogs,    environment, clock, changeWatch,
                                    clipboard, startupFolders, signatures};
    platform::portable::HeadlessWindowSystem windows;
    ui::InterfaceLanguage language;
    entries::EntryTable table{heldServices, 2};
    ui::MainWindow window{heldServices, windows, language, table};
};

TEST_F(RefillOffTheWindowThread, ASlowProgramDoesNotHoldTheListAndIsShownOnceRead)
{
    Put(L"Sample", L"C:\\Minta.exe");
    Put(L"Stuck", L"C:\\held.exe /x");
    platform::Signer signer;
    signer.name = L"Held Signer";
    signatures.Set(L"C:\\held.exe", {platform::SignatureKind::Verified, 0, signer});
    const auto& c = window.Controls();
    window.Show();
    // Not ready in time: the window shows without its list, and says how far the reading got.
    EXPECT_TRUE(c.entryList.Items().empty());
    EXPECT_TRUE(c.readingLabel.Visible());
    EXPECT_TRUE(c.readingLabel.Caption().starts_with(L"Reading…")) << "progress shown";

    // The slow program is listed without its texts, and the panel says they are being read.
    TickUntilListed(L"Stuck;  (C:\\held.exe)");
    EXPECT_FALSE(c.readingLabel.Visible());
    ASSERT_EQ(c.entryList.Items().size(), 2u);
    c.entryList.SetSelectedIndex(1);
    EXPECT_EQ(c.descriptionLabel.Caption(), L"reading…");
    EXPECT_EQ(c.signatureLabel.Caption(), L"checking…");
    EXPECT_EQ(c.programPathField.Caption(), L"C:\\held.exe");

    // Another refill does not start reading the same file while the first read goes on.
    window.RefillKeepingSelection();
    ASSERT_TRUE(table.WaitForRefill(10s));
    c.readingTimer.RaiseTimer();
    EXPECT_EQ(held.HeldReads(), 1);
    EXPECT_EQ(c.entryList.Items()[1], L"Stuck;  (C:\\held.exe)");

    // Once the read ends, the line and the panel show its texts, the entry still selected.
    held.Release();
    TickUntilListed(L"Startup entry manager");
    EXPECT_EQ(c.nameField.Caption(), L"Stuck");
    EXPECT_EQ(c.descriptionLabel.Caption(), L"Startup entry manager");
    EXPECT_EQ(c.signatureLabel.Caption(), L"Signed by: Held Signer (verified)");
}

TEST_F(RefillOffTheWindowThread, RowsStandForTheSnapshotListedAcrossARefillThatReorders)
{
    for (const wchar_t* name : {L"b", L"c", L"d"}) {
        Put(name, std::wstring(L"C:\\") + name + L".exe");
    }
    const auto& c = window.Controls();
    window.Show();
    TickUntilListed(L"d;  (C:\\d.exe)");
    c.entryList.SetSelectedIndex(1); // c

    // Another program adds an entry that sorts first: until the refill is taken, row 1 is still
    // the entry it showed; afterwards the same entry is selected, one row further down.
    Put(L"a", L"C:\\a.exe");
    window.RefillKeepingSelection();
    EXPECT_EQ(window.Listed().entries.at(1).name, L"c");
    TickUntilListed(L"a;  (C:\\a.exe)");
    EXPECT_EQ(c.entryList.SelectedIndex(), 2);
    EXPECT_EQ(c.nameField.Caption(), L"c");
}

} // namespace
} // namespace tolvan::test
