// Page 4: its two faces and the summary the user reads, and Finish judged by
// what it leaves on disk, the messages shown and the restart it asks for.
#include <string>
#include <vector>

#include "fake/faults.h"
#include "platform/files.h"
#include "platform/listview.h"
#include "restore/system_files.h"
#include "wizard/resource_ids.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;
using platform::MessageKind;

const char* const RestartNowText =
    "Deleting files finished. Click \"OK\" button to reboot your computer.";
const char* const CloseText =
    "Deleting files and folders finished. Click \"OK\" button to close the program.";

bool FileAt(const std::string& path) {
    return platform::fileExists(path);
}

class FinishTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        CreatePages();
        Machine::writeFile("C:\\CONFIG.SYS", "FILES=40\r\n");
        Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.DAT", "system hive");
        Machine::writeFile("C:\\WINDOWS\\USER.DAT", "user hive");
        restore::BackupSystemFiles();
        // What an installer did since.
        Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\nload=newapp.exe\r\n");
        Machine::writeFile("C:\\NEWAPP\\NEWAPP.EXE", "program");
        Machine::writeFile("C:\\NEWAPP\\README.TXT", "read me");
        Machine::clearMessages();
    }

    void ListFile(const std::string& location, const std::string& name, bool ticked = true) {
        platform::ListView& list = page3->Fileview;
        const int item = list.addItem(name, 0);
        list.addSubItem(item, location);
        list.addSubItem(item, "1KB");
        list.addSubItem(item, "7/12/2026");
        list.setChecked(item, ticked);
    }
    void ListFolder(const std::string& caption, bool ticked = true) {
        platform::ListView& list = page3->Folderview;
        list.setChecked(list.addItem(caption, 3), ticked);
    }
    void ListNewApp(bool ticked = true) {
        ListFile("C:\\NEWAPP\\", "NEWAPP.EXE", ticked);
        ListFile("C:\\NEWAPP\\", "README.TXT", ticked);
        ListFolder("C:\\NEWAPP\\", ticked);
    }

    // Page 4 entered after a restore scan.
    void EnterAfterRestore() {
        common::app().run.restoreMode = true;
        page4->showWindow();
    }

    static std::vector<std::string> Closing() {
        std::vector<std::string> texts;
        for (const auto& message : Machine::messages())
            texts.push_back(message.text);
        return texts;
    }
    static bool ScriptWritten() { return FileAt("C:\\AUTOEXEC.BAT"); }
    bool WinIniRestored() const {
        return Machine::readFile("C:\\WINDOWS\\WIN.INI") == "[windows]\r\n";
    }
};

TEST_F(FinishTest, ControlsShowTheirTexts) {
    const std::vector<std::string> captions = {
        page4->Button4.caption(),     page4->Button6.caption(), page4->Button1.caption(),
        page4->Button2.caption(),     page4->Button3.caption(), page4->Button5.caption(),
        page4->Label1.caption(),      page4->Label2.caption(),  page4->RadioButton1.caption(),
        page4->RadioButton2.caption()};
    EXPECT_EQ(captions,
              (std::vector<std::string>{"&Details...", "&About...", "< &Back", "Finish", "Cancel",
                                        "Help", "Taking snapshot  finished", "Scanning finished",
                                        "&Yes, I want to restart my computer now.",
                                        "&No, I will restart my computer later."}));
    EXPECT_EQ(
        page4->RichEdit2.lines(),
        (std::vector<std::string>{"Trellmark has finished taking the snapshot of your current ",
                                  "windows and drive(s) states.", "",
                                  "Now your system is ready for new installations.", "",
                                  "To see drive reports please click \"Details\" button.", "",
                                  "Or to close the program click\"Finish\" button."}));
    EXPECT_EQ(page4->Image1.image(), wizard::WizardPictureId);
    // One group: the restart choice.
    EXPECT_EQ(page4->RadioButton1.parent(), page4->RadioButton2.parent());
    EXPECT_TRUE(page4->RadioButton1.checked());
    EXPECT_FALSE(page4->RadioButton2.checked());
    EXPECT_TRUE(page4->Panel2.visible());
    EXPECT_FALSE(page4->Panel3.visible());
}

TEST_F(FinishTest, SnapshotFaceAfterASnapshotOrAFirstRun) {
    EnterAfterRestore();
    ASSERT_TRUE(page4->Panel3.visible());
    page4->hideWindow();

    common::app().run = common::RunFlags();
    common::app().run.snapshotMode = true;
    page4->showWindow();
    EXPECT_TRUE(page4->Panel2.visible());
    EXPECT_FALSE(page4->Panel3.visible());
    EXPECT_TRUE(page4->Button4.visible());
    page4->hideWindow();

    // A first run keeps the face it has.
    common::app().run = common::RunFlags();
    common::app().run.firstRun = true;
    page4->showWindow();
    EXPECT_TRUE(page4->Panel2.visible());
    EXPECT_FALSE(page4->Panel3.visible());
    EXPECT_TRUE(page4->Button4.visible());
}

TEST_F(FinishTest, SummaryCountsTheTickedEntriesAtEveryVisit) {
    ListFile("C:\\NEWAPP\\", "NEWAPP.EXE");
    ListFile("C:\\NEWAPP\\", "README.TXT", false);
    ListFile("C:\\", "SETUP.LOG");
    ListFolder("C:\\NEWAPP\\");
    ListFolder("C:\\NEWAPP\\DATA\\", false);
    EnterAfterRestore();

    const std::vector<std::string> rest = {
        "",
        "Click \"Finish\" button to delete these new files and folders.",
        "",
        "Or click \"Cancel\" button to quit the program without making any changes.",
        "",
        "In order to restore the windows environment to its previous state. Trellmark will need "
        "to restart your computer."};
    std::vector<std::string> expected = {
        "There are 2 file(s) and 1 folder(s) selected for removing."};
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(page4->RichEdit3.lines(), expected);
    EXPECT_TRUE(page4->Panel3.visible());
    EXPECT_FALSE(page4->Panel2.visible());
    EXPECT_FALSE(page4->Button4.visible());
    EXPECT_TRUE(page4->RadioButton1.visible());
    EXPECT_TRUE(page4->RadioButton2.visible());

    // Back to the lists, every tick taken away, and here again.
    page4->hideWindow();
    for (int i = 0; i < page3->Fileview.count(); ++i)
        page3->Fileview.setChecked(i, false);
    for (int i = 0; i < page3->Folderview.count(); ++i)
        page3->Folderview.setChecked(i, false);
    page4->showWindow();
    expected[0] = "There are 0 file(s) and 0 folder(s) selected for removing.";
    EXPECT_EQ(page4->RichEdit3.lines(), expected);
}

TEST_F(FinishTest, FinishRemovesRestoresAndClosesWithRestartLater) {
    ListNewApp();
    EnterAfterRestore();
    page4->RadioButton2.click();
    page4->Button2.click();

    EXPECT_FALSE(platform::folderExists("C:\\NEWAPP"));
    EXPECT_TRUE(WinIniRestored());
    EXPECT_TRUE(FileAt("C:\\WINDOWS\\SYSTEM.QX1"));
    EXPECT_TRUE(ScriptWritten());
    ASSERT_EQ(Closing(), std::vector<std::string>{CloseText});
    const platform::fake::MessageRecord& box = Machine::messages()[0];
    EXPECT_EQ(box.kind, MessageKind::Plain);
    EXPECT_EQ(box.buttons, platform::MessageButtons::Ok);
    const platform::Rect page1At = page1->outerBounds();
    EXPECT_EQ(box.placement.x, page1At.left + page1At.width / 2 - 180);
    EXPECT_EQ(box.placement.y, page1At.top + page1At.height / 2 - 40);
    EXPECT_EQ(Machine::restartCalls(), 0);
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(FinishTest, TickedItemsLeftInPlaceAreCountedBeforeTheClosingBox) {
    namespace faults = platform::fake::faults;
    Machine::writeFile("C:\\NEWAPP\\HELP.TXT", "help");
    Machine::makeFolder("C:\\NEWAPP\\EMPTY");
    ListNewApp();
    ListFile("C:\\NEWAPP\\", "HELP.TXT");
    ListFolder("C:\\NEWAPP\\EMPTY\\");
    // Two files in use and an empty folder that cannot go; NEWAPP stays since
    // it still holds them, which says nothing new.
    faults::install([](int, faults::Step step, const std::string& path) {
        const bool held = path == "C:\\NEWAPP\\README.TXT" || path == "C:\\NEWAPP\\HELP.TXT" ||
                          path == "C:\\NEWAPP\\EMPTY\\";
        return held && (step == faults::Step::Delete || step == faults::Step::RemoveFolder)
                   ? faults::Action::Fail
                   : faults::Action::Proceed;
    });
    common::app().settings.useRecycleBin = false;
    EnterAfterRestore();
    page4->RadioButton2.click();
    page4->Button2.click();
    faults::reset();

    EXPECT_FALSE(FileAt("C:\\NEWAPP\\NEWAPP.EXE"));
    EXPECT_TRUE(WinIniRestored());
    EXPECT_EQ(Closing(), (std::vector<std::string>{"3 selected items could not be removed. The "
                                                   "first is C:\\NEWAPP\\README.TXT",
                                                   CloseText}));
    EXPECT_EQ(Machine::messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(FinishTest, RestartNowRestartsOnlyAfterTheMessageIsConfirmed) {
    ListNewApp();
    EnterAfterRestore();
    int restartsWhileShown = -1;
    Machine::setMessageHandler([&](const platform::fake::MessageRecord&) {
        restartsWhileShown = Machine::restartCalls();
        return platform::MessageAnswer::Ok;
    });
    page4->Button2.click();

    EXPECT_FALSE(platform::folderExists("C:\\NEWAPP"));
    EXPECT_TRUE(WinIniRestored());
    EXPECT_EQ(Closing(), std::vector<std::string>{RestartNowText});
    EXPECT_EQ(restartsWhileShown, 0);
    EXPECT_EQ(Machine::restartCalls(), 1);
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(FinishTest, NothingTickedStillRestoresTheSystemFiles) {
    ListNewApp(false);
    EnterAfterRestore();
    EXPECT_EQ(page4->RichEdit3.lines()[0],
              "There are 0 file(s) and 0 folder(s) selected for removing.");
    page4->Button2.click();

    EXPECT_EQ(Machine::readFile("C:\\NEWAPP\\NEWAPP.EXE"), "program");
    EXPECT_EQ(Machine::readFile("C:\\NEWAPP\\README.TXT"), "read me");
    EXPECT_TRUE(WinIniRestored());
    EXPECT_TRUE(ScriptWritten());
    EXPECT_EQ(Closing(), std::vector<std::string>{RestartNowText});
    EXPECT_EQ(Machine::restartCalls(), 1);
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(FinishTest, NoChangesFoundFinishOnlyCloses) {
    EnterAfterRestore();
    EXPECT_EQ(page4->RichEdit3.lines(),
              std::vector<std::string>{
                  "There is no changes. Please click \"Finish\" button to close the program."});
    EXPECT_FALSE(page4->RadioButton1.visible());
    EXPECT_FALSE(page4->RadioButton2.visible());
    page4->Button2.click();

    EXPECT_FALSE(WinIniRestored());
    EXPECT_FALSE(ScriptWritten());
    EXPECT_TRUE(Closing().empty());
    EXPECT_EQ(Machine::restartCalls(), 0);
    EXPECT_EQ(Machine::quitCode(), 0);

    // Entries found by a later scan bring the choice back.
    page4->hideWindow();
    ListNewApp();
    page4->showWindow();
    EXPECT_TRUE(page4->RadioButton1.visible());
    EXPECT_TRUE(page4->RadioButton2.visible());
}

TEST_F(FinishTest, FinishAfterASnapshotAndCancelChangeNothing) {
    struct Case {
        const char* what;
        bool restore;
        platform::Button TForm4::*button;
    };
    const Case cases[] = {{"Finish after a snapshot", false, &TForm4::Button2},
                          {"Cancel after a restore scan", true, &TForm4::Button3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        ListNewApp();
        common::app().run.snapshotMode = !c.restore;
        common::app().run.restoreMode = c.restore;
        page4->showWindow();
        ((*page4).*c.button).click();

        EXPECT_EQ(Machine::quitCode(), 0);
        EXPECT_EQ(Machine::readFile("C:\\NEWAPP\\NEWAPP.EXE"), "program");
        EXPECT_FALSE(WinIniRestored());
        EXPECT_FALSE(ScriptWritten());
        EXPECT_TRUE(Closing().empty());
        EXPECT_EQ(Machine::restartCalls(), 0);
    }
}

TEST_F(FinishTest, FailedRestoreLeavesThePageUsable) {
    ListNewApp();
    EnterAfterRestore();
    platform::setFileAttributes("C:\\WINDOWS\\WIN.INI", platform::attr::ReadOnly);
    page4->Button2.click();

    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_TRUE(Machine::messages()[0].errorBox);
    EXPECT_EQ(Machine::messages()[0].text, "File access denied");
    EXPECT_FALSE(Machine::quitCode().has_value());
    EXPECT_EQ(Machine::restartCalls(), 0);
    EXPECT_FALSE(ScriptWritten());
    // Deletions made before the failure stay made.
    EXPECT_FALSE(platform::folderExists("C:\\NEWAPP"));
    EXPECT_TRUE(page4->active());
    for (const platform::Button* button :
         {&page4->Button1, &page4->Button2, &page4->Button3, &page4->Button5, &page4->Button6}) {
        EXPECT_TRUE(button->enabled());
        EXPECT_TRUE(button->visible());
    }

    // Once the file can be written, Finish goes through.
    platform::setFileAttributes("C:\\WINDOWS\\WIN.INI", platform::attr::Archive);
    Machine::clearMessages();
    page4->RadioButton2.click();
    page4->Button2.click();
    EXPECT_TRUE(WinIniRestored());
    EXPECT_TRUE(ScriptWritten());
    EXPECT_EQ(Closing(), std::vector<std::string>{CloseText});
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(FinishTest, SideButtonsLeadToTheirWindows) {
    ListNewApp();
    EnterAfterRestore();
    page4->Button5.click();
    ASSERT_EQ(Machine::helpCalls().size(), 1u);
    EXPECT_EQ(Machine::helpCalls()[0].file, "C:\\Program Files\\Trellmark\\trelmrk.hlp");

    std::string about;
    Machine::onModal([&](platform::Window& window) { about = window.caption(); });
    page4->Button6.click();
    EXPECT_FALSE(about.empty());

    page4->Button1.click();
    EXPECT_TRUE(page3->active());
    EXPECT_FALSE(page4->visible());
    EXPECT_EQ(Machine::readFile("C:\\NEWAPP\\NEWAPP.EXE"), "program");

    common::app().run = common::RunFlags();
    common::app().run.snapshotMode = true;
    page4->showWindow();
    page4->Button4.click();
    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].kind, MessageKind::Information);
    EXPECT_FALSE(Machine::quitCode().has_value());
}

}  // namespace
