// The About window opened from the finish page.
#pragma once

#include "platform/controls.h"

class TAboutBox : public platform::Window {
public:
    TAboutBox();
    ~TAboutBox() override;

    platform::Panel Panel1;
    platform::Label ProductName;  // "Trellmark v1.1"
    platform::Label Comments;
    platform::BevelLine Bevel1;
    platform::Button Button1;  // "&Continue"

    void Button1Click();
};
