// The Settings dialog: drives to scan, the Recycle Bin and the cache filters.
#pragma once

#include <memory>

#include "platform/controls.h"

class TOptionBox : public platform::Window {
public:
    TOptionBox();
    ~TOptionBox() override;

    platform::TabControl PageControl1;  // "Drive(s)", "Recycle Bin", "Internet"
    platform::GroupBox GroupBox1;       // "Select drive(s)"
    platform::CheckBox drvc, drvd, drve, drvf, drvg, drvh, drvi, drvj;
    platform::GroupBox GroupBox2;  // "Delete method"
    platform::CheckBox CheckBox1;  // Recycle Bin
    platform::GroupBox GroupBox3;  // "MS Internet Explorer"
    platform::CheckBox CheckBox4;  // IE cache
    platform::GroupBox GroupBox4;  // "Netscape Navigator"
    platform::CheckBox CheckBox6;  // Netscape cache
    platform::Button Button1;      // "OK"
    platform::Button Button2;      // "Cancel"

    // The drive boxes C to J, in the order of DriveLetters.
    platform::CheckBox* driveBox(int index);

    void FormCreate();
    void Button1Click();
    void Button2Click();

private:
    void ShowSettings();
};

namespace wizard {

// Opens the dialog modally and destroys it when it closes.
void ShowSettingsDialog();

}  // namespace wizard
