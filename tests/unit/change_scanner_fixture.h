// The change scanner's test fixture: drives C and D, the data folder on a
// drive that is not scanned, the progress and review pages, and snapshots
// written byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "fake/machine.h"
#include "platform/listview.h"
#include "platform/text_rules.h"
#include "snapshot/snapshot_store.h"
#include "support/machine_test.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

namespace changetest {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

inline std::string scrambled(const std::string& text) {
    return snapshot::ScrambleText(text);
}

inline std::string joinLines(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// One folder of a snapshot in walk order: its path ("C:" for the root) and
// the names of its files.
struct Folder {
    std::string path;
    Lines files;
};

class ChangeScannerTest : public testing_support::MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        // Drive C starts empty; the data folder lies on a drive not scanned.
        fs::remove_all(Machine::hostPath("C:\\WINDOWS"));
        for (char drive : {'D', 'K'})
            Machine::addDrive(drive);

        common::AppState& state = common::app();
        state = common::AppState{};
        state.paths.programDir = "K:\\TRELMRK";
        state.paths.dataDir = "K:\\TRELMRK\\SNPDAT";
        state.paths.winDir = "C:\\WINDOWS";
        state.paths.bootRoot = "C:\\";
        Machine::makeFolder(state.paths.dataDir);

        page2_ = std::make_unique<TForm2>();
        page3_ = std::make_unique<TForm3>();
        wizard::pages().form2 = page2_.get();
        wizard::pages().form3 = page3_.get();
    }

    void TearDown() override {
        wizard::pages().form2 = nullptr;
        wizard::pages().form3 = nullptr;
        page3_.reset();
        page2_.reset();
        Machine::onProcessMessages(nullptr);
        MachineTest::TearDown();
    }

    // Writes the drive's FileListFile and FolderListFile as given.
    void writeSnapshot(char drive, const Lines& records, const Lines& folderLines) {
        const std::string base = common::app().paths.dataDir + "\\SNPDAT." + drive;
        Machine::writeFile(base + "01", joinLines(records));
        Lines lines;
        for (const std::string& line : folderLines)
            lines.push_back(scrambled(line));
        Machine::writeFile(base + "02", joinLines(lines));
    }

    // The snapshot a walk of these folders would have stored.
    void writeSnapshot(char drive, const std::vector<Folder>& folders) {
        Lines records, pairs;
        for (const Folder& folder : folders) {
            const bool root = folder.path.size() == 2;
            if (!root)
                records.push_back(platform::upperCase(folder.path).substr(0, 120));
            pairs.push_back(platform::upperCase(folder.path));
            pairs.push_back(root ? "0" : std::to_string(records.size()));
            for (const std::string& name : folder.files) {
                records.push_back(platform::upperCase(name).substr(0, 120));
            }
        }
        pairs.push_back("THEEND");
        pairs.push_back(std::to_string(records.size() + 1));
        writeSnapshot(drive, records, pairs);
    }

    // Every file entry as Location + Name.
    Lines listedFiles() const {
        Lines paths;
        const platform::ListView& list = page3_->Fileview;
        for (int i = 0; i < list.count(); ++i)
            paths.push_back(list.subItem(i, 1) + list.caption(i));
        return paths;
    }

    Lines listedFolders() const {
        Lines paths;
        const platform::ListView& list = page3_->Folderview;
        for (int i = 0; i < list.count(); ++i)
            paths.push_back(list.caption(i));
        return paths;
    }

    bool allTicked() const {
        for (const platform::ListView* list : {&page3_->Fileview, &page3_->Folderview}) {
            for (int i = 0; i < list->count(); ++i) {
                if (!list->checked(i))
                    return false;
            }
        }
        return true;
    }

    static void touch(const std::string& path) { Machine::writeFile(path, "x"); }

    std::unique_ptr<TForm2> page2_;
    std::unique_ptr<TForm3> page3_;
};

}  // namespace changetest
