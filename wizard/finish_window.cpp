// Page 4: its snapshot face and its restore face with the summary of what is
// ticked, and Finish, which removes, restores and ends the program.
#include "wizard/finish_window.h"

#include <iterator>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/messages.h"
#include "platform/app.h"
#include "platform/listview.h"
#include "platform/shell.h"
#include "restore/system_files.h"
#include "snapshot/drive_statistics.h"
#include "wizard/pages.h"
#include "wizard/resource_ids.h"
#include "wizard/review_window.h"

namespace {

const platform::Font HeadingFont{"MS Sans Serif", 10, true};

const char* const SnapshotText[] = {
    "Trellmark has finished taking the snapshot of your current ",
    "windows and drive(s) states.",
    "",
    "Now your system is ready for new installations.",
    "",
    "To see drive reports please click \"Details\" button.",
    "",
    "Or to close the program click\"Finish\" button.",
};

// Showing or hiding a control that already is so would still arrange and
// paint its page again.
void showAs(platform::Control& control, bool shown) {
    if (control.visible() != shown)
        control.setVisible(shown);
}

int tickedCount(const platform::ListView& list) {
    int ticked = 0;
    for (int i = 0; i < list.count(); ++i) {
        if (list.checked(i))
            ++ticked;
    }
    return ticked;
}

}  // namespace

TForm4::TForm4()
    : Panel1(this, PictureBounds, platform::Bevel::Lowered),
      Image1(&Panel1, {1, 1, 126, 240}, wizard::WizardPictureId),
      Panel2(this, ContentBounds),
      Label1(&Panel2, 4, 0, "Taking snapshot  finished", HeadingFont),
      RichEdit2(&Panel2, {4, 26, 320, 105}, platform::Background::ButtonFace, false),
      Panel3(this, ContentBounds),
      Label2(&Panel3, 4, 0, "Scanning finished", HeadingFont),
      RichEdit3(&Panel3, {4, 26, 320, 129}, platform::Background::ButtonFace, false),
      RadioButton1(&Panel3, {20, 168, 217, 17}, "&Yes, I want to restart my computer now."),
      RadioButton2(&Panel3, {20, 200, 233, 17}, "&No, I will restart my computer later."),
      Button4(this, {HelpLeft, 256, 75, 24}, "&Details..."),
      Bevel1(this, RuleBounds),
      Button6(this, buttonAt(SideLeft, 25), "&About..."),
      Button1(this, buttonAt(BackLeft), "< &Back"),
      Button2(this, buttonAt(NextLeft), "Finish"),
      Button3(this, buttonAt(CancelLeft), "Cancel"),
      Button5(this, buttonAt(HelpLeft), "Help") {
    RichEdit2.setLines(std::vector<std::string>(std::begin(SnapshotText), std::end(SnapshotText)));
    Panel3.hide();
    RadioButton1.setChecked(true);
    // Tab follows what the user sees: the choice, Details above the row of
    // buttons, then the row from the left.
    setTabOrder({&Panel2, &Panel3, &Button4, &Button6, &Button1, &Button2, &Button3, &Button5});
    setDefaultButton(&Button2);
    setCancelButton(&Button3);

    onActivate = [this] { FormActivate(); };
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
    Button3.onClick = [this] { Button3Click(); };
    Button4.onClick = [this] { Button4Click(); };
    Button5.onClick = [this] { Button5Click(); };
    Button6.onClick = [this] { Button6Click(); };
}

TForm4::~TForm4() = default;

void TForm4::FormActivate() {
    const common::RunFlags& run = common::app().run;
    showAs(Button4, !run.restoreMode);
    // A first run leaves the panels as they are: the snapshot face.
    if (run.snapshotMode) {
        showAs(Panel2, true);
        showAs(Panel3, false);
    }
    if (!run.restoreMode) {
        RichEdit3.setLines({});
        showAs(RadioButton1, true);
        showAs(RadioButton2, true);
        return;
    }

    showAs(Panel3, true);
    showAs(Panel2, false);
    const TForm3* review = wizard::pages().form3;
    const bool changes =
        review != nullptr && (review->Fileview.count() > 0 || review->Folderview.count() > 0);
    showAs(RadioButton1, changes);
    showAs(RadioButton2, changes);
    if (!changes) {
        RichEdit3.setLines(
            {"There is no changes. Please click \"Finish\" button to close the program."});
        return;
    }
    const int files = tickedCount(review->Fileview);
    const int folders = tickedCount(review->Folderview);
    RichEdit3.setLines({
        "There are " + std::to_string(files) + " file(s) and " + std::to_string(folders) +
            " folder(s) selected for removing.",
        "",
        "Click \"Finish\" button to delete these new files and folders.",
        "",
        "Or click \"Cancel\" button to quit the program without making any changes.",
        "",
        "In order to restore the windows environment to its previous state. Trellmark will "
        "need to restart your computer.",
    });
}

void TForm4::Deletion() {
    removal = restore::RemovalOutcome{};
    const TForm3* review = wizard::pages().form3;
    if (review == nullptr)
        return;
    std::vector<restore::TickedFile> files;
    const platform::ListView& fileList = review->Fileview;
    for (int i = 0; i < fileList.count(); ++i) {
        if (fileList.checked(i))
            files.push_back({fileList.subItem(i, 1), fileList.caption(i)});
    }
    std::vector<std::string> folders;
    const platform::ListView& folderList = review->Folderview;
    for (int i = 0; i < folderList.count(); ++i) {
        if (folderList.checked(i))
            folders.push_back(folderList.caption(i));
    }
    removal = restore::RemoveTicked(files, folders);
}

void TForm4::Button1Click() {
    wizard::Navigate(4, 'B');
}

void TForm4::Button2Click() {
    const TForm3* review = wizard::pages().form3;
    const bool listed =
        review != nullptr && (review->Fileview.count() > 0 || review->Folderview.count() > 0);
    if (common::app().run.restoreMode && listed) {
        // An I/O error in the restore leaves by exception: no closing message,
        // no restart, and the program stays on this page.
        Deletion();
        restore::RestoreSystemFiles();
        restore::ReportRemoval(removal);
        if (RadioButton1.checked()) {
            common::ShowCenteredPlainMessage(
                "Deleting files finished. Click \"OK\" button to reboot your computer.", 180, 40);
            platform::restartWindows();
        } else {
            common::ShowCenteredPlainMessage(
                "Deleting files and folders finished. Click \"OK\" button to close the program.",
                180, 40);
        }
    }
    platform::quit(0);
}

void TForm4::Button3Click() {
    platform::quit(0);
}

void TForm4::Button4Click() {
    snapshot::ShowDriveReports();
}

void TForm4::Button5Click() {
    wizard::CallHelp();
}

void TForm4::Button6Click() {
    wizard::ShowAboutBox();
}

namespace restore {

void ReportRemoval(const RemovalOutcome& outcome) {
    if (outcome.left == 0)
        return;
    const std::string text = outcome.left == 1
                                 ? "1 selected item could not be removed. It is " + outcome.first
                                 : std::to_string(outcome.left) +
                                       " selected items could not be removed. The first is " +
                                       outcome.first;
    common::ShowCenteredMessage(text, platform::MessageKind::Warning, platform::MessageButtons::Ok,
                                180, 40);
}

}  // namespace restore
