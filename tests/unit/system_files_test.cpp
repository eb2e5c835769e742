// The system files' byte sums, block copies and backup into the data folder,
// checked by the bytes left on disk.
#include "restore/system_files.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "fake/faults.h"
#include "platform/ioerror.h"
#include "system_files_fixture.h"

namespace {

using namespace systemfilestest;

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

// The error names the system's cause of the failure.
TEST_F(SystemFilesTest, CopyFailureRaisesTheStandardError) {
    namespace faults = platform::fake::faults;
    using faults::Step;
    const struct {
        const char* what;
        Step failing;  // Step::Move: none, the target is read-only
        int cause;
        int code;
        const char* shown;
    } cases[] = {
        {"read-only target", Step::Move, 0, platform::ioerr::AccessDenied, "File access denied"},
        {"copy held open elsewhere", Step::Create, platform::ioerr::SharingViolation,
         platform::ioerr::SharingViolation, "Sharing violation"},
        {"disk full", Step::Write, 0, platform::ioerr::DiskFull, "Disk full"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Machine::writeFile("C:\\SRC.BIN", "new bytes");
        Machine::writeFile("C:\\DST.BIN", "old target");
        platform::setFileAttributes("C:\\DST.BIN", c.failing == Step::Move
                                                       ? platform::attr::ReadOnly
                                                       : platform::attr::Archive);
        faults::install([&c](int, Step step, const std::string&) -> faults::Decision {
            return step == c.failing ? faults::Decision(faults::Action::Fail, c.cause)
                                     : faults::Action::Proceed;
        });
        try {
            restore::CopySystemFile("C:\\SRC.BIN", "C:\\DST.BIN");
            ADD_FAILURE() << "no error raised";
        } catch (const platform::IoError& error) {
            EXPECT_EQ(error.code(), c.code);
            EXPECT_STREQ(error.what(), c.shown);
        }
        faults::reset();
        EXPECT_EQ(Machine::readFile("C:\\DST.BIN"), "old target");
        platform::setFileAttributes("C:\\DST.BIN", platform::attr::Archive);
    }
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

    restore::BackupSystemFiles(page2.get());

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
    EXPECT_FALSE(Exists(InData("CONFI$TM.SYS")));
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

}  // namespace
