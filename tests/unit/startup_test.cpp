// Start-up: folder paths, the Windows folder, the data folder, the first-run
// decision with its panel, and the help file.
#include "platform/files.h"
#include "wizard/settings.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;

class StartupTest : public WizardTest {};

TEST_F(StartupTest, FirstStartFixesPathsAndShowsTheWelcome) {
    CreatePages();
    const common::Paths& paths = common::app().paths;
    EXPECT_EQ(paths.programDir, "C:\\Program Files\\Trellmark");
    EXPECT_EQ(paths.dataDir, "C:\\Program Files\\Trellmark\\SNPDAT");
    EXPECT_EQ(paths.configFile(), ConfigFile);
    EXPECT_EQ(paths.winDir, "C:\\WINDOWS");
    EXPECT_EQ(paths.bootRoot, "C:\\");
    EXPECT_TRUE(platform::folderExists(paths.dataDir));
    EXPECT_TRUE(common::app().run.firstRun);
    EXPECT_TRUE(page1->Panel2.visible());
    EXPECT_FALSE(page1->Panel3.visible());
    EXPECT_FALSE(platform::fileExists(ConfigFile));
    EXPECT_TRUE(Machine::messages().empty());
}

TEST_F(StartupTest, ExistingConfigFileOffersTheChoice) {
    WriteConfig("[Settings]\r\nRecycle=1\r\n");
    Machine::makeFolder("C:\\Program Files\\Trellmark\\SNPDAT");
    CreatePages();
    EXPECT_FALSE(common::app().run.firstRun);
    EXPECT_TRUE(page1->Panel3.visible());
    EXPECT_FALSE(page1->Panel2.visible());
    EXPECT_FALSE(page1->RadioButton1.checked());
    EXPECT_FALSE(page1->RadioButton2.checked());
    // An existing data folder becomes the current directory.
    EXPECT_EQ(platform::currentDirectory(), "C:\\Program Files\\Trellmark\\SNPDAT");
}

// A power cut between the two moves of a replacement left SYSTEM.INI only
// under its old-copy name, and a snapshot replace half done: both are put
// right before page 1 shows.
TEST_F(StartupTest, InterruptedReplacementsAreSettledAtEveryStart) {
    const std::string data = "C:\\Program Files\\Trellmark\\SNPDAT";
    WriteConfig("[Settings]\r\n");
    Machine::writeFile("C:\\WINDOWS\\SYSTE~TM.INI", "[boot]\r\n");
    Machine::writeFile(data + "\\SNPOLD.D01", "OLD.TXT\r\n");
    Machine::writeFile(data + "\\SNPTMP.D01", "NEW.TXT\r\n");
    CreatePages();
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\SYSTEM.INI"), "[boot]\r\n");
    EXPECT_FALSE(platform::fileExists("C:\\WINDOWS\\SYSTE~TM.INI"));
    EXPECT_EQ(Machine::readFile(data + "\\SNPDAT.D01"), "NEW.TXT\r\n");
    EXPECT_FALSE(platform::fileExists(data + "\\SNPOLD.D01"));
    EXPECT_FALSE(platform::fileExists(data + "\\SNPTMP.D01"));
}

TEST_F(StartupTest, ProgramInADriveRootKeepsItsFilesThere) {
    Machine::setModuleFileName("C:\\trelmrk.exe");
    CreatePages();
    const common::Paths& paths = common::app().paths;
    EXPECT_EQ(paths.programDir, "C:");
    EXPECT_EQ(paths.dataDir, "C:\\SNPDAT");
    EXPECT_EQ(paths.configFile(), "C:\\TRELMRK.INI");
    EXPECT_TRUE(platform::folderExists("C:\\SNPDAT"));
}

TEST_F(StartupTest, UnknownWindowsFolderIsReportedBesidePage1AndStartGoesOn) {
    Machine::failWindowsDirectory();
    page1 = std::make_unique<TForm1>();
    wizard::pages().form1 = page1.get();
    page1->moveTo(40, 30);
    page1->FormCreate();

    ASSERT_EQ(Machine::messages().size(), 1u);
    const platform::fake::MessageRecord& shown = Machine::messages()[0];
    EXPECT_EQ(shown.text, "Cannot determine windows directory");
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.kind, platform::MessageKind::Error);
    EXPECT_EQ(shown.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(shown.placement.x, page1->outerBounds().left + 100);
    EXPECT_EQ(shown.placement.y, page1->outerBounds().top + 130);
    EXPECT_EQ(common::app().paths.winDir, "");
    EXPECT_EQ(common::app().paths.bootRoot, "");
    // The rest of the start-up still ran.
    EXPECT_EQ(page1->Label4.caption(), "Snapshot date : No Backup");
    EXPECT_TRUE(common::app().run.firstRun);
}

TEST_F(StartupTest, HelpButtonsOfPages1And2OpenTheHelpFileOnPage1) {
    CreatePages();
    page1->Button5.click();
    page2->Button4.click();
    ASSERT_EQ(Machine::helpCalls().size(), 2u);
    for (const platform::fake::HelpRecord& call : Machine::helpCalls()) {
        EXPECT_EQ(call.owner, page1.get());
        EXPECT_EQ(call.file, "C:\\Program Files\\Trellmark\\trelmrk.hlp");
        EXPECT_EQ(call.command, 3u);
        EXPECT_EQ(call.data, 0ul);
    }
}

TEST_F(StartupTest, HelpPathNeverExceedsItsBuffer) {
    const std::string deep = "C:\\" + std::string(250, 'A');
    Machine::makeFolder(deep);
    Machine::setModuleFileName(deep + "\\trelmrk.exe");
    CreatePages();
    wizard::CallHelp();
    ASSERT_EQ(Machine::helpCalls().size(), 1u);
    EXPECT_EQ(Machine::helpCalls()[0].file, (deep + "\\trelmrk.hlp").substr(0, 255));
}

}  // namespace
