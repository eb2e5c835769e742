// Page 1: its controls and texts, and the handlers of its buttons.
#include "wizard/page1.h"

#include "common/app_state.h"
#include "common/messages.h"
#include "platform/app.h"
#include "wizard/option_box.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/resource_ids.h"
#include "wizard/wizard_texts.h"

using platform::Rect;

struct TForm1::Texts {
    explicit Texts(TForm1& page)
        : welcomeTitle(&page.Panel2, 8, 8, WelcomeTitle, wizard::TitleFont()),
          welcomeText(&page.Panel2, {8, 32, 324, 200}, platform::Background::ButtonFace, false),
          choiceTitle(&page.Panel3, 8, 8, WelcomeTitle, wizard::TitleFont()),
          choiceText(&page.Panel3, {8, 32, 324, 112}, platform::Background::ButtonFace, false) {
        wizard::FillParagraphs(welcomeText, wizard::FirstRunParagraphs());
        wizard::FillParagraphs(choiceText, wizard::ChoiceParagraphs());
    }
    static constexpr const char* WelcomeTitle = "Welcome to the Trellmark";
    platform::Label welcomeTitle;
    platform::RichEdit welcomeText;
    platform::Label choiceTitle;
    platform::RichEdit choiceText;
};

TForm1::TForm1()
    : Panel1(this, PictureBounds),
      Image1(&Panel1, {0, 0, PictureBounds.width, PictureBounds.height}, wizard::WizardPictureId),
      snapimage(&Panel1, {0, 0, PictureBounds.width, PictureBounds.height},
                wizard::SnapshotPictureId),
      restoreimage(&Panel1, {0, 0, PictureBounds.width, PictureBounds.height},
                   wizard::RestorePictureId),
      Panel2(this, ContentBounds),
      Panel3(this, ContentBounds),
      RadioButton1(&Panel3, {16, 184, 300, 17}, "&Take snapshot of current state"),
      RadioButton2(&Panel3, {16, 216, 300, 17}, "&Restore to previous state"),
      Label4(&Panel3, 8, 146, ""),
      Label3(&Panel3, 226, 146, ""),
      Bevel1(this, RuleBounds),
      Button4(this, buttonAt(SideLeft), "&Settings..."),
      Button1(this, buttonAt(BackLeft), "< &Back"),
      Button2(this, buttonAt(NextLeft), "&Next >"),
      Button3(this, buttonAt(CancelLeft), "Cancel"),
      Button5(this, buttonAt(HelpLeft), "Help"),
      texts_(std::make_unique<Texts>(*this)) {
    snapimage.hide();
    restoreimage.hide();
    // The choice shows only once a snapshot exists (Start decides).
    Panel3.hide();
    Button1.setEnabled(false);
    // Tab follows what the user sees: the choice, then the buttons' row from
    // the left.
    setTabOrder({&Panel2, &Panel3, &Button4, &Button1, &Button2, &Button3, &Button5});
    setDefaultButton(&Button2);
    setCancelButton(&Button3);
    onActivate = [this] { FormActivate(); };
    Button2.onClick = [this] { Button2Click(); };
    Button3.onClick = [this] { Button3Click(); };
    Button4.onClick = [this] { Button4Click(); };
    Button5.onClick = [this] { Button5Click(); };
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    Start();
}

void TForm1::FormActivate() {
    TForm2* page2 = wizard::pages().form2;
    if (page2 != nullptr)
        page2->Image1.setImage(snapimage.image());
}

// Next: the choice made decides the run; an old snapshot is confirmed first.
void TForm1::Button2Click() {
    common::RunFlags& run = common::app().run;
    TForm2* page2 = wizard::pages().form2;
    run.snapshotMode = false;
    run.restoreMode = false;
    if (RadioButton1.checked()) {
        if (page2 != nullptr)
            page2->Image1.setImage(snapimage.image());
        run.snapshotMode = true;
    }
    if (RadioButton2.checked()) {
        if (page2 != nullptr)
            page2->Image1.setImage(restoreimage.image());
        run.restoreMode = true;
    }
    if (run.restoreMode && common::app().settings.snapshotOld) {
        const platform::MessageAnswer answer = common::ShowCenteredMessage(
            wizard::OldSnapshotQuestion(), platform::MessageKind::Confirmation,
            platform::MessageButtons::OkCancel, 230, 80);
        if (answer != platform::MessageAnswer::Ok)
            return;
        // Page 1 became active again when the question closed, which gave
        // page 2 the snapshot picture; a restore shows its own.
        if (page2 != nullptr)
            page2->Image1.setImage(restoreimage.image());
    }
    if (run.snapshotMode || run.restoreMode || run.firstRun)
        wizard::Navigate(1, 'N');
}

void TForm1::Button3Click() {
    platform::quit();
}

void TForm1::Button4Click() {
    wizard::ShowSettingsDialog();
}

void TForm1::Button5Click() {
    callhelp();
}
