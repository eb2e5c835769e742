// Program entry of the wizard: the four pages created in order, page 1 shown
// centred on the screen, then the message loop.
#include "platform/app.h"
#include "platform/dialogs.h"
#include "wizard/finish_window.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

int main() {
    platform::setApplicationTitle("Trellmark");
    wizard::Pages& pages = wizard::pages();

    TForm1 form1;
    pages.form1 = &form1;
    // Start runs while page 1 is created, before the other pages exist.
    platform::dispatchEvent([&form1] { form1.FormCreate(); });
    TForm2 form2;
    pages.form2 = &form2;
    TForm3 form3;
    pages.form3 = &form3;
    TForm4 form4;
    pages.form4 = &form4;
    wizard::AttachHelpTopics(pages);

    form1.centreOnScreen();
    form1.showWindow();
    const int exitCode = platform::runMessageLoop();
    pages = wizard::Pages();
    return exitCode;
}
