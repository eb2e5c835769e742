// The review window: the entries appended to its two lists with their size
// and date texts, and its buttons moving between the FilePage and the
// FolderPage.
#include "wizard/review_window.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/date_stamp.h"
#include "fake/machine.h"
#include "platform/listview.h"
#include "platform/shell.h"
#include "support/machine_test.h"
#include "wizard/finish_window.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"

namespace {

platform::DirEntry fileEntry(const std::string& name, uint64_t size, int64_t written) {
    platform::DirEntry entry;
    entry.name = name;
    entry.size = size;
    entry.written = written;
    entry.attributes = platform::attr::Archive;
    return entry;
}

int32_t stampOf(int year, int month, int day, int hour, int minute, int second) {
    platform::DateTime moment;
    moment.year = year;
    moment.month = month;
    moment.day = day;
    moment.hour = hour;
    moment.minute = minute;
    moment.second = second;
    return common::FileDateStamp(moment);
}

// A last write at a local date and time, in the stand-in's units (time_t).
int64_t writtenAt(int year, int month, int day, int hour, int minute, int second) {
    struct tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return mktime(&local);
}

class ReviewWindowTest : public testing_support::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        common::AppState& state = common::app();
        state = common::AppState{};
        state.paths.programDir = "C:\\TRELMRK";
        state.paths.dataDir = "C:\\TRELMRK\\SNPDAT";
        state.paths.winDir = "C:\\WINDOWS";
        state.paths.bootRoot = "C:\\";
        state.run.restoreMode = true;

        page1_ = std::make_unique<TForm1>();
        page2_ = std::make_unique<TForm2>();
        page3_ = std::make_unique<TForm3>();
        page4_ = std::make_unique<TForm4>();
        wizard::pages() = {page1_.get(), page2_.get(), page3_.get(), page4_.get()};
    }

    void TearDown() override {
        wizard::pages() = {};
        page4_.reset();
        page3_.reset();
        page2_.reset();
        page1_.reset();
        MachineTest::TearDown();
    }

    // Page 3 as a finished scan leaves it: shown, coming from page 2.
    void enterFromPage2() {
        page2_->showWindow();
        wizard::Navigate(2, 'N');
        ASSERT_EQ(Machine::activeWindow(), page3_.get());
    }

    std::unique_ptr<TForm1> page1_;
    std::unique_ptr<TForm2> page2_;
    std::unique_ptr<TForm3> page3_;
    std::unique_ptr<TForm4> page4_;
};

TEST(SizeText, WholeKilobytesWithAtLeastOne) {
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "1KB"},
        {1023, "1KB"},
        {1024, "1KB"},
        {2047, "1KB"},
        {2048, "2KB"},
        {1048576, "1024KB"},
        {5000000, "4882KB"},
        {2147483648ull, "2097152KB"},  // 2 GB: the true size, not a wrapped count
        {5368709120ull, "5242880KB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(restore::SizeText(c.bytes), c.text) << c.bytes;
}

TEST_F(ReviewWindowTest, DateTextShowsTheTimeUnlessMidnight) {
    EXPECT_EQ(restore::DateText(stampOf(2026, 7, 12, 13, 5, 8)), "7/12/2026 1:05:08 PM");
    EXPECT_EQ(restore::DateText(stampOf(1999, 12, 31, 0, 0, 0)), "12/31/1999");
    EXPECT_EQ(restore::DateText(stampOf(1999, 12, 31, 0, 0, 2)), "12/31/1999 12:00:02 AM");
    // Stamps that hold no date give no text.
    EXPECT_EQ(restore::DateText(0), "");
    EXPECT_EQ(restore::DateText(-1), "");
}

TEST_F(ReviewWindowTest, EntriesCarryTheirTextsAndIconsAndAreTickedTogether) {
    Machine::writeFile("C:\\NEWAPP\\Setup.exe", "MZ");
    Machine::writeFile("C:\\ReadMe.txt", "hello");

    page3_->addFile("C:", fileEntry("ReadMe.txt", 0, writtenAt(2026, 1, 2, 0, 0, 0)));
    page3_->addFolder("C:\\NEWAPP");
    page3_->addFile("C:\\NEWAPP", fileEntry("Setup.exe", 5000000, writtenAt(2026, 1, 2, 9, 30, 0)));

    const platform::ListView& files = page3_->Fileview;
    ASSERT_EQ(files.count(), 2);
    EXPECT_EQ(files.caption(0), "ReadMe.txt");
    EXPECT_EQ(files.subItem(0, 1), "C:\\");
    EXPECT_EQ(files.subItem(0, 2), "1KB");
    EXPECT_EQ(files.subItem(0, 3), "1/2/2026");
    EXPECT_EQ(files.caption(1), "Setup.exe");
    EXPECT_EQ(files.subItem(1, 1), "C:\\NEWAPP\\");
    EXPECT_EQ(files.subItem(1, 2), "4882KB");
    EXPECT_EQ(files.subItem(1, 3), "1/2/2026 9:30:00 AM");
    // Each file shows the icon the shell gives the file itself; each folder
    // the icon of the Windows folder.
    EXPECT_EQ(files.imageIndex(0), platform::systemIconIndex("C:\\ReadMe.txt"));
    EXPECT_EQ(files.imageIndex(1), 2);
    const platform::ListView& folders = page3_->Folderview;
    ASSERT_EQ(folders.count(), 1);
    EXPECT_EQ(folders.caption(0), "C:\\NEWAPP\\");
    EXPECT_EQ(folders.imageIndex(0), 3);

    EXPECT_FALSE(files.checked(0) || files.checked(1) || folders.checked(0));
    page3_->tickAll();
    EXPECT_TRUE(files.checked(0) && files.checked(1) && folders.checked(0));

    // Only folder captions can be edited, and the edit is what is read back.
    EXPECT_FALSE(files.options().editCaptions);
    ASSERT_TRUE(folders.options().editCaptions);
    page3_->Folderview.setCaption(0, "C:\\NEWAPP\\CACHE\\");
    EXPECT_EQ(folders.caption(0), "C:\\NEWAPP\\CACHE\\");
}

TEST_F(ReviewWindowTest, NextAndBackMoveBetweenThePagesThenTheWizard) {
    // No new files, one new folder: the empty file list still shows first.
    page3_->addFolder("C:\\NEW");
    enterFromPage2();
    EXPECT_FALSE(page3_->Panel3.visible());
    EXPECT_TRUE(page3_->Fileview.visible());

    page3_->Button2.click();  // FilePage -> FolderPage
    EXPECT_TRUE(page3_->Panel3.visible());
    EXPECT_EQ(Machine::activeWindow(), page3_.get());

    page3_->Button1.click();  // FolderPage -> FilePage
    EXPECT_FALSE(page3_->Panel3.visible());
    EXPECT_EQ(Machine::activeWindow(), page3_.get());

    page3_->Button1.click();  // FilePage -> page 2
    EXPECT_EQ(Machine::activeWindow(), page2_.get());

    wizard::Navigate(2, 'N');
    page3_->Button2.click();
    page3_->Button2.click();  // FolderPage -> page 4
    EXPECT_EQ(Machine::activeWindow(), page4_.get());

    // Coming back shows the page that was left.
    wizard::Navigate(4, 'B');
    EXPECT_EQ(Machine::activeWindow(), page3_.get());
    EXPECT_TRUE(page3_->Panel3.visible());
}

TEST_F(ReviewWindowTest, CancelEndsTheProgramAndHelpOpensTheHelpFile) {
    page3_->addFile("C:", fileEntry("A.TXT", 1, 0));
    enterFromPage2();
    page3_->Button4.click();
    ASSERT_EQ(Machine::helpCalls().size(), 1u);
    EXPECT_EQ(Machine::helpCalls()[0].file, "C:\\TRELMRK\\trelmrk.hlp");
    EXPECT_FALSE(Machine::quitCode().has_value());

    page3_->Button3.click();
    EXPECT_EQ(Machine::quitCode(), 0);
    EXPECT_EQ(page3_->Fileview.count(), 1);  // nothing removed, nothing asked
    EXPECT_TRUE(Machine::messages().empty());
    EXPECT_TRUE(Machine::shellDeletes().empty());
}

}  // namespace
