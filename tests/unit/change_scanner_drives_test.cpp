// The change scanner on drives it cannot wholly judge: drives it cannot scan,
// names that lead to another entry, and a drive compared with its own snapshot.
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

TEST_F(ChangeScannerTest, DrivesThatCannotBeScannedAreReportedAndSkipped) {
    writeSnapshot('D', {{"D:", {}}});
    touch("C:\\C.TXT");
    touch("D:\\D.TXT");

    page2_->Compare('C');  // no snapshot
    page2_->Compare('E');  // no such drive
    page2_->Compare('D');

    EXPECT_EQ(inNameWalkOrder(listedFiles()), (Lines{"D:\\D.TXT"}));
    ASSERT_EQ(Machine::messages().size(), 2u);
    EXPECT_EQ(Machine::messages()[0].text, "There is no snapshot for drive C");
    EXPECT_EQ(Machine::messages()[0].kind, platform::MessageKind::Information);
    EXPECT_EQ(Machine::messages()[1].text, "  Cannot access drive  E");
    EXPECT_EQ(Machine::messages()[1].kind, platform::MessageKind::Error);

    // A drive lost in the middle of the walk, and folders that cannot be
    // read then, are told as the snapshot walk tells them.
    Machine::clearMessages();
    writeSnapshot('C', {{"C:", {"C.TXT"}}});
    touch("C:\\LOCKED1\\A.TXT");
    touch("C:\\LOCKED2\\B.TXT");
    Machine::makeUnlistable("C:\\LOCKED1");
    Machine::makeUnlistable("C:\\LOCKED2");
    page2_->Compare('C');
    touch("D:\\SUB\\E.TXT");
    Machine::onProcessMessages([] { Machine::removeDrive('D'); });
    page2_->Compare('D');
    ASSERT_EQ(Machine::messages().size(), 2u);
    EXPECT_EQ(Machine::messages()[0].text,
              "2 folders on drive C could not be read; nothing in them will be offered for "
              "removal. The first is C:\\" +
                  firstListed("C:\\", {"LOCKED1", "LOCKED2"}));
    EXPECT_EQ(Machine::messages()[1].text, "  Cannot access drive  D");
}

TEST_F(ChangeScannerTest, NamesThatLeadToAnotherEntryAreNeitherListedNorEntered) {
    writeSnapshot('C', {{"C:", {"TRAIL", "BLANK.TXT"}}, {"C:\\INNER", {"K.TXT"}}});
    touch("C:\\TRAIL");
    touch("C:\\BLANK.TXT");
    touch("C:\\INNER\\K.TXT");
    // Names from another system, made on the host: the system drops their
    // trailing dots and blanks, so their paths reach the known entries.
    const fs::path root = Machine::hostPath("C:\\");
    for (const char* name : {"TRAIL.", "BLANK.TXT ", "NEW.TXT.."})
        std::ofstream(root / name) << "new";
    fs::create_directory(root / "INNER.");
    std::ofstream(root / "INNER." / "N.TXT") << "new";
    touch("C:\\NEW.TXT");

    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()), (Lines{"C:\\NEW.TXT"}));
    EXPECT_TRUE(listedFolders().empty());
    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].text,
              "4 entries on drive C were passed over, since their names do not lead back to "
              "them; none of them will be offered for removal. The first is C:\\" +
                  firstListed("C:\\", {"TRAIL.", "BLANK.TXT ", "NEW.TXT..", "INNER."}));
}

TEST_F(ChangeScannerTest, ADriveComparedWithItsOwnSnapshotListsOnlyWhatCameLater) {
    const std::string longName(130, 'L');
    for (const std::string& path :
         {std::string("C:\\IO.SYS"), std::string("C:\\Windows\\System\\Kernel32.dll"),
          std::string("C:\\.config\\settings.ini"), "C:\\Data\\" + longName + ".txt"}) {
        touch(path);
    }
    Machine::makeFolder("C:\\Empty");
    const fs::path target = Machine::hostPath("C:\\Data");
    fs::create_directory_symlink(target, fs::path(Machine::hostPath("C:\\")) / "DataLink");
    // A folder the walk may not list: what it held is unknown to the snapshot.
    touch("C:\\Locked\\old.txt");
    Machine::makeUnlistable("C:\\Locked");
    page2_->SnapshotDrive('C');
    ASSERT_EQ(Machine::messages().size(), 1u);
    Machine::makeUnlistable("C:\\Locked", false);

    page2_->Compare('C');
    EXPECT_TRUE(listedFiles().empty());
    EXPECT_TRUE(listedFolders().empty());

    touch("C:\\Windows\\System\\Vxd.386");
    touch("C:\\Empty\\Later.txt");
    touch("C:\\NewApp\\Bin\\App.exe");
    touch("C:\\.cache\\x.tmp");
    touch("C:\\Locked\\Later.txt");
    touch("C:\\Locked\\Sub\\Deeper.txt");
    fs::rename(Machine::hostPath("C:\\IO.SYS"), fs::path(Machine::hostPath("C:\\")) / "IO.OLD");
    // New links are neither walked nor offered: removing one could reach
    // what it points to.
    const fs::path root = Machine::hostPath("C:\\");
    fs::create_directory_symlink(Machine::hostPath("C:\\NewApp"), root / "AppLink");
    fs::create_symlink(Machine::hostPath("C:\\NewApp\\Bin\\App.exe"), root / "App.lnk");
    page3_->Fileview.clear();
    page3_->Folderview.clear();
    page2_->Compare('C');

    EXPECT_EQ(inNameWalkOrder(listedFiles()),
              (Lines{"C:\\IO.OLD", "C:\\.CACHE\\x.tmp", "C:\\EMPTY\\Later.txt",
                     "C:\\NEWAPP\\BIN\\App.exe", "C:\\WINDOWS\\SYSTEM\\Vxd.386"}));
    EXPECT_EQ(inNameWalkOrder(listedFolders()),
              (Lines{"C:\\.CACHE\\", "C:\\NEWAPP\\", "C:\\NEWAPP\\BIN\\"}));
}

}  // namespace
