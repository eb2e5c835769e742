// Page 1, the main window: the first-run welcome or the choice between taking
// a snapshot and restoring, the status labels and the Settings button.
#pragma once

#include <memory>

#include "platform/controls.h"
#include "wizard/wizard_page.h"

class TForm1 : public wizard::WizardPage {
public:
    TForm1();
    ~TForm1() override;

    platform::Panel Panel1;  // side picture
    platform::Picture Image1;
    platform::Picture snapimage;  // invisible sources of page 2's picture
    platform::Picture restoreimage;
    platform::Panel Panel2;              // first-run welcome
    platform::Panel Panel3;              // the choice, covers the welcome panel
    platform::RadioButton RadioButton1;  // "Take snapshot of current state"
    platform::RadioButton RadioButton2;  // "Restore to previous state"
    platform::Label Label4;              // snapshot date
    platform::Label Label3;              // days passed
    platform::BevelLine Bevel1;
    platform::Button Button4;  // "&Settings..."
    platform::Button Button1;  // "< &Back"
    platform::Button Button2;  // "&Next >"
    platform::Button Button3;  // "Cancel"
    platform::Button Button5;  // "Help"

    void FormCreate();
    void FormActivate();
    void Start();
    void callhelp();
    // The help file at one topic, by its number (HelpTopic).
    void callhelpTopic(unsigned long topic);
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();

private:
    struct Texts;  // the panels' titles and explanations
    std::unique_ptr<Texts> texts_;
};
