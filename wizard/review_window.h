// Page 3, the review window: the lists of new files and new folders, each
// entry with a check mark, on a FilePage and a FolderPage.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/files.h"
#include "platform/listview.h"
#include "restore/review_sink.h"
#include "wizard/wizard_page.h"

class TForm3 : public wizard::WizardPage, public restore::ReviewSink {
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

    // The change scanner's findings: a new file's entry (unchecked) appended
    // to Fileview, a new folder's to Folderview; tickAll ticks every entry of
    // Fileview, then of Folderview.
    void addFile(const std::string& folder, const platform::DirEntry& found) override;
    void addFolder(const std::string& folder) override;
    void tickAll() override;
};

namespace restore {
// Index of the item's icon in the shell's system image list.
int ShellIconIndex(const std::string& path);

// "1KB" below 2 KB, else the size in whole kilobytes, e.g. "4882KB".
std::string SizeText(uint64_t bytes);
// The user's short date, then the long time unless it is exactly midnight.
std::string DateText(int32_t stamp);

}  // namespace restore
