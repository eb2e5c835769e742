// The system files' byte sums, block copies, backup into the data folder and
// the restore with its boot-time script, checked by the bytes left on disk.
#include "restore/system_files.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/files.h"
#include "platform/ioerror.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;
using namespace std::string_literals;

const char* const DataDir = "C:\\Program Files\\Trellmark\\SNPDAT";

std::string InData(const std::string& name) {
    return std::string(DataDir) + "\\" + name;
}

bool Exists(const std::string& path) {
    return platform::fileExists(path);
}

int64_t Attributes(const std::string& path) {
    return platform::fileAttributes(path);
}

class SystemFilesTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        CreatePages();
        Machine::setLocalNow(platform::DateTime{2026, 7, 12, 21, 5, 0});
    }

    static void WriteLiveFiles() {
        Machine::writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\DOS\r\n");
        Machine::writeFile("C:\\CONFIG.SYS", "FILES=40\r\n");
        Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\nload=\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\nshell=Explorer.exe\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.DAT", "CREG\0\0system"s);
        Machine::writeFile("C:\\WINDOWS\\USER.DAT", "CREG\0\0user"s);
    }
};

// --- ByteSum ---------------------------------------------------------------

TEST_F(SystemFilesTest, ByteSumAddsEveryByteAndWrapsAt32Bits) {
    struct Case {
        const char* what;
        std::optional<std::string> bytes;  // none: no file at all
        int32_t sum;
    };
    const std::vector<Case> cases = {
        {"three letters", std::string("abc"), 294},
        {"empty file", std::string(), 0},
        {"missing file", std::nullopt, 0},
        {"several blocks, short last one", std::string(1300, '\xFF'), 1300 * 255},
        // 8,421,505 x 255 = 2,147,483,775, past the largest positive value.
        {"past 2,147,483,647", std::string(8421505, '\xFF'), -2147483521},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = "C:\\SUMS\\FILE.BIN";
        if (c.bytes) {
            Machine::writeFile(path, *c.bytes);
        } else {
            platform::deleteFile(path);
        }
        EXPECT_EQ(restore::ByteSum(path), c.sum);
    }
    Machine::makeFolder("C:\\SUMS\\FOLDER");
    EXPECT_EQ(restore::ByteSum("C:\\SUMS\\FOLDER"), 0);
}

// --- CopySystemFile --------------------------------------------------------

TEST_F(SystemFilesTest, CopyIsByteExactAndLeavesTheSourceArchiveOnly) {
    std::string bytes;
    for (int i = 0; i < 4096 * 2 + 17; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    Machine::writeFile("C:\\SRC.BIN", bytes);
    platform::setFileAttributes(
        "C:\\SRC.BIN", platform::attr::ReadOnly | platform::attr::Hidden | platform::attr::System);
    Machine::writeFile("C:\\DST.BIN", "an older, longer file that is replaced whole");

    restore::CopySystemFile("C:\\SRC.BIN", "C:\\DST.BIN");

    EXPECT_EQ(Machine::readFile("C:\\DST.BIN"), bytes);
    EXPECT_EQ(Machine::readFile("C:\\SRC.BIN"), bytes);
    EXPECT_EQ(Attributes("C:\\SRC.BIN"), platform::attr::Archive);
}

TEST_F(SystemFilesTest, CopyWithoutASourceFileChangesNothing) {
    Machine::writeFile("C:\\DST.BIN", "kept");
    Machine::makeFolder("C:\\A FOLDER");
    restore::CopySystemFile("C:\\MISSING.BIN", "C:\\DST.BIN");
    restore::CopySystemFile("C:\\A FOLDER", "C:\\DST.BIN");
    restore::CopySystemFile("C:\\MISSING.BIN", "C:\\NEW.BIN");
    EXPECT_EQ(Machine::readFile("C:\\DST.BIN"), "kept");
    EXPECT_FALSE(Exists("C:\\NEW.BIN"));
}

TEST_F(SystemFilesTest, CopyFailureRaisesTheStandardError) {
    Machine::writeFile("C:\\SRC.BIN", "new bytes");
    Machine::writeFile("C:\\DST.BIN", "read-only target");
    platform::setFileAttributes("C:\\DST.BIN", platform::attr::ReadOnly);
    try {
        restore::CopySystemFile("C:\\SRC.BIN", "C:\\DST.BIN");
        FAIL() << "no error raised";
    } catch (const platform::IoError& error) {
        EXPECT_EQ(error.code(), platform::ioerr::AccessDenied);
        EXPECT_STREQ(error.what(), "File access denied");
    }
    EXPECT_EQ(Machine::readFile("C:\\DST.BIN"), "read-only target");
}

TEST_F(SystemFilesTest, CopyOntoItselfKeepsTheFile) {
    Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
    restore::CopySystemFile("C:\\WINDOWS\\WIN.INI", "c:\\windows\\win.ini");
    EXPECT_EQ(Machine::readFile("C:\\WINDOWS\\WIN.INI"), "[windows]\r\n");
}

// --- BackupSystemFiles -----------------------------------------------------

TEST_F(SystemFilesTest, BackupCopiesTheSixFilesAndRecordsSumsAndDate) {
    WriteLiveFiles();
    platform::setFileAttributes("C:\\WINDOWS\\SYSTEM.DAT", platform::attr::ReadOnly |
                                                               platform::attr::Hidden |
                                                               platform::attr::System);
    platform::setFileAttributes("C:\\WINDOWS\\USER.DAT",
                                platform::attr::Hidden | platform::attr::System);

    restore::BackupSystemFiles();

    EXPECT_EQ(page2->Label2.caption(), "Backing up..");
    const char* const live[] = {"C:\\AUTOEXEC.BAT",        "C:\\CONFIG.SYS",
                                "C:\\WINDOWS\\WIN.INI",    "C:\\WINDOWS\\SYSTEM.INI",
                                "C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT"};
    for (const char* path : live) {
        SCOPED_TRACE(path);
        const std::string name = std::string(path).substr(std::string(path).rfind('\\') + 1);
        EXPECT_EQ(Machine::readFile(InData(name)), Machine::readFile(path));
        EXPECT_EQ(Attributes(path), platform::attr::Archive);
    }
    auto sum = [](const std::string& path) {
        const std::string bytes = Machine::readFile(path);
        uint32_t total = 0;
        for (unsigned char byte : bytes)
            total += byte;
        return std::to_string(static_cast<int32_t>(total));
    };
    // Date1: 2026-07-12 21:05:00 packed as a date stamp.
    EXPECT_EQ(Config(),
              "[Checksums]\r\n"
              "autoexec.bat=" +
                  sum(live[0]) +
                  "\r\n"
                  "config.sys=555\r\n"
                  "win.ini=" +
                  sum(live[2]) +
                  "\r\n"
                  "system.ini=" +
                  sum(live[3]) +
                  "\r\n"
                  "system.dat=" +
                  sum(live[4]) +
                  "\r\n"
                  "user.dat=" +
                  sum(live[5]) +
                  "\r\n"
                  "[Dates]\r\n"
                  "Date1=1559013536\r\n");
}

TEST_F(SystemFilesTest, BackupOfAMissingFileKeepsTheOlderCopyAndSumsZero) {
    WriteLiveFiles();
    platform::deleteFile("C:\\AUTOEXEC.BAT");
    Machine::writeFile(InData("AUTOEXEC.BAT"), "from an earlier backup\r\n");

    restore::BackupSystemFiles();

    EXPECT_EQ(Machine::readFile(InData("AUTOEXEC.BAT")), "from an earlier backup\r\n");
    EXPECT_FALSE(Exists("C:\\AUTOEXEC.BAT"));
    EXPECT_NE(Config().find("autoexec.bat=0\r\n"), std::string::npos);
}

TEST_F(SystemFilesTest, BackupThatFailsKeepsThePreviousSet) {
    WriteLiveFiles();
    Machine::writeFile(InData("CONFIG.SYS"), "older copy");
    // A read-only copy from an earlier backup cannot be replaced.
    Machine::writeFile(InData("WIN.INI"), "old copy");
    platform::setFileAttributes(InData("WIN.INI"), platform::attr::ReadOnly);

    EXPECT_THROW(restore::BackupSystemFiles(), platform::IoError);

    EXPECT_EQ(Machine::readFile(InData("CONFIG.SYS")), "older copy");
    EXPECT_EQ(Machine::readFile(InData("WIN.INI")), "old copy");
    EXPECT_FALSE(Exists(InData("AUTOEXEC.BAT")));
    EXPECT_FALSE(Exists(InData("CONFIG.SY$")));
    EXPECT_FALSE(Exists(ConfigFile));
}

TEST_F(SystemFilesTest, BackupThatCannotWriteTheConfigFileSaysSo) {
    WriteLiveFiles();
    WriteConfig("[Settings]\r\nRecycle=1\r\n");
    platform::setFileAttributes(ConfigFile, platform::attr::ReadOnly);
    try {
        restore::BackupSystemFiles();
        FAIL() << "no error raised";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Unable to write to C:\\Program Files\\Trellmark\\TRELMRK.INI");
    }
    EXPECT_TRUE(Exists(InData("USER.DAT")));
    EXPECT_EQ(Config(), "[Settings]\r\nRecycle=1\r\n");
}

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
    EXPECT_FALSE(Exists("C:\\CONFIG.SY$"));
    EXPECT_FALSE(Exists("C:\\WINDOWS\\SYSTEM.QX1"));
}

TEST_F(SystemFilesTest, DamagedHiveBackupStagesNoHiveAndSaysWhich) {
    struct Case {
        const char* what;
        std::function<void()> damage;
        std::string message;
    };
    const std::string registryNot = " is damaged, so the registry is not restored.";
    const std::vector<Case> cases = {
        {"a hive backup changed since it was written",
         [] { Machine::writeFile(InData("USER.DAT"), "CREG\0\0usex"s); },
         "The backup of USER.DAT" + registryNot},
        {"no sums recorded for the hive backups", [] { platform::deleteFile(InData("HIVES.SUM")); },
         "The backup of SYSTEM.DAT and USER.DAT" + registryNot},
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
    wizard::app().paths.winDir.clear();
    wizard::app().paths.bootRoot.clear();
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
