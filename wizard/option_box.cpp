// The Settings dialog: its tabs and boxes, and OK and Cancel.
#include "wizard/option_box.h"

#include "common/app_state.h"
#include "wizard/pages.h"
#include "wizard/settings.h"

namespace {

platform::Window::CreateArgs DialogFrame() {
    platform::Window::CreateArgs args;
    args.caption = "Settings";
    args.clientWidth = 332;
    args.clientHeight = 260;
    args.style = platform::WindowStyle::Dialog;
    return args;
}

constexpr int LeftColumn = 24;
constexpr int RightColumn = 168;
constexpr int DriveBoxWidth = 128;
constexpr int BoxHeight = 17;

// "Drive  I: " keeps its two blanks; the letter is each box's mnemonic.
constexpr const char* DrivePrefixes[common::DriveCount] = {
    "Drive &C: ", "Drive &D: ", "Drive &E: ",  "Drive &F: ",
    "Drive &G: ", "Drive &H: ", "Drive  &I: ", "Drive &J: ",
};

platform::Rect LeftDrive(int row) {
    return {LeftColumn, 46 + 24 * row, DriveBoxWidth, BoxHeight};
}
platform::Rect RightDrive(int row) {
    return {RightColumn, 48 + 24 * row, DriveBoxWidth, BoxHeight};
}

}  // namespace

TOptionBox::TOptionBox()
    : platform::Window(DialogFrame()),
      PageControl1(this, {2, 8, 319, 201}, {"Drive(s)", "Recycle Bin", "Internet"}),
      GroupBox1(&PageControl1.page(0), {6, 6, 300, 160}, "Select drive(s)"),
      drvc(&GroupBox1, LeftDrive(0), "None"),
      drvd(&GroupBox1, LeftDrive(1), "None"),
      drve(&GroupBox1, LeftDrive(2), "None"),
      drvf(&GroupBox1, LeftDrive(3), "None"),
      drvg(&GroupBox1, RightDrive(0), "None"),
      drvh(&GroupBox1, RightDrive(1), "None"),
      drvi(&GroupBox1, RightDrive(2), "None"),
      drvj(&GroupBox1, RightDrive(3), "None"),
      GroupBox2(&PageControl1.page(1), {6, 6, 300, 80}, "Delete method"),
      CheckBox1(&GroupBox2, {16, 32, 270, BoxHeight}, "Send deleted files to the &Recycle Bin."),
      GroupBox3(&PageControl1.page(2), {6, 6, 300, 70}, "MS Internet Explorer"),
      CheckBox4(&GroupBox3, {16, 30, 270, BoxHeight},
                "Don't list &Msie cache files.  (recommended) "),
      GroupBox4(&PageControl1.page(2), {6, 88, 300, 70}, "Netscape Navigator"),
      CheckBox6(&GroupBox4, {16, 30, 270, BoxHeight},
                "Don't list &Netscape cache files.  (recommended)"),
      Button1(this, {160, 224, 75, 25}, "OK"),
      Button2(this, {246, 224, 75, 25}, "Cancel") {
    PageControl1.selectTab(0);
    setDefaultButton(&Button1);
    setCancelButton(&Button2);
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
}

TOptionBox::~TOptionBox() = default;

platform::CheckBox* TOptionBox::driveBox(int index) {
    platform::CheckBox* boxes[common::DriveCount] = {&drvc, &drvd, &drve, &drvf,
                                                     &drvg, &drvh, &drvi, &drvj};
    return boxes[index];
}

void TOptionBox::FormCreate() {
    const common::Settings& settings = common::app().settings;
    ShowSettings();
    for (int i = 0; i < common::DriveCount; ++i) {
        platform::CheckBox* box = driveBox(i);
        if (settings.driveKind[i] != common::DriveKind::None) {
            box->setCaption(std::string(DrivePrefixes[i]) +
                            common::DriveKindText(settings.driveKind[i]));
        } else {
            box->setCaption(common::DriveKindText(common::DriveKind::None));
            box->setEnabled(false);
        }
    }
}

void TOptionBox::ShowSettings() {
    const common::Settings& settings = common::app().settings;
    CheckBox1.setChecked(settings.useRecycleBin);
    CheckBox4.setChecked(settings.skipIECache);
    CheckBox6.setChecked(settings.skipNetscapeCache);
    for (int i = 0; i < common::DriveCount; ++i) {
        driveBox(i)->setChecked(settings.driveSelected[i]);
    }
}

void TOptionBox::Button1Click() {
    common::AppState& state = common::app();
    state.settings.useRecycleBin = CheckBox1.checked();
    state.settings.skipIECache = CheckBox4.checked();
    state.settings.skipNetscapeCache = CheckBox6.checked();
    for (int i = 0; i < common::DriveCount; ++i) {
        platform::CheckBox* box = driveBox(i);
        // A "None" drive stays unselected whatever its box holds.
        state.settings.driveSelected[i] = box->enabled() && box->checked();
    }
    // The dialog closes even when the settings cannot be written.
    endModal();
    if (!state.run.firstRun)
        wizard::SaveSettings();
}

void TOptionBox::Button2Click() {
    ShowSettings();
    endModal();
}

namespace wizard {

void ShowSettingsDialog() {
    TOptionBox box;
    box.onHelp = [] { CallHelpTopic(HelpTopic::Settings); };
    box.FormCreate();
    box.centreOnScreen();
    box.showModal();
}

}  // namespace wizard
