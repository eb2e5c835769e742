// The four wizard windows, created at start in this order and living until the
// program ends; other subsystems reach them through pages().
#pragma once

class TForm1;
class TForm2;
class TForm3;
class TForm4;

namespace wizard {

struct Pages {
    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
};

Pages& pages();

// Moves from one page to the next ('N') or back ('B'), keeping the wizard in
// place on the screen.
void Navigate(int page, char direction);

// Opens the help file (page 1's callhelp).
void CallHelp();

// The topics F1 opens; the numbers are the ones help/trelmrk.txt gives them
// on its "Map:" lines.
enum class HelpTopic : unsigned long {
    Page1 = 11,
    Page2 = 12,
    Page3 = 13,
    Page4 = 14,
    Settings = 20,
};
// Opens the help file at a topic, as the Help buttons open it at its contents.
void CallHelpTopic(HelpTopic topic);
// F1 on each page opens its topic.
void AttachHelpTopics(Pages& pages);

// The modal About window.
void ShowAboutBox();

}  // namespace wizard
