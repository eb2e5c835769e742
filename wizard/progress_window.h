// Page 2, the progress window: the Start run over the selected drives, its
// status label, progress bar and hidden line buffer, and the change scanner's
// walk methods.
#pragma once

#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/files.h"
#include "platform/listbox.h"
#include "restore/scan_state.h"
#include "wizard/wizard_page.h"

class TForm2 : public wizard::WizardPage {
public:
    TForm2();
    ~TForm2() override;

    // Shared with the snapshot, change-scanner and backup routines.
    platform::Label Label2;  // status text
    platform::ProgressBar ProgressBar1;
    platform::ListBox ListBox1;  // hidden line buffer

    platform::Panel Panel1;    // frame of the side picture
    platform::Picture Image1;  // side picture, set from page 1
    platform::Panel Panel2;    // "Take snapshot"
    platform::Panel Panel3;    // "Scan for new files"
    platform::Animation Animate1;
    platform::Animation Animate2;
    platform::Label Label1;  // "Please Wait ..."
    platform::BevelLine Bevel1;
    platform::Button Button1;  // "< &Back"
    platform::Button Button2;  // "&Start >"
    platform::Button Button3;  // "Cancel"
    platform::Button Button4;  // "Help"

    void FormActivate();
    void Button1Click();
    void Button2Click();  // the Start run
    void Button3Click();
    void Button4Click();

    // The change scanner (one drive against its snapshot).
    void Compare(char drive);
    void searchAllDirs(const std::string& folder, const std::string& mask);
    void SearchDir(const std::string& folder, const std::string& mask);
    void Process(const std::string& folder, const platform::DirEntry& found);

    restore::ScanState scan;

private:
    void StartSnapshotDrives(bool stopOnCancel);
    void StartRestoreScan();
    void ResumeAfterFailedRun();

    // Set while a Start run goes on; a message box closing over the page then
    // gives it back its activation, which is no arrival on the page.
    bool running_ = false;

    struct Texts;  // the panels' titles and explanations
    std::unique_ptr<Texts> texts_;
};
