// Moves between the four wizard pages, keeping the wizard in place on screen.
#include "common/app_state.h"
#include "wizard/finish_window.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

namespace wizard {

namespace {

bool ReviewListsHoldItems() {
    const TForm3* page3 = pages().form3;
    return page3 != nullptr && (page3->Fileview.count() > 0 || page3->Folderview.count() > 0);
}

WizardPage* PageWindow(int page) {
    const Pages& all = pages();
    switch (page) {
        case 1:
            return all.form1;
        case 2:
            return all.form2;
        case 3:
            return all.form3;
        case 4:
            return all.form4;
        default:
            return nullptr;
    }
}

// The page entered from `page` in `direction`, or 0 for no move.
int Destination(int page, char direction) {
    const bool snapshot = common::app().run.snapshotMode;
    if (direction == 'N') {
        switch (page) {
            case 1:
                return 2;
            case 2:
                return snapshot || !ReviewListsHoldItems() ? 4 : 3;
            case 3:
                return 4;
            default:
                return 0;
        }
    }
    if (direction == 'B') {
        switch (page) {
            case 2:
                return 1;
            case 3:
                return 2;
            case 4:
                return snapshot || !ReviewListsHoldItems() ? 2 : 3;
            default:
                return 0;
        }
    }
    return 0;
}

// The review page opens on the list it shows, whose first entry takes the
// focus: the user reads the entries before anything is pressed, and Enter
// still goes on. Every other page opens on the button that goes on.
platform::Control* EntryFocus(WizardPage* page) {
    TForm3* review = pages().form3;
    if (review != nullptr && page == review)
        return review->Panel3.visible() ? &review->Folderview : &review->Fileview;
    return page->defaultButton();
}

}  // namespace

void Navigate(int page, char direction) {
    WizardPage* from = PageWindow(page);
    WizardPage* to = PageWindow(Destination(page, direction));
    if (from == nullptr || to == nullptr)
        return;
    const platform::Rect place = from->outerBounds();
    to->beforeShowing();
    to->moveTo(place.left, place.top);
    to->showWindow();
    if (platform::Control* entry = EntryFocus(to))
        entry->setFocus();
    from->hideWindow();
}

}  // namespace wizard
