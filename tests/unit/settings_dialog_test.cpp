// The Settings dialog: its layout and captions, OK saving (except during a
// first run), Cancel putting the boxes back.
#include <functional>

#include "platform/files.h"
#include "wizard/option_box.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;

class SettingsDialogTest : public WizardTest {
protected:
    // Opens the dialog from page 1 and lets `act` work on it while it shows.
    void WithDialog(const std::function<void(TOptionBox&)>& act) {
        int opened = 0;
        Machine::onModal([&](platform::Window& window) {
            auto* box = dynamic_cast<TOptionBox*>(&window);
            ASSERT_NE(box, nullptr);
            ++opened;
            act(*box);
        });
        page1->Button4.click();
        Machine::onModal(nullptr);
        EXPECT_EQ(opened, 1);
    }

    static std::vector<std::string> Captions(TOptionBox& box) {
        std::vector<std::string> captions;
        for (int i = 0; i < common::DriveCount; ++i)
            captions.push_back(box.driveBox(i)->caption());
        return captions;
    }

    static const char* NormalConfig() {
        return "[Settings]\r\nDntsie=1\r\nRecycle=1\r\nDntsne=1\r\ndrivec=1\r\ndrived=1\r\n";
    }
};

TEST_F(SettingsDialogTest, OnlyHardAndNetworkDrivesCanBeChosen) {
    Machine::addDrive('D', platform::drivetype::Remote);
    Machine::addDrive('E', platform::drivetype::CdRom);
    Machine::addDrive('I');
    CreatePages();
    WithDialog([](TOptionBox& box) {
        EXPECT_EQ(box.caption(), "Settings");
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.PageControl1.selectedTab(), 0);
        const std::vector<std::string> expected = {"Drive &C: Hard Disk",
                                                   "Drive &D: Network Drive",
                                                   "None",
                                                   "None",
                                                   "None",
                                                   "None",
                                                   "Drive  &I: Hard Disk",
                                                   "None"};
        EXPECT_EQ(Captions(box), expected);
        const bool enabled[] = {true, true, false, false, false, false, true, false};
        for (int i = 0; i < common::DriveCount; ++i) {
            EXPECT_EQ(box.driveBox(i)->enabled(), enabled[i]) << i;
            EXPECT_EQ(box.driveBox(i)->checked(), enabled[i]) << i;
        }
        EXPECT_TRUE(box.CheckBox1.checked());
        EXPECT_TRUE(box.CheckBox4.checked());
        EXPECT_TRUE(box.CheckBox6.checked());
        box.Button2.click();
    });
}

TEST_F(SettingsDialogTest, OkSavesTheChangesAndClosesTheDialog) {
    Machine::addDrive('D');
    WriteConfig(NormalConfig());
    CreatePages();
    const size_t windowsBefore = Machine::windows().size();
    WithDialog([](TOptionBox& box) {
        box.drvd.click();
        box.CheckBox1.click();
        box.Button1.click();
        EXPECT_FALSE(box.isModal());
    });
    EXPECT_EQ(Machine::windows().size(), windowsBefore);
    EXPECT_EQ(Config(),
              "[Settings]\r\nDntsie=1\r\nRecycle=0\r\nDntsne=1\r\ndrivec=1\r\ndrived=0\r\n"
              "drivee=0\r\ndrivef=0\r\ndriveg=0\r\ndriveh=0\r\ndrivei=0\r\ndrivej=0\r\n");
    EXPECT_FALSE(common::app().settings.driveSelected[1]);
    EXPECT_FALSE(common::app().settings.useRecycleBin);
}

TEST_F(SettingsDialogTest, OkDuringAFirstRunKeepsTheChoicesInMemoryOnly) {
    Machine::addDrive('D');
    CreatePages();
    WithDialog([](TOptionBox& box) {
        box.drvc.click();
        box.CheckBox6.click();
        box.Button1.click();
    });
    EXPECT_FALSE(platform::fileExists(ConfigFile));
    EXPECT_FALSE(common::app().settings.driveSelected[0]);
    EXPECT_TRUE(common::app().settings.driveSelected[1]);
    EXPECT_FALSE(common::app().settings.skipNetscapeCache);
}

TEST_F(SettingsDialogTest, CancelPutsTheBoxesBackAndSavesNothing) {
    WriteConfig(NormalConfig());
    CreatePages();
    WithDialog([](TOptionBox& box) {
        box.drvc.click();
        box.CheckBox1.click();
        box.CheckBox4.click();
        box.Button2.click();
        EXPECT_TRUE(box.drvc.checked());
        EXPECT_TRUE(box.CheckBox1.checked());
        EXPECT_TRUE(box.CheckBox4.checked());
    });
    EXPECT_EQ(Config(), NormalConfig());
    EXPECT_TRUE(common::app().settings.driveSelected[0]);
    EXPECT_TRUE(common::app().settings.useRecycleBin);
    WithDialog([](TOptionBox& box) {
        EXPECT_TRUE(box.drvc.checked());
        EXPECT_TRUE(box.CheckBox1.checked());
        box.Button2.click();
    });
}

TEST_F(SettingsDialogTest, OkWithAReadOnlyConfigFileClosesAndReportsTheError) {
    WriteConfig(NormalConfig());
    CreatePages();
    platform::setFileAttributes(ConfigFile, platform::attr::ReadOnly);
    WithDialog([](TOptionBox& box) {
        box.CheckBox4.click();
        box.Button1.click();
        EXPECT_FALSE(box.isModal());
    });
    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_TRUE(Machine::messages()[0].errorBox);
    EXPECT_EQ(Machine::messages()[0].text, std::string("Unable to write to ") + ConfigFile);
    EXPECT_EQ(Config(), NormalConfig());
    // The program goes on: the wizard still answers.
    EXPECT_FALSE(Machine::quitCode().has_value());
    page1->RadioButton1.click();
    page1->Button2.click();
    EXPECT_EQ(Machine::activeWindow(), page2.get());
}

}  // namespace
