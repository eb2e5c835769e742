// The six system files installers change: their backup into the data folder at
// snapshot time, and at restore time four copied back, the hives staged and the
// boot-time script that swaps them in written over AUTOEXEC.BAT.
#include "restore/system_files.h"

#include <cstring>

#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/ioerror.h"
#include "platform/listbox.h"
#include "platform/system.h"
#include "wizard/app_state.h"
#include "wizard/config_file.h"
#include "wizard/date_stamp.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"

namespace restore {

namespace {

struct SystemFile {
    const char* name;
    const char* key;  // under "Checksums"
    bool inBootRoot;  // else in the Windows folder
};

constexpr SystemFile SystemFileList[] = {
    {"AUTOEXEC.BAT", "autoexec.bat", true}, {"CONFIG.SYS", "config.sys", true},
    {"WIN.INI", "win.ini", false},          {"SYSTEM.INI", "system.ini", false},
    {"SYSTEM.DAT", "system.dat", false},    {"USER.DAT", "user.dat", false},
};

void check(int code) {
    if (code != 0)
        throw platform::IoError(code);
}

// Without a Windows folder the system files have no place: every path built
// from it would fall on the current drive's root or, for the boot root, on the
// current folder, which is the data folder holding the backups themselves.
bool systemFilesLocated() {
    const wizard::Paths& paths = wizard::app().paths;
    return !paths.winDir.empty() && !paths.bootRoot.empty();
}

std::string liveLocation(const SystemFile& file) {
    const wizard::Paths& paths = wizard::app().paths;
    // The boot root already ends in a backslash.
    return file.inBootRoot ? paths.bootRoot + file.name : paths.winDir + "\\" + file.name;
}

std::string backupLocation(const SystemFile& file) {
    return wizard::app().paths.dataDir + "\\" + file.name;
}

std::string upperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool sameFile(const std::string& a, const std::string& b) {
    return upperCase(platform::fullPath(a)) == upperCase(platform::fullPath(b));
}

platform::ListBox& scriptLines() {
    return wizard::pages().form2->ListBox1;
}

}  // namespace

void CopySystemFile(const std::string& source, const std::string& destination) {
    if (!platform::fileExists(source))
        return;
    // Creating the destination would empty the source first.
    if (sameFile(source, destination))
        return;
    platform::setFileAttributes(source, platform::attr::Archive);

    platform::BinaryFile from;
    check(from.open(source, platform::BinaryFile::Mode::ReadWriteExisting));
    platform::BinaryFile to;
    check(to.open(destination, platform::BinaryFile::Mode::CreateAlways));
    char block[4096];
    for (;;) {
        size_t got = 0;
        check(from.read(block, sizeof block, got));
        if (got == 0)
            break;
        size_t written = 0;
        check(to.write(block, got, written));
        // A write that stores less than it was given has run out of room; a
        // silent stop here would leave a truncated backup behind.
        if (written < got)
            throw platform::IoError(platform::ioerr::DiskFull);
    }
    check(from.close());
    check(to.close());
}

int32_t ByteSum(const std::string& path) {
    if (!platform::fileExists(path))
        return 0;
    platform::BinaryFile file;
    check(file.open(path, platform::BinaryFile::Mode::ReadWriteExisting));
    uint32_t sum = 0;  // wraps modulo 2^32
    unsigned char block[512];
    for (;;) {
        std::memset(block, 0, sizeof block);
        size_t got = 0;
        check(file.read(block, sizeof block, got));
        for (unsigned char byte : block)
            sum += byte;
        if (got == 0)
            break;
    }
    check(file.close());
    return static_cast<int32_t>(sum);
}

void BackupSystemFiles() {
    if (TForm2* progress = wizard::pages().form2) {
        // No messages are handled during the copies, so paint the text now.
        progress->Label2.setCaption("Backing up..");
        progress->Label2.repaint();
    }
    const bool located = systemFilesLocated();
    if (located) {
        for (const SystemFile& file : SystemFileList) {
            CopySystemFile(liveLocation(file), backupLocation(file));
        }
    }
    for (const SystemFile& file : SystemFileList) {
        wizard::WriteConfigInt("Checksums", file.key, located ? ByteSum(liveLocation(file)) : 0);
    }
    wizard::WriteConfigInt("Dates", "Date1", wizard::FileDateStamp(platform::localNow()));
}

void RestoreSystemFiles() {
    if (!systemFilesLocated())
        return;
    const wizard::Paths& paths = wizard::app().paths;

    for (int row = 0; row < 4; ++row) {
        const SystemFile& file = SystemFileList[row];
        CopySystemFile(backupLocation(file), liveLocation(file));
    }
    CopySystemFile(paths.dataDir + "\\SYSTEM.DAT", paths.winDir + "\\SYSTEM.QX1");
    CopySystemFile(paths.dataDir + "\\USER.DAT", paths.winDir + "\\USER.QX1");

    const std::string script = paths.bootRoot + "Autoexec.bat";
    const bool userAutoexec = platform::fileExists(script);
    if (userAutoexec) {
        CopySystemFile(paths.dataDir + "\\AUTOEXEC.BAT", paths.winDir + "\\AUTOEXEC.QX1");
    }

    // The user's own lines run first at the next boot, then the swap.
    platform::ListBox& lines = scriptLines();
    lines.clear();
    if (userAutoexec)
        lines.loadFromFile(script);
    const std::string& win = paths.winDir;
    lines.add("@ECHO OFF");
    lines.add("ECHO.");
    lines.add("ECHO.");
    lines.add("ECHO Trellmark is restoring your system files ... ");
    lines.add("Attrib -r -h -s +a " + win + "\\SYSTEM.DAT");
    lines.add("Attrib -r -h -s +a " + win + "\\USER.DAT");
    lines.add("Copy " + win + "\\SYSTEM.QX1 " + win + "\\SYSTEM.DAT >NUL");
    lines.add("Copy " + win + "\\USER.QX1 " + win + "\\USER.DAT >NUL");
    lines.add("Del " + win + "\\SYSTEM.QX1  >NUL");
    lines.add("Del " + win + "\\USER.QX1  >NUL");
    // Putting the saved AUTOEXEC.BAT back, or deleting the script, makes it
    // run only once.
    if (userAutoexec) {
        lines.add("Move " + win + "\\AUTOEXEC.QX1 " + paths.bootRoot + "AUTOEXEC.BAT >NUL");
    } else {
        lines.add("Del " + paths.bootRoot + "AUTOEXEC.BAT >NUL");
    }
    lines.saveToFile(script);
}

}  // namespace restore
