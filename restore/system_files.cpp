// The six system files installers change: their backup into the data folder at
// snapshot time, and at restore time four copied back, the hives staged and the
// boot-time script that swaps them in written over AUTOEXEC.BAT.
#include "restore/system_files.h"

#include <cstring>
#include <iterator>
#include <vector>

#include "common/app_state.h"
#include "common/config_file.h"
#include "common/date_stamp.h"
#include "common/messages.h"
#include "common/staged_replace.h"
#include "platform/files.h"
#include "platform/listbox.h"
#include "platform/system.h"
#include "platform/text_rules.h"
#include "platform/textfile.h"
#include "restore/staged_files.h"

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

// Without a Windows folder the system files have no place: every path built
// from it would fall on the current drive's root or, for the boot root, on the
// current folder, which is the data folder holding the backups themselves.
bool systemFilesLocated() {
    const common::Paths& paths = common::app().paths;
    return !paths.winDir.empty() && !paths.bootRoot.empty();
}

std::string liveLocation(const SystemFile& file) {
    const common::Paths& paths = common::app().paths;
    // The boot root already ends in a backslash.
    return file.inBootRoot ? paths.bootRoot + file.name : paths.winDir + "\\" + file.name;
}

std::string backupLocation(const SystemFile& file) {
    return common::app().paths.dataDir + "\\" + file.name;
}

std::string winDirFile(const char* name) {
    return common::app().paths.winDir + "\\" + name;
}

// The boot-time script, written over the live AUTOEXEC.BAT.
std::string scriptLocation() {
    return common::app().paths.bootRoot + "Autoexec.bat";
}

// The ByteSum of each hive backup as it was written, one "NAME=sum" line per
// hive, replaced together with the backups. Checksums cannot serve: it sums
// the live hive, which Windows may change between the copy and the sum.
std::string hiveSumsLocation() {
    return common::app().paths.dataDir + "\\HIVES.SUM";
}

bool isHive(const SystemFile& file) {
    return std::strcmp(file.name, "SYSTEM.DAT") == 0 || std::strcmp(file.name, "USER.DAT") == 0;
}

// The recorded sum line of a hive backup, or "" when there is none.
std::string recordedHiveSum(const SystemFile& file) {
    std::vector<std::string> lines;
    if (!platform::fileExists(hiveSumsLocation()) ||
        !platform::loadTextLines(hiveSumsLocation(), lines))
        return "";
    const std::string prefix = std::string(file.name) + "=";
    for (const std::string& line : lines) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return line;
    }
    return "";
}

std::string hiveSumLine(const SystemFile& file, const std::string& path) {
    return std::string(file.name) + "=" + std::to_string(ByteSum(path));
}

// Why the hive backups cannot be swapped in, or "" when they can. The two
// hives go together, so one that is wrong stops both.
std::string hiveBackupFault() {
    std::string damaged, unchecked;
    auto add = [](std::string& names, const char* name) {
        names += (names.empty() ? "" : " and ") + std::string(name);
    };
    for (const SystemFile& file : SystemFileList) {
        if (!isHive(file))
            continue;
        const std::string recorded = recordedHiveSum(file);
        const bool present = platform::fileExists(backupLocation(file));
        if (!present && recorded.empty())
            continue;
        if (present && recorded.empty()) {
            // A backup set written before the sums were kept.
            add(unchecked, file.name);
        } else if (!present || recorded != hiveSumLine(file, backupLocation(file))) {
            add(damaged, file.name);
        }
    }
    if (!damaged.empty())
        return "The backup of " + damaged + " is damaged, so the registry is not restored.";
    if (!unchecked.empty())
        return "The backup of " + unchecked +
               " cannot be checked, so the registry is not restored.";
    return "";
}

std::vector<std::string> backupSet() {
    std::vector<std::string> files;
    for (const SystemFile& file : SystemFileList)
        files.push_back(backupLocation(file));
    files.push_back(hiveSumsLocation());
    return files;
}

std::vector<std::string> restoreSet() {
    std::vector<std::string> files;
    for (int row = 0; row < 4; ++row)
        files.push_back(liveLocation(SystemFileList[row]));
    files.push_back(winDirFile("SYSTEM.QX1"));
    files.push_back(winDirFile("USER.QX1"));
    files.push_back(winDirFile("AUTOEXEC.QX1"));
    return files;
}

// The command interpreter stops reading a batch file at a Ctrl-Z, so nothing
// from there on is kept: the restore lines must come before it.
void cutAtEndOfFileMark(std::vector<std::string>& lines) {
    for (size_t row = 0; row < lines.size(); ++row) {
        const size_t mark = lines[row].find('\x1A');
        if (mark == std::string::npos)
            continue;
        lines[row].erase(mark);
        lines.resize(lines[row].empty() ? row : row + 1);
        return;
    }
}

void addRestoreLines(platform::ListBox& lines, bool userAutoexec) {
    const common::Paths& paths = common::app().paths;
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
    // Putting the user's own AUTOEXEC.BAT back, or deleting the script, makes
    // it run only once.
    if (userAutoexec) {
        lines.add("Move " + win + "\\AUTOEXEC.QX1 " + paths.bootRoot + "AUTOEXEC.BAT >NUL");
    } else {
        lines.add("Del " + paths.bootRoot + "AUTOEXEC.BAT >NUL");
    }
}

// The AUTOEXEC.BAT that the boot puts back from AUTOEXEC.QX1, byte for byte,
// so that the script runs once: the saved one, which the live one becomes;
// without it the user's live file, or, while an earlier restore still waits
// for its boot, the user's file that restore staged (the live one then holds
// that restore's lines).
std::string userAutoexecFile() {
    const SystemFile& autoexec = SystemFileList[0];
    if (platform::fileExists(backupLocation(autoexec)))
        return backupLocation(autoexec);
    if (platform::fileExists(scriptLocation()) && platform::fileExists(winDirFile("AUTOEXEC.QX1")))
        return winDirFile("AUTOEXEC.QX1");
    return scriptLocation();
}

}  // namespace

void CopySystemFile(const std::string& source, const std::string& destination) {
    StagedFiles copy({destination});
    copy.copy(source, destination);
    copy.commit();
}

std::vector<std::string> ProtectedFiles() {
    std::vector<std::string> files;
    if (!systemFilesLocated())
        return files;
    auto add = [&files](const std::string& path) { files.push_back(platform::upperCase(path)); };
    add(winDirFile("SYSTEM.DAT"));
    add(winDirFile("USER.DAT"));
    for (const std::vector<std::string>& set : {backupSet(), restoreSet()}) {
        for (const std::string& name : common::ReplaceNames({set, {}}))
            add(name);
    }
    for (const char* staged : {"SYSTEM.QX1", "USER.QX1", "AUTOEXEC.QX1"})
        add(winDirFile(staged));
    return files;
}

bool RecoverSystemFiles() {
    if (!systemFilesLocated())
        return true;
    const bool backups = common::SettleReplace({backupSet(), {}});
    return common::SettleReplace({restoreSet(), {}}) && backups;
}

void BackupSystemFiles(snapshot::WalkView* progress) {
    // No messages are handled during the copies: the text is painted at once.
    if (progress != nullptr)
        progress->showStatus("Backing up..");
    const bool located = systemFilesLocated();
    std::vector<int32_t> checksums(std::size(SystemFileList), 0);
    if (located) {
        RecoverSystemFiles();
        // All six copies replace the previous backups together, or none does;
        // a live file that is missing keeps its older copy and that copy's sum.
        StagedFiles copies(backupSet());
        std::vector<std::string> sums;
        for (const SystemFile& file : SystemFileList) {
            copies.copy(liveLocation(file), backupLocation(file));
            if (!isHive(file))
                continue;
            const std::string written = copies.newCopyOf(backupLocation(file));
            const std::string sum =
                written.empty() ? recordedHiveSum(file) : hiveSumLine(file, written);
            if (!sum.empty())
                sums.push_back(sum);
        }
        copies.writeLines(sums, hiveSumsLocation());
        // Taken before the set is replaced, so that a file that cannot be
        // read stops the backup while the previous set is still whole.
        for (size_t row = 0; row < checksums.size(); ++row)
            checksums[row] = ByteSum(liveLocation(SystemFileList[row]));
        copies.commit();
    }
    // Written only for a set that is complete.
    for (size_t row = 0; row < checksums.size(); ++row)
        common::WriteConfigInt("Checksums", SystemFileList[row].key, checksums[row]);
    common::WriteConfigInt("Dates", "Date1", common::FileDateStamp(platform::localNow()));
}

void RestoreSystemFiles() {
    if (!systemFilesLocated())
        return;
    // The backups too: a restore reads them.
    RecoverSystemFiles();
    // Every file below is written in full first and then replaces the live
    // one, all together: a failure leaves the machine as it was.
    StagedFiles copies(restoreSet());
    for (int row = 1; row < 4; ++row) {
        const SystemFile& file = SystemFileList[row];
        copies.copy(backupLocation(file), liveLocation(file));
    }
    const SystemFile& autoexec = SystemFileList[0];

    const std::string hiveFault = hiveBackupFault();
    if (!hiveFault.empty()) {
        // Swapping in a damaged hive at the next boot could leave a machine
        // that does not start: the boot is left alone.
        common::ShowCenteredMessage(hiveFault, platform::MessageKind::Error,
                                    platform::MessageButtons::Ok, 180, 40);
        copies.copy(backupLocation(autoexec), liveLocation(autoexec));
        copies.commit();
        return;
    }
    const common::Paths& paths = common::app().paths;
    copies.copy(paths.dataDir + "\\SYSTEM.DAT", winDirFile("SYSTEM.QX1"));
    copies.copy(paths.dataDir + "\\USER.DAT", winDirFile("USER.QX1"));

    const std::string script = scriptLocation();
    const std::string userFile = userAutoexecFile();
    const bool userAutoexec = platform::fileExists(userFile);
    if (userAutoexec)
        copies.copy(userFile, winDirFile("AUTOEXEC.QX1"));

    // The user's own lines run first at the next boot, then the swap.
    platform::ListBox lines;
    if (userAutoexec)
        lines.loadFromFile(userFile);
    std::vector<std::string> text = lines.items();
    cutAtEndOfFileMark(text);
    lines.clear();
    for (const std::string& line : text)
        lines.add(line);
    addRestoreLines(lines, userAutoexec);
    copies.writeLines(lines.items(), script);
    copies.commit();
}

}  // namespace restore
