// Moving among the pages: the Navigate table, Next on page 1 with the
// old-snapshot question, page activations, Cancel and About.
#include "common/date_stamp.h"
#include "snapshot/drive_statistics.h"
#include "wizard/resource_ids.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;

class NavigationTest : public WizardTest {
protected:
    wizard::WizardPage* Page(int number) {
        switch (number) {
            case 1:
                return page1.get();
            case 2:
                return page2.get();
            case 3:
                return page3.get();
            default:
                return page4.get();
        }
    }
    // The one page that is showing, or 0 when not exactly one.
    int ShowingPage() {
        int showing = 0;
        for (int i = 1; i <= 4; ++i) {
            if (!Page(i)->visible())
                continue;
            if (showing != 0)
                return 0;
            showing = i;
        }
        return showing;
    }
    void StartNormalRun(int daysOld) {
        Machine::setLocalNow({2001, 5, 28, 12, 0, 0});
        WriteConfig("[Dates]\r\nDate1=" +
                    std::to_string(common::FileDateStamp({2001, 5, 28 - daysOld, 9, 0, 0})) +
                    "\r\n");
        CreatePages();
    }
};

struct NavigateCase {
    int from;
    char direction;
    bool snapshotMode;
    bool listed;  // page 3 holds an entry
    int to;       // 0: no move
};

class NavigateTable : public NavigationTest, public ::testing::WithParamInterface<NavigateCase> {};

TEST_P(NavigateTable, EntersThePageAtThePlaceOfThePageLeft) {
    const NavigateCase& c = GetParam();
    CreatePages();
    common::app().run.snapshotMode = c.snapshotMode;
    common::app().run.restoreMode = !c.snapshotMode;
    if (c.listed)
        page3->Folderview.addItem("C:\\NEW\\", 3);
    page1->hideWindow();
    Page(c.from)->moveTo(37, 51);
    Page(c.from)->showWindow();

    wizard::Navigate(c.from, c.direction);
    const int expected = c.to == 0 ? c.from : c.to;
    EXPECT_EQ(ShowingPage(), expected);
    EXPECT_EQ(Machine::activeWindow(), Page(expected));
    EXPECT_EQ(Page(expected)->outerBounds().left, 37);
    EXPECT_EQ(Page(expected)->outerBounds().top, 51);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, NavigateTable,
    ::testing::Values(NavigateCase{1, 'N', false, false, 2}, NavigateCase{2, 'N', true, true, 4},
                      NavigateCase{2, 'N', false, true, 3}, NavigateCase{2, 'N', false, false, 4},
                      NavigateCase{3, 'N', false, true, 4}, NavigateCase{2, 'B', false, false, 1},
                      NavigateCase{3, 'B', false, true, 2}, NavigateCase{4, 'B', true, true, 2},
                      NavigateCase{4, 'B', false, true, 3}, NavigateCase{4, 'B', false, false, 2},
                      NavigateCase{1, 'B', false, false, 0}, NavigateCase{4, 'N', false, true, 0},
                      NavigateCase{2, 'X', false, false, 0}));

TEST_F(NavigationTest, NextWithoutAChoiceStaysOnPage1) {
    StartNormalRun(1);
    page1->Button2.click();
    EXPECT_EQ(ShowingPage(), 1);
    EXPECT_FALSE(common::app().run.snapshotMode);
    EXPECT_FALSE(common::app().run.restoreMode);
}

TEST_F(NavigationTest, FirstRunNextGoesToPage2WithoutAChoice) {
    CreatePages();
    page1->Button2.click();
    EXPECT_EQ(ShowingPage(), 2);
    EXPECT_EQ(page2->Image1.image(), wizard::SnapshotPictureId);
    EXPECT_TRUE(page2->Panel2.visible());
    EXPECT_FALSE(page2->Panel3.visible());
}

TEST_F(NavigationTest, SnapshotChoiceNeverAsksAboutAge) {
    StartNormalRun(20);
    page1->RadioButton1.click();
    page1->Button2.click();
    EXPECT_TRUE(Machine::messages().empty());
    EXPECT_EQ(ShowingPage(), 2);
    EXPECT_TRUE(common::app().run.snapshotMode);
    EXPECT_EQ(page2->Image1.image(), wizard::SnapshotPictureId);
    EXPECT_TRUE(page2->Panel2.visible());
    EXPECT_FALSE(page2->Panel3.visible());
}

TEST_F(NavigationTest, RestoreOfAWeekOldSnapshotGoesOnWithoutAsking) {
    StartNormalRun(7);
    page1->RadioButton2.click();
    page1->Button2.click();
    EXPECT_TRUE(Machine::messages().empty());
    EXPECT_EQ(ShowingPage(), 2);
    EXPECT_TRUE(common::app().run.restoreMode);
    EXPECT_EQ(page2->Image1.image(), wizard::RestorePictureId);
    EXPECT_TRUE(page2->Panel3.visible());
    EXPECT_FALSE(page2->Panel2.visible());
}

TEST_F(NavigationTest, RestoreOfAnOlderSnapshotAsksAndCancelKeepsPage1) {
    StartNormalRun(8);
    page1->moveTo(100, 80);
    page1->RadioButton2.click();
    Machine::queueAnswer(platform::MessageAnswer::Cancel);
    page1->Button2.click();

    ASSERT_EQ(Machine::messages().size(), 1u);
    const platform::fake::MessageRecord& asked = Machine::messages()[0];
    EXPECT_EQ(asked.text,
              "The snapshot is older than 1 week. It is recommended that take a new snapshot.\r"
              "To continue restoring click \"OK\" or click \"Cancel\" to cancel this operation. ");
    EXPECT_EQ(asked.caption, "Confirm");
    EXPECT_EQ(asked.kind, platform::MessageKind::Confirmation);
    EXPECT_EQ(asked.buttons, platform::MessageButtons::OkCancel);
    const platform::Rect outer = page1->outerBounds();
    EXPECT_EQ(asked.placement.x, outer.left + outer.width / 2 - 230);
    EXPECT_EQ(asked.placement.y, outer.top + outer.height / 2 - 80);
    EXPECT_EQ(ShowingPage(), 1);
    EXPECT_TRUE(common::app().run.restoreMode);

    Machine::queueAnswer(platform::MessageAnswer::Ok);
    page1->Button2.click();
    EXPECT_EQ(ShowingPage(), 2);
    EXPECT_EQ(page2->Image1.image(), wizard::RestorePictureId);
    EXPECT_EQ(page2->outerBounds().left, 100);
    EXPECT_EQ(page2->outerBounds().top, 80);
}

TEST_F(NavigationTest, Page1ActivationGivesPage2TheSnapshotPicture) {
    StartNormalRun(1);
    page1->RadioButton2.click();
    page1->Button2.click();
    EXPECT_EQ(page2->Image1.image(), wizard::RestorePictureId);
    page2->Button1.click();
    EXPECT_EQ(ShowingPage(), 1);
    EXPECT_EQ(page2->Image1.image(), wizard::SnapshotPictureId);
}

TEST_F(NavigationTest, Page2ActivationResetsItsState) {
    StartNormalRun(1);
    page2->Label2.setCaption("Scanning..C");
    common::app().run.cancelRequested = true;
    page1->RadioButton1.click();
    page1->Button2.click();
    EXPECT_EQ(page2->Label2.caption(), "Ready..");
    EXPECT_FALSE(common::app().run.cancelRequested);
    EXPECT_TRUE(page2->Button2.focused());
    EXPECT_EQ(snapshot::DriveReport('C'), "");
}

TEST_F(NavigationTest, CancelOnPage1EndsTheProgram) {
    CreatePages();
    page1->Button3.click();
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(NavigationTest, CancelOnAnIdlePage2EndsTheProgram) {
    CreatePages();
    page1->Button2.click();
    page2->Button3.click();
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(NavigationTest, CancelWhileTheBarHasMovedOnlyAsksTheWalkToStop) {
    CreatePages();
    page1->Button2.click();
    page2->ProgressBar1.setPosition(5);
    page2->Button3.click();
    EXPECT_TRUE(common::app().run.cancelRequested);
    EXPECT_FALSE(Machine::quitCode().has_value());
}

}  // namespace
