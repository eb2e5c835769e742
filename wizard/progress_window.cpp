// Page 2, the progress window: its controls and texts, its activation, and
// the Back, Cancel and Help buttons. The Start run is in start_run.cpp.
#include "wizard/progress_window.h"

#include "common/app_state.h"
#include "platform/app.h"
#include "restore/change_scanner.h"
#include "snapshot/drive_statistics.h"
#include "snapshot/snapshot_scanner.h"
#include "wizard/pages.h"
#include "wizard/resource_ids.h"
#include "wizard/review_window.h"
#include "wizard/wizard_texts.h"

namespace {
constexpr int AnimationStopFrame = 8;
}

struct TForm2::Texts {
    explicit Texts(TForm2& page)
        : snapshotTitle(&page.Panel2, 8, 8, "Take snapshot", wizard::TitleFont()),
          snapshotText(&page.Panel2, {8, 32, 324, 140}, platform::Background::ButtonFace, false),
          restoreTitle(&page.Panel3, 8, 8, "Scan for new files", wizard::TitleFont()),
          restoreText(&page.Panel3, {8, 32, 324, 140}, platform::Background::ButtonFace, false) {
        wizard::FillParagraphs(snapshotText, wizard::SnapshotParagraphs());
        wizard::FillParagraphs(restoreText, wizard::RestoreParagraphs());
    }
    platform::Label snapshotTitle;
    platform::RichEdit snapshotText;
    platform::Label restoreTitle;
    platform::RichEdit restoreText;
};

TForm2::TForm2()
    : Label2(this, 8, 266, " Ready.."),
      ProgressBar1(this, {72, 266, 420, 16}),
      Panel1(this, PictureBounds),
      Image1(&Panel1, {0, 0, PictureBounds.width, PictureBounds.height}, wizard::SnapshotPictureId),
      Panel2(this, ContentBounds),
      Panel3(this, ContentBounds),
      Animate1(&Panel2, {16, 180, 80, 50}, AnimationStopFrame),
      Animate2(&Panel3, {16, 180, 80, 50}, AnimationStopFrame),
      Label1(&Panel2, 112, 198, "Please Wait ..."),
      Bevel1(this, RuleBounds),
      Button1(this, buttonAt(BackLeft), "< &Back"),
      Button2(this, buttonAt(NextLeft), "&Start >"),
      Button3(this, buttonAt(CancelLeft), "Cancel"),
      Button4(this, buttonAt(HelpLeft), "Help"),
      texts_(std::make_unique<Texts>(*this)) {
    Panel3.hide();
    Label1.hide();
    ProgressBar1.setMaximum(100);
    setTabOrder({&Panel2, &Panel3, &Button1, &Button2, &Button3, &Button4});
    setDefaultButton(&Button2);
    setCancelButton(&Button3);
    onActivate = [this] { FormActivate(); };
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
    Button3.onClick = [this] { Button3Click(); };
    Button4.onClick = [this] { Button4Click(); };
}

TForm2::~TForm2() = default;

// Runs whenever the user comes to page 2. A message box of a run closing over
// the page activates it too, but must not empty the reports the run has built
// so far nor forget a Cancel.
void TForm2::FormActivate() {
    if (running_)
        return;
    common::AppState& state = common::app();
    Button2.setFocus();
    state.run.cancelRequested = false;
    Label2.setCaption("Ready..");
    snapshot::ClearDriveReports();
    if (state.run.snapshotMode) {
        Panel2.show();
        Panel3.hide();
    } else if (state.run.restoreMode) {
        Panel3.show();
        Panel2.hide();
    }
}

void TForm2::Button1Click() {
    wizard::Navigate(2, 'B');
}

// While a walk runs (the bar has moved) Cancel asks it to stop; on an idle
// page it ends the program.
void TForm2::Button3Click() {
    common::RunFlags& run = common::app().run;
    if (ProgressBar1.position() != 0)
        run.cancelRequested = true;
    if (!run.cancelRequested)
        platform::quit();
}

void TForm2::Button4Click() {
    wizard::CallHelp();
}

void TForm2::SnapshotDrive(char drive) {
    snapshot::SnapshotDrive(drive, *this);
}

namespace {

// Without a review page nothing found is kept.
class NoReview : public restore::ReviewSink {
public:
    void addFile(const std::string&, const platform::DirEntry&) override {}
    void addFolder(const std::string&) override {}
    void tickAll() override {}
};

}  // namespace

void TForm2::Compare(char drive) {
    NoReview none;
    TForm3* review = wizard::pages().form3;
    restore::CompareDrive(drive, *this,
                          review != nullptr ? *review : static_cast<restore::ReviewSink&>(none));
}

void TForm2::showStatus(const std::string& text) {
    Label2.setCaption(text);
    Label2.repaint();
}

void TForm2::setProgressRange(int maximum) {
    ProgressBar1.setMaximum(maximum);
}

void TForm2::setProgress(int position) {
    ProgressBar1.setPosition(position);
}

int TForm2::progress() const {
    return ProgressBar1.position();
}

void TForm2::pump() {
    platform::processMessages();
}
