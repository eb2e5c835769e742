// Page 3, the review window: the lists of new files and new folders, each
// entry with a check mark, on a FilePage and a FolderPage.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/files.h"
#include "wizard/wizard_page.h"

class TForm3 : public wizard::WizardPage {
public:
    TForm3();
    ~TForm3() override;

    platform::RichEdit RichEdit2;   // FilePage explanation
    platform::ListView Fileview;    // Name, Location, Size, Date
    platform::Panel Panel3;         // the FolderPage, over the FilePage when shown
    platform::RichEdit RichEdit1;   // FolderPage explanation
    platform::ListView Folderview;  // Folder List
    platform::BevelLine Bevel1;
    platform::Button Button1;  // "< &Back"
    platform::Button Button2;  // "&Next >"
    platform::Button Button3;  // "Cancel"
    platform::Button Button4;  // "Help"

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
};

namespace restore {

// Appends a new file's entry (unchecked) to Fileview.
void AddNewFile(const std::string& folder, const platform::DirEntry& found);
// Appends a new folder's entry (unchecked) to Folderview.
void AddNewFolder(const std::string& folder);
// Ticks every entry of Fileview, then of Folderview.
void CheckAllEntries();
// Index of the item's icon in the shell's system image list.
int ShellIconIndex(const std::string& path);

// "1KB" below 2 KB, else the size in whole kilobytes, e.g. "4882KB".
std::string SizeText(uint64_t bytes);
// The user's short date, then the long time unless it is exactly midnight.
std::string DateText(int32_t stamp);

}  // namespace restore
