// Removal of the ticked review entries, judged by what is left on the drive:
// only the ticked files at their exact paths go, folders only when empty.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/listview.h"
#include "platform/shell.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;

constexpr unsigned RecycleFlags = 0x54;

bool FileAt(const std::string& path) {
    return platform::fileExists(path);
}
bool FolderAt(const std::string& path) {
    return platform::folderExists(path);
}

class RemovalTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        CreatePages();
        Machine::writeFile("C:\\KEEP.TXT", "not new");
        Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
    }

    // An entry as the change scanner appends it, ticked unless told.
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
    static void UseRecycleBin(bool on) { common::app().settings.useRecycleBin = on; }

    // C:\NEWAPP with two levels below it, listed in walk order.
    void ListNewTree() {
        Machine::writeFile("C:\\NEWAPP\\README.TXT", "read me");
        Machine::writeFile("C:\\NEWAPP\\SUB\\LIB.DLL", "library");
        Machine::writeFile("C:\\NEWAPP\\SUB\\DEEP\\DATA.BIN", "data");
        ListFile("C:\\NEWAPP\\", "README.TXT");
        ListFile("C:\\NEWAPP\\SUB\\", "LIB.DLL");
        ListFile("C:\\NEWAPP\\SUB\\DEEP\\", "DATA.BIN");
        ListFolder("C:\\NEWAPP\\");
        ListFolder("C:\\NEWAPP\\SUB\\");
        ListFolder("C:\\NEWAPP\\SUB\\DEEP\\");
    }

    void ExpectUntouched() {
        EXPECT_EQ(Machine::readFile("C:\\KEEP.TXT"), "not new");
        EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\WIN.INI"), "[windows]\r\n");
        EXPECT_TRUE(Machine::messages().empty());
    }
};

TEST_F(RemovalTest, FullyTickedNewTreeDisappears) {
    ListNewTree();
    UseRecycleBin(false);
    page4->Deletion();

    EXPECT_FALSE(FolderAt("C:\\NEWAPP"));
    EXPECT_TRUE(Machine::shellDeletes().empty());
    EXPECT_TRUE(Machine::recycledNames().empty());
    ExpectUntouched();
}

TEST_F(RemovalTest, RecycledFilesGoToTheBinOneByOneAndFoldersAreRemoved) {
    ListNewTree();
    UseRecycleBin(true);
    page4->Deletion();

    EXPECT_FALSE(FolderAt("C:\\NEWAPP"));
    EXPECT_EQ(Machine::recycledNames(),
              (std::vector<std::string>{"DATA.BIN", "LIB.DLL", "README.TXT"}));
    const std::vector<std::string> expected = {"C:\\NEWAPP\\README.TXT", "C:\\NEWAPP\\SUB\\LIB.DLL",
                                               "C:\\NEWAPP\\SUB\\DEEP\\DATA.BIN"};
    ASSERT_EQ(Machine::shellDeletes().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const platform::fake::ShellDeleteRecord& call = Machine::shellDeletes()[i];
        EXPECT_EQ(call.items, std::vector<std::string>{expected[i]});
        EXPECT_EQ(call.list, expected[i] + std::string(2, '\0'));
        EXPECT_EQ(call.flags, RecycleFlags);
    }
    ExpectUntouched();
}

TEST_F(RemovalTest, ProtectedFileIsErasedOrRecycledWithItsAttributes) {
    const uint32_t guarded =
        platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System;
    Machine::writeFile("C:\\NEWAPP\\GUARD.SYS", "guarded");
    platform::setFileAttributes("C:\\NEWAPP\\GUARD.SYS", guarded);
    ListFile("C:\\NEWAPP\\", "GUARD.SYS");

    UseRecycleBin(true);
    page4->Deletion();
    ASSERT_EQ(Machine::shellDeletes().size(), 1u);
    EXPECT_EQ(Machine::shellDeletes()[0].items, std::vector<std::string>{"C:\\NEWAPP\\GUARD.SYS"});
    // The shell takes it as it is: nothing cleared its attributes first.
    EXPECT_FALSE(FileAt("C:\\NEWAPP\\GUARD.SYS"));
    EXPECT_EQ(Machine::recycledNames(), std::vector<std::string>{"GUARD.SYS"});

    Machine::writeFile("C:\\NEWAPP\\GUARD.SYS", "guarded");
    platform::setFileAttributes("C:\\NEWAPP\\GUARD.SYS", guarded);
    UseRecycleBin(false);
    page4->Deletion();
    EXPECT_FALSE(FileAt("C:\\NEWAPP\\GUARD.SYS"));
    EXPECT_TRUE(FolderAt("C:\\NEWAPP"));
}

TEST_F(RemovalTest, VanishedFileIsSkippedSilently) {
    for (bool recycle : {false, true}) {
        SCOPED_TRACE(recycle ? "Recycle Bin" : "erase");
        page3->Fileview.clear();
        page3->Folderview.clear();
        Machine::writeFile("C:\\NEWAPP\\B.TXT", "b");
        ListFile("C:\\NEWAPP\\", "GONE.TXT");
        ListFile("C:\\NEWAPP\\", "B.TXT");
        ListFolder("C:\\NEWAPP\\");
        UseRecycleBin(recycle);
        page4->Deletion();
        EXPECT_FALSE(FolderAt("C:\\NEWAPP"));
        for (const auto& call : Machine::shellDeletes()) {
            EXPECT_EQ(call.items, std::vector<std::string>{"C:\\NEWAPP\\B.TXT"});
        }
        ExpectUntouched();
    }
}

TEST_F(RemovalTest, FolderStaysWhileItHoldsAnythingNotRemoved) {
    struct Case {
        const char* what;
        bool recycle;
    };
    for (const Case& c : {Case{"erase", false}, Case{"Recycle Bin", true}}) {
        SCOPED_TRACE(c.what);
        page3->Fileview.clear();
        page3->Folderview.clear();
        // An unticked file, an unlisted file (a cache the scanner skipped)
        // and an unticked empty folder, each in a ticked folder.
        Machine::writeFile("C:\\APP1\\KEEP.INI", "kept");
        Machine::writeFile("C:\\APP1\\OLD.TXT", "old");
        Machine::makeFolder("C:\\APP1\\EMPTY");
        Machine::writeFile("C:\\APP2\\CACHE\\INDEX.DAT", "unlisted");
        Machine::makeFolder("C:\\APP3\\SPARED");
        ListFile("C:\\APP1\\", "KEEP.INI", false);
        ListFile("C:\\APP1\\", "OLD.TXT");
        ListFolder("C:\\APP1\\");
        ListFolder("C:\\APP1\\EMPTY\\");
        ListFolder("C:\\APP2\\");
        ListFolder("C:\\APP2\\CACHE\\");
        ListFolder("C:\\APP3\\");
        ListFolder("C:\\APP3\\SPARED\\", false);
        UseRecycleBin(c.recycle);
        page4->Deletion();

        EXPECT_EQ(Machine::readFile("C:\\APP1\\KEEP.INI"), "kept");
        EXPECT_FALSE(FileAt("C:\\APP1\\OLD.TXT"));
        EXPECT_FALSE(FolderAt("C:\\APP1\\EMPTY"));
        EXPECT_EQ(Machine::readFile("C:\\APP2\\CACHE\\INDEX.DAT"), "unlisted");
        EXPECT_TRUE(FolderAt("C:\\APP3\\SPARED"));
        ExpectUntouched();
    }
}

TEST_F(RemovalTest, EditedFolderCaptionRemovesOnlyTheFolderItNamesIfEmpty) {
    Machine::makeFolder("C:\\NEWAPP");
    Machine::makeFolder("C:\\OTHER");
    Machine::makeFolder("C:\\EMPTY");
    ListFolder("C:\\NEWAPP\\");
    ListFolder("C:\\NEWAPP\\");
    // Each would reach the empty C:\EMPTY, which is not what it names.
    ListFolder("C:\\EMPTY.\\");
    ListFolder("C:\\EMPTY \\");
    page3->Folderview.setCaption(0, "C:\\OTHER\\");
    page3->Folderview.setCaption(1, "C:\\WINDOWS\\");
    page4->Deletion();

    EXPECT_FALSE(FolderAt("C:\\OTHER"));
    EXPECT_TRUE(FolderAt("C:\\NEWAPP"));
    EXPECT_TRUE(FolderAt("C:\\EMPTY"));
    ExpectUntouched();
}

TEST_F(RemovalTest, EntryThatDoesNotNameOneFileExactlyRemovesNothing) {
    Machine::makeFolder("C:\\NEWAPP\\SUB");
    ASSERT_TRUE(platform::setCurrentDirectory("C:\\"));
    struct Case {
        const char* location;
        const char* name;
    };
    const std::vector<Case> cases = {
        {"NEWAPP\\", "X.TXT"},               // relative to the current folder
        {"\\NEWAPP\\", "X.TXT"},             // relative to the current drive
        {"", "C:\\NEWAPP\\X.TXT"},           // no location
        {"C:\\NEWAPP\\", "*.TXT"},           // a pattern
        {"C:\\NEWAPP\\", "X.T?T"},           // a pattern
        {"C:\\NEWAPP\\SUB\\..\\", "X.TXT"},  // a step back
        {"C:\\NEWAPP\\SUB\\", ".."},         // a step back as the name
        {"C:\\", "NEWAPP"},                  // a folder
        {"C:\\NEWAPP\\", "SUB"},             // a folder
        {"C:\\NEWAPP\\", ""},                // no name
        // The system drops trailing dots and blanks: each of these would
        // reach X.TXT or SUB\Y.TXT.
        {"C:\\NEWAPP\\", "X.TXT."},
        {"C:\\NEWAPP\\", "X.TXT "},
        {"C:\\NEWAPP\\", "X.TXT. ."},
        {"C:\\NEWAPP\\SUB.\\", "Y.TXT"},
        {"C:\\NEWAPP\\SUB \\", "Y.TXT"},
    };
    for (bool recycle : {false, true}) {
        UseRecycleBin(recycle);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.location) + " + " + c.name);
            Machine::writeFile("C:\\NEWAPP\\X.TXT", "x");
            Machine::writeFile("C:\\NEWAPP\\SUB\\Y.TXT", "y");
            page3->Fileview.clear();
            ListFile(c.location, c.name);
            const size_t calls = Machine::shellDeletes().size();
            page4->Deletion();
            EXPECT_TRUE(FileAt("C:\\NEWAPP\\X.TXT"));
            EXPECT_TRUE(FileAt("C:\\NEWAPP\\SUB\\Y.TXT"));
            EXPECT_EQ(Machine::shellDeletes().size(), calls);
        }
    }
    ExpectUntouched();
}

TEST_F(RemovalTest, EraseFileDeletesOnlyAnExistingFile) {
    Machine::writeFile("C:\\NEWAPP\\RO.TXT", "read-only");
    platform::setFileAttributes("C:\\NEWAPP\\RO.TXT", platform::attr::ReadOnly);
    EXPECT_TRUE(restore::EraseFile("C:\\NEWAPP\\RO.TXT"));
    EXPECT_FALSE(FileAt("C:\\NEWAPP\\RO.TXT"));
    EXPECT_FALSE(restore::EraseFile("C:\\NEWAPP\\RO.TXT"));
    EXPECT_FALSE(restore::EraseFile("C:\\NEWAPP"));
    EXPECT_FALSE(restore::EraseFile(""));
    EXPECT_TRUE(FolderAt("C:\\NEWAPP"));
}

TEST_F(RemovalTest, RecycleFileNeverHandsTheShellAFolder) {
    Machine::writeFile("C:\\NEWAPP\\SUB\\Y.TXT", "y");
    EXPECT_FALSE(restore::RecycleFile("C:\\NEWAPP\\SUB"));
    EXPECT_FALSE(restore::RecycleFile("C:\\NEWAPP\\SUB\\"));
    EXPECT_FALSE(restore::RecycleFile(""));
    EXPECT_FALSE(restore::RecycleFile("C:\\NEWAPP\\MISSING.TXT"));
    EXPECT_TRUE(Machine::shellDeletes().empty());
    EXPECT_EQ(Machine::readFile("C:\\NEWAPP\\SUB\\Y.TXT"), "y");

    // A relative path reaches the shell fully expanded.
    ASSERT_TRUE(platform::setCurrentDirectory("C:\\NEWAPP"));
    EXPECT_TRUE(restore::RecycleFile("SUB\\Y.TXT"));
    ASSERT_EQ(Machine::shellDeletes().size(), 1u);
    EXPECT_EQ(Machine::shellDeletes()[0].items, std::vector<std::string>{"C:\\NEWAPP\\SUB\\Y.TXT"});
    EXPECT_EQ(Machine::recycledNames(), std::vector<std::string>{"Y.TXT"});
}

TEST_F(RemovalTest, LongPathsNeverOverrunTheShellBuffer) {
    // Folders of 50 characters; the file name pads the path to the length.
    auto pathOfLength = [](size_t length) {
        std::string path = "C:";
        while (path.size() + 51 + 12 <= length)
            path += "\\" + std::string(50, 'F');
        path += "\\";
        return path + std::string(length - path.size() - 4, 'N') + ".TXT";
    };
    for (size_t length : {254u, 255u, 259u}) {
        SCOPED_TRACE(length);
        const std::string path = pathOfLength(length);
        ASSERT_EQ(path.size(), length);
        Machine::writeFile(path, "long");
        EXPECT_TRUE(restore::RecycleFile(path));
        EXPECT_FALSE(FileAt(path));
        const std::string& list = Machine::shellDeletes().back().list;
        EXPECT_EQ(list, path + std::string(2, '\0'));
    }
    // Longer than any Windows path: left where it is.
    const std::string tooLong = pathOfLength(260);
    Machine::writeFile(tooLong, "long");
    const size_t calls = Machine::shellDeletes().size();
    EXPECT_FALSE(restore::RecycleFile(tooLong));
    EXPECT_EQ(Machine::readFile(tooLong), "long");
    EXPECT_EQ(Machine::shellDeletes().size(), calls);
}

}  // namespace
