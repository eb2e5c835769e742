// Page 4, the finish window: the end of a snapshot run, or the summary of a
// restore scan and its Finish, which removes the ticked items and restores
// the system files.
#pragma once

#include <string>

#include "platform/controls.h"
#include "restore/removal.h"
#include "wizard/wizard_page.h"

class TForm4 : public wizard::WizardPage {
public:
    TForm4();
    ~TForm4() override;
    void beforeShowing() override { FormActivate(); }

    platform::Panel Panel1;
    platform::Picture Image1;
    platform::Panel Panel2;  // snapshot face
    platform::Label Label1;  // "Taking snapshot  finished"
    platform::RichEdit RichEdit2;
    platform::Panel Panel3;              // restore face
    platform::Label Label2;              // "Scanning finished"
    platform::RichEdit RichEdit3;        // summary
    platform::RadioButton RadioButton1;  // restart now
    platform::RadioButton RadioButton2;  // restart later
    platform::Button Button4;            // "&Details..."
    platform::BevelLine Bevel1;
    platform::Button Button6;  // "&About..."
    platform::Button Button1;  // "< &Back"
    platform::Button Button2;  // "Finish"
    platform::Button Button3;  // "Cancel"
    platform::Button Button5;  // "Help"

    void FormActivate();
    void Button1Click();
    void Button2Click();  // Finish
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();

    // Removes every ticked file, then every ticked folder that is empty;
    // what it had to leave is in `removal`.
    void Deletion();
    restore::RemovalOutcome removal;
};

namespace restore {

// "3 selected items could not be removed. ..." when Deletion left any.
void ReportRemoval(const RemovalOutcome& outcome);

}  // namespace restore
