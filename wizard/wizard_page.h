// The common frame of the four wizard windows: caption, size, font and the
// places of the shared button row.
#pragma once

#include "platform/controls.h"

namespace wizard {

constexpr const char* ProductTitle = "Trellmark v1.1";

class WizardPage : public platform::Window {
public:
    WizardPage() : platform::Window(frame()) {}

    // Brings the page up to date before it shows: changes to a hidden page
    // cost no painting, and the page appears as it is meant to.
    virtual void beforeShowing() {}

    static constexpr int ButtonTop = 296;
    static constexpr int BackLeft = 170;
    static constexpr int NextLeft = 245;
    static constexpr int CancelLeft = 331;
    static constexpr int HelpLeft = 417;
    static constexpr int SideLeft = 8;  // Settings on page 1, About on page 4
    static platform::Rect buttonAt(int left, int height = 24) {
        return {left, ButtonTop, 75, height};
    }
    static constexpr platform::Rect RuleBounds{8, 284, 484, 2};
    static constexpr platform::Rect PictureBounds{8, 12, 128, 242};
    static constexpr platform::Rect ContentBounds{154, 12, 340, 240};

private:
    static CreateArgs frame() {
        CreateArgs args;
        args.caption = ProductTitle;
        args.clientWidth = 502;
        args.clientHeight = 329;
        args.style = platform::WindowStyle::Wizard;
        return args;
    }
};

}  // namespace wizard
