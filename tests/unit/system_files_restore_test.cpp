// The restore of the system files: four copied back, the hives staged after a
// check of their backups, and the boot-time script, checked by the bytes left
// on disk.
#include <functional>
#include <optional>
#include <vector>

#include "platform/ioerror.h"
#include "restore/system_files.h"
#include "system_files_fixture.h"

namespace {

using namespace systemfilestest;

// --- RestoreSystemFiles ----------------------------------------------------

const std::string RestoreLines =
    "@ECHO OFF\r\n"
    "ECHO.\r\n"
    "ECHO.\r\n"
    "ECHO Trellmark is restoring your system files ... \r\n"
    "Attrib -r -h -s +a C:\\WINDOWS\\SYSTEM.DAT\r\n"
    "Attrib -r -h -s +a C:\\WINDOWS\\USER.DAT\r\n"
    "Copy C:\\WINDOWS\\SYSTEM.QX1 C:\\WINDOWS\\SYSTEM.DAT >NUL\r\n"
    "Copy C:\\WINDOWS\\USER.QX1 C:\\WINDOWS\\USER.DAT >NUL\r\n"
    "Del C:\\WINDOWS\\SYSTEM.QX1  >NUL\r\n"
    "Del C:\\WINDOWS\\USER.QX1  >NUL\r\n";
const std::string MoveLine = "Move C:\\WINDOWS\\AUTOEXEC.QX1 C:\\AUTOEXEC.BAT >NUL\r\n";
const std::string DelLine = "Del C:\\AUTOEXEC.BAT >NUL\r\n";

TEST_F(SystemFilesTest, RestoreScriptFollowsTheAutoexecAtSnapshotAndNow) {
    struct Case {
        const char* what;
        std::optional<std::string> atSnapshot;  // AUTOEXEC.BAT when the backup ran
        std::optional<std::string> atRestore;   // AUTOEXEC.BAT when Finish runs
        std::string script;
        std::optional<std::string> staged;  // AUTOEXEC.QX1 afterwards
        bool restoredTwice = false;         // before the boot
    };
    const std::vector<Case> cases = {
        {"none at either time", std::nullopt, std::nullopt, RestoreLines + DelLine, std::nullopt},
        {"one at snapshot time, changed since", std::string("@ECHO OFF\r\nPATH C:\\DOS\r\n"),
         std::string("@ECHO OFF\r\nPATH C:\\DOS;C:\\NEWAPP\r\n"),
         "@ECHO OFF\r\nPATH C:\\DOS\r\n" + RestoreLines + MoveLine,
         std::string("@ECHO OFF\r\nPATH C:\\DOS\r\n")},
        {"one at snapshot time, deleted since", std::string("SET TEMP=C:\\TEMP\r\n"), std::nullopt,
         "SET TEMP=C:\\TEMP\r\n" + RestoreLines + MoveLine, std::string("SET TEMP=C:\\TEMP\r\n")},
        {"mixed line ends, a blank line, no end on the last", std::string("A\r\nB\nC\r\r\nD"),
         std::nullopt, "A\r\nB\r\nC\r\n\r\nD\r\n" + RestoreLines + MoveLine,
         std::string("A\r\nB\nC\r\r\nD")},
        {"a NUL ends the text", "ECHO HI\r\nREM\0after the end\r\n"s, std::nullopt,
         "ECHO HI\r\nREM\r\n" + RestoreLines + MoveLine, "ECHO HI\r\nREM\0after the end\r\n"s},
        // The boot puts the user's file back instead of failing to, every boot.
        {"created after a snapshot that had none", std::nullopt,
         std::string("SET BLASTER=A220\r\n"), "SET BLASTER=A220\r\n" + RestoreLines + MoveLine,
         std::string("SET BLASTER=A220\r\n")},
        {"restored twice before the boot, no saved copy", std::nullopt,
         std::string("SET BLASTER=A220\r\n"), "SET BLASTER=A220\r\n" + RestoreLines + MoveLine,
         std::string("SET BLASTER=A220\r\n"), true},
        // The interpreter stops reading at Ctrl-Z: the restore lines go before it.
        {"Ctrl-Z after the last line", std::string("ECHO HI\r\n\x1A"), std::nullopt,
         "ECHO HI\r\n" + RestoreLines + MoveLine, std::string("ECHO HI\r\n\x1A")},
        {"Ctrl-Z within a line, lines after it", std::string("PATH C:\\DOS\x1A\r\nREM unread\r\n"),
         std::string("SET X=1\x1A\r\n"), "PATH C:\\DOS\r\n" + RestoreLines + MoveLine,
         std::string("PATH C:\\DOS\x1A\r\nREM unread\r\n")},
        {"Ctrl-Z in a file created after the snapshot", std::nullopt,
         std::string("SET X=1\r\n\x1A\r\nREM unread\r\n"), "SET X=1\r\n" + RestoreLines + MoveLine,
         std::string("SET X=1\r\n\x1A\r\nREM unread\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WizardTest::TearDown();
        WizardTest::SetUp();
        CreatePages();
        WriteLiveFiles();
        platform::deleteFile("C:\\AUTOEXEC.BAT");
        if (c.atSnapshot)
            Machine::writeFile("C:\\AUTOEXEC.BAT", *c.atSnapshot);
        restore::BackupSystemFiles();
        platform::deleteFile("C:\\AUTOEXEC.BAT");
        if (c.atRestore)
            Machine::writeFile("C:\\AUTOEXEC.BAT", *c.atRestore);
        if (c.restoredTwice)
            restore::RestoreSystemFiles();

        restore::RestoreSystemFiles();

        EXPECT_EQ(Machine::readFile("C:\\AUTOEXEC.BAT"), c.script);
        ASSERT_EQ(Exists("C:\\WINDOWS\\AUTOEXEC.QX1"), c.staged.has_value());
        if (c.staged) {
            EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\AUTOEXEC.QX1"), *c.staged);
        }
    }
}

TEST_F(SystemFilesTest, RestoreCopiesFourBackAndStagesTheHives) {
    WriteLiveFiles();
    restore::BackupSystemFiles();
    // What an installer leaves behind.
    Machine::writeFile("C:\\CONFIG.SYS", "FILES=40\r\nDEVICE=NEWAPP.SYS\r\n");
    Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\nload=newapp.exe\r\n");
    Machine::writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n");
    Machine::writeFile("C:\\WINDOWS\\SYSTEM.DAT", "changed system hive");
    Machine::writeFile("C:\\WINDOWS\\USER.DAT", "changed user hive");

    restore::RestoreSystemFiles();

    EXPECT_EQ(Machine::readFile("C:\\CONFIG.SYS"), "FILES=40\r\n");
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\WIN.INI"), "[windows]\r\nload=\r\n");
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\SYSTEM.INI"), "[boot]\r\nshell=Explorer.exe\r\n");
    // The live hives wait for the next boot; the saved ones are staged.
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\SYSTEM.DAT"), "changed system hive");
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\USER.DAT"), "changed user hive");
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\SYSTEM.QX1"), "CREG\0\0system"s);
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\USER.QX1"), "CREG\0\0user"s);
    // The backups stay for another restore.
    EXPECT_EQ(Machine::readFile(InData("WIN.INI")), "[windows]\r\nload=\r\n");
    EXPECT_EQ(Machine::readFile("C:\\AUTOEXEC.BAT"),
              "@ECHO OFF\r\nPATH C:\\DOS\r\n" + RestoreLines + MoveLine);
}

TEST_F(SystemFilesTest, RestoreWithoutBackupsStillWritesTheScript) {
    WriteLiveFiles();
    platform::deleteFile("C:\\AUTOEXEC.BAT");
    restore::RestoreSystemFiles();

    EXPECT_EQ(Machine::readFile("C:\\AUTOEXEC.BAT"), RestoreLines + DelLine);
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\WIN.INI"), "[windows]\r\nload=\r\n");
    EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM.QX1"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\USER.QX1"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\AUTOEXEC.QX1"));
}

TEST_F(SystemFilesTest, RestoreFailureChangesNoLiveFile) {
    WriteLiveFiles();
    restore::BackupSystemFiles();
    Machine::writeFile("C:\\CONFIG.SYS", "changed\r\n");
    Machine::writeFile("C:\\AUTOEXEC.BAT", "changed\r\n");
    platform::setFileAttributes("C:\\WINDOWS\\WIN.INI", platform::attr::ReadOnly);

    EXPECT_THROW(restore::RestoreSystemFiles(), platform::IoError);

    EXPECT_EQ(Machine::readFile("C:\\CONFIG.SYS"), "changed\r\n");
    EXPECT_EQ(Machine::readFile("C:\\AUTOEXEC.BAT"), "changed\r\n");
    EXPECT_FALSE(Exists("C:\\CONFI$TM.SYS"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM.QX1"));
}

TEST_F(SystemFilesTest, DamagedHiveBackupStagesNoHiveAndSaysWhich) {
    struct Case {
        const char* what;
        std::function<void()> damage;
        std::string message;
    };
    const std::string registryNot = ", so the registry is not restored.";
    const std::vector<Case> cases = {
        {"a hive backup changed since it was written",
         [] { Machine::writeFile(InData("USER.DAT"), "CREG\0\0usex"s); },
         "The backup of USER.DAT is damaged" + registryNot},
        {"a hive backup deleted since", [] { platform::deleteFile(InData("SYSTEM.DAT")); },
         "The backup of SYSTEM.DAT is damaged" + registryNot},
        {"a backup set from before the sums were kept",
         [] { platform::deleteFile(InData("HIVES.SUM")); },
         "The backup of SYSTEM.DAT and USER.DAT cannot be checked" + registryNot},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WizardTest::TearDown();
        WizardTest::SetUp();
        CreatePages();
        WriteLiveFiles();
        restore::BackupSystemFiles();
        Machine::writeFile("C:\\AUTOEXEC.BAT", "changed\r\n");
        Machine::writeFile("C:\\CONFIG.SYS", "changed\r\n");
        c.damage();

        restore::RestoreSystemFiles();

        ASSERT_EQ(Machine::messages().size(), 1u);
        EXPECT_EQ(Machine::messages()[0].text, c.message);
        EXPECT_EQ(Machine::messages()[0].kind, platform::MessageKind::Error);
        // The other files come back; the boot is given nothing to do.
        EXPECT_EQ(Machine::readFile("C:\\CONFIG.SYS"), "FILES=40\r\n");
        EXPECT_EQ(Machine::readFile("C:\\AUTOEXEC.BAT"), "@ECHO OFF\r\nPATH C:\\DOS\r\n");
        EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM.QX1"));
        EXPECT_FALSE(Exists("C:\\WINDOWS\\USER.QX1"));
        EXPECT_FALSE(Exists("C:\\WINDOWS\\AUTOEXEC.QX1"));
    }
}

TEST_F(SystemFilesTest, UnknownWindowsFolderTouchesNoFile) {
    WriteLiveFiles();
    restore::BackupSystemFiles();
    const std::string saved = Machine::readFile(InData("AUTOEXEC.BAT"));
    const std::string savedIni = Machine::readFile(InData("WIN.INI"));
    Machine::writeFile("C:\\WIN.INI", "not the Windows folder's");
    common::app().paths.winDir.clear();
    common::app().paths.bootRoot.clear();
    // Paths built from an empty Windows folder would fall in the current
    // folder, here the data folder, and on the drive's root.
    ASSERT_TRUE(platform::setCurrentDirectory(DataDir));

    restore::BackupSystemFiles();
    restore::RestoreSystemFiles();

    EXPECT_EQ(Machine::readFile(InData("AUTOEXEC.BAT")), saved);
    EXPECT_EQ(Machine::readFile(InData("WIN.INI")), savedIni);
    EXPECT_EQ(Machine::readFile("C:\\WIN.INI"), "not the Windows folder's");
    EXPECT_FALSE(Exists("C:\\SYSTEM.QX1"));
    EXPECT_NE(Config().find("win.ini=0\r\n"), std::string::npos);
}

}  // namespace
