// Start-up: folder paths, the Windows folder, the data folder, the first-run
// decision with its panel, and the help file.
#include <string>
#include <utility>
#include <vector>

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

// "<bytes> <sum>" of a new copy, as the earlier system-file replace recorded
// it beside its destination.
std::string EarlierStamp(const std::string& bytes) {
    uint32_t sum = 0;
    for (unsigned char byte : bytes)
        sum = sum * 31 + byte;
    return std::to_string(bytes.size()) + " " + std::to_string(sum) + "\r\n";
}

// Replacements that a power cut stopped part-way, as this version and the
// earlier ones left them: each is finished or undone before page 1 shows.
// Files by path; "" for one that must be gone.
struct Interrupted {
    const char* name;
    std::vector<std::pair<std::string, std::string>> left, settled;
};

const std::string Data = "C:\\Program Files\\Trellmark\\SNPDAT";

const Interrupted InterruptedRows[] = {
    // Between the two moves: SYSTEM.INI only under its old-copy name; and a
    // snapshot save of the earlier version that had begun to set aside.
    {"old copy without its destination; earlier snapshot save once set aside",
     {{"C:\\WINDOWS\\SYSTE~TM.INI", "[boot]\r\n"},
      {Data + "\\SNPOLD.D01", "OLD.TXT\r\n"},
      {Data + "\\SNPTMP.D01", "NEW.TXT\r\n"}},
     {{"C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n"},
      {"C:\\WINDOWS\\SYSTE~TM.INI", ""},
      {Data + "\\SNPDAT.D01", "NEW.TXT\r\n"},
      {Data + "\\SNPOLD.D01", ""},
      {Data + "\\SNPTMP.D01", ""}}},
    {"earlier snapshot save still writing its new set",
     {{Data + "\\SNPDAT.D01", "OLD.TXT\r\n"},
      {Data + "\\SNPTMP.D01", "NEW.TXT\r\n"},
      {Data + "\\SNPTMP.D02", "NE"}},
     {{Data + "\\SNPDAT.D01", "OLD.TXT\r\n"},
      {Data + "\\SNPTMP.D01", ""},
      {Data + "\\SNPTMP.D02", ""}}},
    // CONFIG.SYS replaced, WIN.INI between its moves, SYSTEM.INI not begun,
    // SYSTEM.QX1 new where there was none: a new copy is left, so the set goes back.
    {"earlier restore cut part-way",
     {{"C:\\CONFIG.SYS", "new"},
      {"C:\\CONFI~TM.SYS", "old"},
      {"C:\\WINDOWS\\WIN~TM.INI", "old"},
      {"C:\\WINDOWS\\WIN$TM.INI", "new"},
      {"C:\\WINDOWS\\SYSTEM.INI", "old"},
      {"C:\\WINDOWS\\SYSTE$TM.INI", "new"},
      {"C:\\WINDOWS\\SYSTEM.QX1", "new"},
      {"C:\\WINDOWS\\SYSTE!TM.QX1", ""}},
     {{"C:\\CONFIG.SYS", "old"},
      {"C:\\CONFI~TM.SYS", ""},
      {"C:\\WINDOWS\\WIN.INI", "old"},
      {"C:\\WINDOWS\\WIN~TM.INI", ""},
      {"C:\\WINDOWS\\WIN$TM.INI", ""},
      {"C:\\WINDOWS\\SYSTEM.INI", "old"},
      {"C:\\WINDOWS\\SYSTE$TM.INI", ""},
      {"C:\\WINDOWS\\SYSTEM.QX1", ""},
      {"C:\\WINDOWS\\SYSTE!TM.QX1", ""}}},
    // Every new copy in, the old ones not yet deleted: each goes beside the
    // whole new copy its record names, not beside one damaged since.
    {"earlier restore past its last move",
     {{"C:\\CONFIG.SYS", "new"},
      {"C:\\CONFI~TM.SYS", "old"},
      {"C:\\CONFI^TM.SYS", EarlierStamp("new")},
      {"C:\\WINDOWS\\WIN.INI", "[win"},
      {"C:\\WINDOWS\\WIN~TM.INI", "old"},
      {"C:\\WINDOWS\\WIN^TM.INI", EarlierStamp("new")},
      {"C:\\WINDOWS\\SYSTEM.QX1", "new"},
      {"C:\\WINDOWS\\SYSTE!TM.QX1", ""}},
     {{"C:\\CONFIG.SYS", "new"},
      {"C:\\CONFI~TM.SYS", ""},
      {"C:\\CONFI^TM.SYS", ""},
      {"C:\\WINDOWS\\WIN.INI", "[win"},
      {"C:\\WINDOWS\\WIN~TM.INI", "old"},
      {"C:\\WINDOWS\\SYSTEM.QX1", "new"},
      {"C:\\WINDOWS\\SYSTE!TM.QX1", ""}}},
};

TEST_F(StartupTest, InterruptedReplacementsAreSettledAtEveryStart) {
    for (const Interrupted& row : InterruptedRows) {
        SCOPED_TRACE(row.name);
        TearDown();
        SetUp();
        WriteConfig("[Settings]\r\n");
        for (const auto& [path, bytes] : row.left)
            Machine::writeFile(path, bytes);
        CreatePages();
        for (const auto& [path, bytes] : row.settled) {
            SCOPED_TRACE(path);
            if (bytes.empty()) {
                EXPECT_FALSE(platform::fileExists(path));
            } else {
                EXPECT_EQ(Machine::readFile(path), bytes);
            }
        }
    }
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
