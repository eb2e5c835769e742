// The About window: product name and version, and a button that closes it.
#include "wizard/about_box.h"

#include "wizard/pages.h"
#include "wizard/wizard_page.h"
#include "wizard/wizard_texts.h"

namespace {

platform::Window::CreateArgs AboutFrame() {
    platform::Window::CreateArgs args;
    args.caption = "About";
    args.clientWidth = 298;
    args.clientHeight = 160;
    args.style = platform::WindowStyle::Dialog;
    return args;
}

}  // namespace

TAboutBox::TAboutBox()
    : platform::Window(AboutFrame()),
      Panel1(this, {8, 8, 282, 100}, platform::Bevel::Lowered),
      ProductName(&Panel1, 16, 16, wizard::ProductTitle, wizard::TitleFont()),
      Comments(&Panel1, 16, 48, "Returns your system to the state of its last snapshot."),
      Bevel1(this, {8, 116, 282, 2}),
      Button1(this, {112, 126, 75, 25}, "&Continue") {
    setDefaultButton(&Button1);
    setCancelButton(&Button1);
    Button1.onClick = [this] { Button1Click(); };
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::Button1Click() {
    endModal();
}

namespace wizard {

void ShowAboutBox() {
    TAboutBox box;
    // No topic of its own: the contents, as the Help buttons open.
    box.onHelp = [] { CallHelp(); };
    box.centreOnScreen();
    box.showModal();
}

}  // namespace wizard
