// Message dialogs placed relative to page 1: captions of the kinds, and the
// place taken from page 1's last position even while another page shows.
#include "common/messages.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;
using platform::MessageKind;

class MessagesTest : public WizardTest {};

TEST_F(MessagesTest, EachKindHasItsCaptionAndThePlainBoxTheProgramTitle) {
    platform::setApplicationTitle("Trellmark");
    CreatePages();
    const std::pair<MessageKind, const char*> kinds[] = {
        {MessageKind::Warning, "Warning"},
        {MessageKind::Error, "Error"},
        {MessageKind::Information, "Information"},
        {MessageKind::Confirmation, "Confirm"},
    };
    for (const auto& [kind, caption] : kinds) {
        common::ShowCenteredMessage("text", kind, platform::MessageButtons::Ok, 110, 40);
        EXPECT_EQ(Machine::messages().back().caption, caption);
        EXPECT_EQ(Machine::messages().back().kind, kind);
    }
    common::ShowCenteredPlainMessage("Deleting files and folders finished.", 180, 40);
    EXPECT_EQ(Machine::messages().back().caption, "Trellmark");
    EXPECT_EQ(Machine::messages().back().kind, MessageKind::Plain);
}

TEST_F(MessagesTest, PlacedFromPage1WhereverTheShowingPageWasDragged) {
    CreatePages();
    page1->moveTo(301, 199);
    page1->Button2.click();
    ASSERT_TRUE(page2->visible());
    page2->moveTo(5, 7);

    common::ShowCenteredMessage("  Cannot access drive  D", MessageKind::Error,
                                platform::MessageButtons::Ok, 110, 40);
    const platform::Rect outer = page1->outerBounds();
    EXPECT_EQ(outer.left, 301);
    const platform::MessagePlacement place = Machine::messages().back().placement;
    // Odd sizes halve towards zero.
    EXPECT_EQ(place.x, 301 + outer.width / 2 - 110);
    EXPECT_EQ(place.y, 199 + outer.height / 2 - 40);
}

}  // namespace
