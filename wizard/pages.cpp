// The four wizard windows, reached by every page through pages().
#include "wizard/pages.h"

#include "common/messages.h"
#include "wizard/page1.h"

namespace wizard {

namespace {

const platform::Window* page1Anchor() {
    return pages().form1;
}

}  // namespace

Pages& pages() {
    static Pages all;
    // Message boxes stand relative to page 1 from the moment the pages are
    // reached at all; before that there is no page 1 to place them by.
    static const bool anchored = (common::SetMessageAnchor(page1Anchor), true);
    (void)anchored;
    return all;
}

}  // namespace wizard
