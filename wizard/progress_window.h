// Page 2, the progress window: the Start run over the selected drives, and
// the status label and progress bar that show the walks.
#pragma once

#include <memory>
#include <string>

#include "platform/controls.h"
#include "snapshot/walk_view.h"
#include "wizard/wizard_page.h"

class TForm2 : public wizard::WizardPage, public snapshot::WalkView {
public:
    TForm2();
    ~TForm2() override;

    // What the snapshot, change-scanner and backup walks show.
    platform::Label Label2;  // status text
    platform::ProgressBar ProgressBar1;

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

    // One drive's snapshot, shown on this page.
    void SnapshotDrive(char drive);
    // The change scanner: one drive against its snapshot, listed on page 3.
    void Compare(char drive);

    // The walks' view.
    void showStatus(const std::string& text) override;
    void setProgressRange(int maximum) override;
    void setProgress(int position) override;
    int progress() const override;
    void pump() override;

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
