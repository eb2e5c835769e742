// The Start run of page 2: a snapshot of the selected drives with the system
// files' backup, or a restore scan of them against their snapshots.
#include <vector>

#include "common/app_state.h"
#include "platform/listview.h"
#include "restore/system_files.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"
#include "wizard/settings.h"

namespace {

void EmptyReviewLists() {
    TForm3* page3 = wizard::pages().form3;
    if (page3 == nullptr)
        return;
    for (platform::ListView* list : {&page3->Fileview, &page3->Folderview}) {
        list->beginUpdate();
        list->clear();
        list->endUpdate();
    }
}

// Holds back the drawing of both review lists while it lives.
class ListsFilling {
public:
    ListsFilling() {
        for (platform::ListView* list : lists())
            list->beginUpdate();
    }
    ~ListsFilling() {
        for (platform::ListView* list : lists())
            list->endUpdate();
    }
    ListsFilling(const ListsFilling&) = delete;
    ListsFilling& operator=(const ListsFilling&) = delete;

private:
    static std::vector<platform::ListView*> lists() {
        TForm3* page3 = wizard::pages().form3;
        if (page3 == nullptr)
            return {};
        return {&page3->Fileview, &page3->Folderview};
    }
};

}  // namespace

void TForm2::Button2Click() {
    common::AppState& state = common::app();
    EmptyReviewLists();
    Button1.setEnabled(false);
    Button2.setEnabled(false);
    Button3.setFocus();
    running_ = true;
    try {
        if (state.run.firstRun) {
            Button3.setEnabled(false);
            Animate1.play();
            Label1.show();
            StartSnapshotDrives(false);
            restore::BackupSystemFiles(this);
            wizard::SaveSettings();
            Animate1.stop();
            Button3.setEnabled(true);
            Label1.hide();
        } else if (state.run.snapshotMode) {
            Button3.setEnabled(false);
            Animate1.play();
            StartSnapshotDrives(true);
            if (!state.run.cancelRequested) {
                restore::BackupSystemFiles(this);
                wizard::SaveSettings();
            }
            Animate1.stop();
            Button3.setEnabled(true);
        } else if (state.run.restoreMode) {
            Animate2.play();
            StartRestoreScan();
            Animate2.stop();
        }
    } catch (...) {
        // The error still goes to the general error handler; the page must
        // not stay locked in its running state.
        running_ = false;
        ResumeAfterFailedRun();
        throw;
    }
    running_ = false;
    ProgressBar1.setPosition(0);
    Button1.setEnabled(true);
    Button2.setEnabled(true);
    Label2.setCaption(" Ready..");
    if (!state.run.cancelRequested)
        wizard::Navigate(2, 'N');
    state.run.cancelRequested = false;
    Button2.setFocus();
}

void TForm2::StartSnapshotDrives(bool stopOnCancel) {
    const common::AppState& state = common::app();
    for (int i = 0; i < common::DriveCount; ++i) {
        if (!state.settings.driveSelected[i])
            continue;
        if (stopOnCancel && state.run.cancelRequested)
            continue;
        SnapshotDrive(common::DriveLetters[i]);
    }
}

void TForm2::StartRestoreScan() {
    const common::AppState& state = common::app();
    // The lists are not on show during the scan: drawing each entry as it
    // comes would cost more than finding it.
    const ListsFilling filling;
    for (int i = 0; i < common::DriveCount; ++i) {
        if (state.settings.driveSelected[i] && !state.run.cancelRequested) {
            Compare(common::DriveLetters[i]);
        }
    }
}

// Back to idle, staying on page 2, as after a cancelled run.
void TForm2::ResumeAfterFailedRun() {
    Animate1.stop();
    Animate2.stop();
    Label1.hide();
    ProgressBar1.setPosition(0);
    Button1.setEnabled(true);
    Button2.setEnabled(true);
    Button3.setEnabled(true);
    Label2.setCaption(" Ready..");
    common::app().run.cancelRequested = false;
    Button2.setFocus();
}
