// The change scanner against snapshots written byte for byte: which files and
// folders it lists, in which order, and what it leaves alone.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "change_scanner_fixture.h"
#include "fake/machine.h"
#include "snapshot/snapshot_scanner.h"
#include "support/walk_order.h"

namespace {

using namespace changetest;
using testing_support::firstListed;
using testing_support::inNameWalkOrder;
namespace fs = std::filesystem;

TEST_F(ChangeScannerTest, WorkedExampleJudgesEachFolderByItsOwnRange) {
    writeSnapshot('C',
                  Lines{"AUTOEXEC.BAT", "CONFIG.SYS", "C:\\WINDOWS", "WIN.INI", "SYSTEM.INI",
                        "C:\\WINDOWS\\SYSTEM", "USER.EXE", "C:\\TEMP"},
                  Lines{"C:", "0", "C:\\WINDOWS", "3", "C:\\WINDOWS\\SYSTEM", "6", "C:\\TEMP", "8",
                        "THEEND", "9"});
    for (const char* known : {"C:\\Autoexec.bat", "C:\\CONFIG.SYS", "C:\\Windows\\win.ini",
                              "C:\\WINDOWS\\SYSTEM.INI", "C:\\WINDOWS\\SYSTEM\\USER.EXE"}) {
        touch(known);
    }
    Machine::makeFolder("C:\\TEMP");
    // Names that the snapshot holds, but for another folder.
    for (const char* moved : {"C:\\WIN.INI", "C:\\WINDOWS\\CONFIG.SYS", "C:\\WINDOWS\\USER.EXE",
                              "C:\\WINDOWS\\SYSTEM\\SYSTEM.INI", "C:\\TEMP\\AUTOEXEC.BAT"}) {
        touch(moved);
    }

    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()),
              (Lines{"C:\\WIN.INI", "C:\\TEMP\\AUTOEXEC.BAT", "C:\\WINDOWS\\CONFIG.SYS",
                     "C:\\WINDOWS\\USER.EXE", "C:\\WINDOWS\\SYSTEM\\SYSTEM.INI"}));
    EXPECT_TRUE(listedFolders().empty());
    EXPECT_TRUE(allTicked());
    EXPECT_EQ(page2_->Label2.caption(), "Scanning..C");
    EXPECT_EQ(page2_->ProgressBar1.maximum(), 200);  // no statistics recorded
    EXPECT_EQ(page2_->ProgressBar1.position(), 3);
    EXPECT_TRUE(Machine::messages().empty());
}

TEST_F(ChangeScannerTest, MovedAndRenamedFilesAreNewChangedAndVanishedOnesAreNot) {
    writeSnapshot('C', {{"C:", {}},
                        {"C:\\A", {"MOVED.TXT", "OLDNAME.TXT", "CHANGED.TXT", "GONE.TXT"}},
                        {"C:\\B", {}},
                        {"C:\\GONE", {"X.TXT"}}});
    touch("C:\\B\\MOVED.TXT");
    touch("C:\\A\\NewName.txt");
    Machine::writeFile("C:\\A\\CHANGED.TXT", std::string(5000, 'z'));

    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()), (Lines{"C:\\A\\NewName.txt", "C:\\B\\MOVED.TXT"}));
    EXPECT_TRUE(listedFolders().empty());
}

TEST_F(ChangeScannerTest, NamesCountOnTheirFirst120Characters) {
    const std::string stem(119, 'n');
    writeSnapshot('C', {{"C:", {stem + "A-first.txt"}}});
    touch("C:\\" + stem + "a-second.txt");  // same first 120 characters
    touch("C:\\" + stem + "B.txt");         // differs in the 120th

    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()), (Lines{"C:\\" + stem + "B.txt"}));
}

// Folders are told apart by their whole paths, also where the folder table
// keeps only 255 characters of them; known files are never offered for
// removal, however long their folder's path.
TEST_F(ChangeScannerTest, LongFolderPathsAreJudgedByTheirWholePath) {
    const std::string a(60, 'A'), b(60, 'B'), c(60, 'C');
    const std::string shortPath = "C:\\" + a + "\\" + b + "\\" + c;  // 185 characters
    const std::string longPath = shortPath + "\\" + std::string(60, 'D') + "\\" + "E";
    const std::string exactly255 = shortPath + "\\" + std::string(69, 'D');
    ASSERT_EQ(exactly255.size(), 255u);
    const std::vector<Folder> above = {
        {"C:", {}}, {"C:\\" + a, {}}, {"C:\\" + a + "\\" + b, {}}, {shortPath, {}}};
    struct Case {
        const char* what;
        std::vector<Folder> known;  // below `above`
        Lines present;              // files on the drive now
        Lines files, folders;       // what is listed
    };
    const Case cases[] = {
        {"a path of more than 255 characters",
         {{shortPath + "\\" + std::string(60, 'D'), {}}, {longPath, {"ONE.TXT", "TWO.TXT"}}},
         {longPath + "\\ONE.TXT", longPath + "\\TWO.TXT", longPath + "\\NEW.TXT"},
         {longPath + "\\NEW.TXT"},
         {}},
        {"a folder of exactly 255 characters with a subfolder",
         {{exactly255, {"OWN.TXT"}}, {exactly255 + "\\SUB", {"SUB.TXT"}}},
         {exactly255 + "\\OWN.TXT", exactly255 + "\\SUB\\SUB.TXT", exactly255 + "\\SUB\\OWN.TXT"},
         {exactly255 + "\\SUB\\OWN.TXT"},
         {}},
        {"siblings that differ after character 255",
         {{exactly255 + "X", {"X.TXT"}}, {exactly255 + "Y", {"Y.TXT"}}},
         {exactly255 + "X\\X.TXT", exactly255 + "Y\\Y.TXT", exactly255 + "Z\\Z.TXT"},
         {exactly255 + "Z\\Z.TXT"},
         {exactly255 + "Z\\"}},
        // Two pairs of one key: which records are the folder's is not known.
        {"a key held by two pairs",
         {{shortPath + "\\TWICE", {"A.TXT"}}, {shortPath + "\\TWICE", {"B.TXT"}}},
         {shortPath + "\\TWICE\\A.TXT", shortPath + "\\TWICE\\B.TXT",
          shortPath + "\\TWICE\\NEW.TXT"},
         {},
         {}},
        // The folder list keeps whole keys, the file list only 120 characters
        // of them: a key changed past those still loads.
        {"a key damaged past the characters its record keeps",
         {{shortPath + "\\DAMAGEX", {"KEPT.TXT"}}},
         {shortPath + "\\DAMAGED\\KEPT.TXT", shortPath + "\\DAMAGED\\NEW.TXT"},
         {},
         {}},
        // The system finds "DAMAGED " as the folder DAMAGED; the walk never
        // writes such a key.
        {"a key damaged by a blank after its last name",
         {{shortPath + "\\DAMAGED ", {"KEPT.TXT"}}},
         {shortPath + "\\DAMAGED\\KEPT.TXT", shortPath + "\\DAMAGED\\NEW.TXT"},
         {},
         {}},
        {"a new folder beside known ones of the same first 120 characters",
         {{shortPath + "\\OLD", {"OLD.TXT"}}},
         {shortPath + "\\OLD\\OLD.TXT", shortPath + "\\NEW\\NEW.TXT"},
         {shortPath + "\\NEW\\NEW.TXT"},
         {shortPath + "\\NEW\\"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        fs::remove_all(Machine::hostPath("C:\\" + a));
        page3_->Fileview.clear();
        page3_->Folderview.clear();
        std::vector<Folder> known = above;
        known.insert(known.end(), row.known.begin(), row.known.end());
        writeSnapshot('C', known);
        for (const std::string& path : row.present)
            touch(path);

        page2_->Compare('C');

        EXPECT_TRUE(Machine::messages().empty());
        EXPECT_EQ(inNameWalkOrder(listedFiles()), row.files);
        EXPECT_EQ(inNameWalkOrder(listedFolders()), row.folders);
    }
}

TEST_F(ChangeScannerTest, ExcludedFilesAndTheirNearMisses) {
    writeSnapshot('C', {{"C:", {}},
                        {"C:\\NETSCAPE", {}},
                        {"C:\\RECYCLED", {}},
                        {"C:\\SUB", {}},
                        {"C:\\WINDOWS", {}},
                        {"C:\\WINDOWS\\TEMPORARY INTERNET FILES", {}}});
    const Lines excluded = {
        "C:\\WIN386.SWP",
        "C:\\SUB\\win386.swp",
        "C:\\SUB\\Trelmrk.ini",
        "C:\\SUB\\TRELMRK.GID",
        "C:\\RECYCLED\\DC1.TXT",
        "C:\\WINDOWS\\Temporary Internet Files\\PAGE.HTM",
        "C:\\WINDOWS\\Temporary Internet Files\\CONTENT.IE5\\PIC.GIF",
        "C:\\NETSCAPE\\USERS\\CACHE\\M1.DAT",
        "C:\\MYCACHE\\OLDNETSCAPE\\M2.DAT",
        // The live hives and what the system-file backup and restore stage.
        "C:\\WINDOWS\\SYSTEM.DAT",
        "C:\\WINDOWS\\user.dat",
        "C:\\WINDOWS\\SYSTEM.QX1",
        "C:\\WINDOWS\\AUTOEXEC.QX1",
        "C:\\WINDOWS\\SYSTE~TM.INI",
        "C:\\WINDOWS\\USER$TM.QX1",
        "C:\\AUTOE!TM.BAT",
        "C:\\AUTOE@TM.BAT",
        "C:\\AUTOE#TM.BAT",
    };
    for (const std::string& path : excluded)
        touch(path);
    // In walk order, each folder's entries by name: a folder's files before
    // its subfolders.
    const Lines listed = {
        "C:\\MYCACHE\\PLAIN.DAT",     "C:\\NETSCAPE\\BOOKMARK.HTM",
        "C:\\RECYCLED\\OLD\\DC2.TXT", "C:\\SUB\\MYWIN386.SWP",
        "C:\\SUB\\TRELMRK.INI.BAK",   "C:\\SUB\\WIN386.SWP.OLD",
        "C:\\SUB\\RECYCLED\\DC3.TXT", "C:\\TEMPORARY INTERNET FILES\\PAGE.HTM",
        "C:\\WINDOWS\\SYSTEM.DA",     "C:\\WINDOWS\\SYSTEM\\USER.DAT",
    };
    for (const std::string& path : listed)
        touch(path);
    touch("C:\\SYSTEM.DAT");

    page2_->Compare('C');

    Lines expected = listed;
    expected.insert(expected.begin() + 0, "C:\\SYSTEM.DAT");
    EXPECT_EQ(inNameWalkOrder(listedFiles()), expected);
    // Folders are judged by the snapshot alone, exclusions or not.
    EXPECT_EQ(inNameWalkOrder(listedFolders()),
              (Lines{"C:\\MYCACHE\\", "C:\\MYCACHE\\OLDNETSCAPE\\", "C:\\NETSCAPE\\USERS\\",
                     "C:\\NETSCAPE\\USERS\\CACHE\\", "C:\\RECYCLED\\OLD\\", "C:\\SUB\\RECYCLED\\",
                     "C:\\TEMPORARY INTERNET FILES\\", "C:\\WINDOWS\\SYSTEM\\",
                     "C:\\WINDOWS\\TEMPORARY INTERNET FILES\\CONTENT.IE5\\"}));
}

TEST_F(ChangeScannerTest, CacheFiltersOffListTheCaches) {
    common::app().settings.skipIECache = false;
    common::app().settings.skipNetscapeCache = false;
    writeSnapshot('C', {{"C:", {}},
                        {"C:\\NETSCAPE", {}},
                        {"C:\\NETSCAPE\\CACHE", {}},
                        {"C:\\WINDOWS", {}},
                        {"C:\\WINDOWS\\TEMPORARY INTERNET FILES", {}}});
    touch("C:\\NETSCAPE\\CACHE\\M1.DAT");
    touch("C:\\WINDOWS\\Temporary Internet Files\\PAGE.HTM");

    page2_->Compare('C');

    EXPECT_EQ(
        inNameWalkOrder(listedFiles()),
        (Lines{"C:\\NETSCAPE\\CACHE\\M1.DAT", "C:\\WINDOWS\\TEMPORARY INTERNET FILES\\PAGE.HTM"}));
}

TEST_F(ChangeScannerTest, OwnDataFolderFilesAreNotListedButFoldersBelowAre) {
    common::app().paths.programDir = "C:\\TRELMRK";
    common::app().paths.dataDir = "C:\\Trelmrk\\Snpdat";
    writeSnapshot('C', {{"C:", {}}, {"C:\\TRELMRK", {"TRELMRK.EXE"}}, {"C:\\TRELMRK\\SNPDAT", {}}});
    touch("C:\\TRELMRK\\TRELMRK.EXE");
    touch("C:\\TRELMRK\\SNPDAT\\SYSTEM.DAT");
    touch("C:\\TRELMRK\\SNPDAT\\OLD\\SNPDAT.C01");
    touch("C:\\TRELMRK\\README.TXT");

    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()),
              (Lines{"C:\\TRELMRK\\README.TXT", "C:\\TRELMRK\\SNPDAT\\OLD\\SNPDAT.C01"}));
    EXPECT_EQ(inNameWalkOrder(listedFolders()), (Lines{"C:\\TRELMRK\\SNPDAT\\OLD\\"}));
}

TEST_F(ChangeScannerTest, NewFoldersComeBeforeTheirContentsAcrossDrivesInOrder) {
    writeSnapshot('C', {{"C:", {"IO.SYS"}}, {"C:\\OLD", {}}});
    writeSnapshot('D', {{"D:", {}}});
    touch("C:\\IO.SYS");
    touch("C:\\ROOT.TXT");
    touch("C:\\NEWAPP\\App.exe");
    touch("C:\\NEWAPP\\DATA\\Db.dat");
    Machine::makeFolder("C:\\NEWAPP\\EMPTY");
    touch("C:\\OLD\\NEW.TXT");
    touch("D:\\D.TXT");
    Machine::makeFolder("D:\\GAMES");

    page2_->Compare('C');
    // Marks taken away between drives are given back at the end of the next.
    page3_->Fileview.setChecked(0, false);
    page2_->Compare('D');

    EXPECT_EQ(inNameWalkOrder(listedFiles()),
              (Lines{"C:\\ROOT.TXT", "C:\\NEWAPP\\App.exe", "C:\\NEWAPP\\DATA\\Db.dat",
                     "C:\\OLD\\NEW.TXT", "D:\\D.TXT"}));
    EXPECT_EQ(inNameWalkOrder(listedFolders()),
              (Lines{"C:\\NEWAPP\\", "C:\\NEWAPP\\DATA\\", "C:\\NEWAPP\\EMPTY\\", "D:\\GAMES\\"}));
    EXPECT_EQ(page3_->Fileview.subItem(0, 1), "C:\\");
    EXPECT_TRUE(allTicked());
    EXPECT_EQ(page2_->Label2.caption(), "Scanning..D");
}

TEST_F(ChangeScannerTest, CancelOnTheFirstFolderKeepsOnlyTheRootsNewFiles) {
    writeSnapshot('C', {{"C:", {"OLD.TXT"}}, {"C:\\KNOWN", {}}});
    touch("C:\\OLD.TXT");
    touch("C:\\NEW1.TXT");
    touch("C:\\NEW2.TXT");
    touch("C:\\KNOWN\\NEW3.TXT");
    touch("C:\\NEWDIR\\NEW4.TXT");
    Machine::onProcessMessages([] { common::app().run.cancelRequested = true; });

    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()), (Lines{"C:\\NEW1.TXT", "C:\\NEW2.TXT"}));
    EXPECT_TRUE(listedFolders().empty());
    EXPECT_TRUE(allTicked());
    EXPECT_EQ(Machine::processMessagesCalls(), 1);
}

TEST_F(ChangeScannerTest, ProgressStopsAtTheRecordedFolderCount) {
    Machine::writeFile("K:\\TRELMRK\\TRELMRK.INI", "[Statistics - C]\r\nPathcount=2\r\n");
    writeSnapshot('C', {{"C:", {}}, {"C:\\A", {}}});
    for (const char* folder : {"C:\\A", "C:\\B", "C:\\C", "C:\\D"})
        Machine::makeFolder(folder);

    page2_->Compare('C');

    EXPECT_EQ(page2_->ProgressBar1.maximum(), 2);
    EXPECT_EQ(page2_->ProgressBar1.position(), 2);
    EXPECT_EQ(inNameWalkOrder(listedFolders()), (Lines{"C:\\B\\", "C:\\C\\", "C:\\D\\"}));
}

}  // namespace
