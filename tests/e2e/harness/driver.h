// Drives the windows of a Wine machine as a user would, through the i686
// driver program (tests/e2e/driver) that runs inside the machine and answers
// one command at a time. Every call fails the test (throws DriverError) when
// the driver reports an error or a wait times out; waits take milliseconds.
// A restart inside the machine (ExitWindowsEx) ends the machine's programs
// that have windows; the driver, a console program, lives on.
//
//   e2e::Driver& ui = machine.driver();
//   int pid = ui.start(prefix.programPath());
//   e2e::Window page = ui.waitWindow("Trellmark v1.1");   // the visible one
//   ui.press(page, "&Next >");                             // or "Next >"
//   e2e::MessageBox box = ui.waitMessageBox();
//   ui.answer(box, "OK");
//   ui.setItemChecked(ui.child(page, "", "SysListView32"), 2, false);
//   EXPECT_EQ(0, ui.waitExit(pid));
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

class Prefix;
class PipedChild;

using Window = uint32_t;  // a window handle inside the machine
using Row = std::vector<std::string>;

struct DriverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Control {
    Window handle = 0;
    int id = 0;
    std::string className;
    bool visible = false;
    bool enabled = false;
    std::string text;
};

struct MessageBox {
    Window handle = 0;
    std::string caption;
    std::string text;  // the visible static texts, one per line
    std::vector<std::string> buttons;
};

struct ListItem {
    bool checked = false;
    std::vector<std::string> columns;  // item text, then the sub-items
};

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Size {
    int width = 0, height = 0;
};

struct DriveInfo {
    char letter = 0;
    int type = 0;  // GetDriveTypeA
};

class Driver {
public:
    explicit Driver(Prefix& prefix);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // One raw command (see tests/e2e/driver/protocol.h); its data rows.
    std::vector<Row> call(const Row& command, int timeoutMs = 60000);

    // Processes (Windows process ids).
    int start(const std::string& program, const std::string& folder = "");
    bool running(int pid);
    int waitExit(int pid, int timeoutMs = 15000);  // the exit code

    // Top-level windows.
    Window waitWindow(const std::string& caption, int timeoutMs = 30000);
    std::vector<Window> findWindows(const std::string& caption);
    void waitGone(Window window, int timeoutMs = 15000);
    void close(Window window);  // as the close box
    ScreenRect rect(Window window);
    Size clientSize(Window window);
    Size screenSize();

    // Controls. Captions match as written ("&Next >") or as read ("Next >").
    std::vector<Control> children(Window parent);
    Window child(Window parent, const std::string& caption, const std::string& className = "");
    Window waitChild(Window parent, const std::string& caption, const std::string& className = "",
                     int timeoutMs = 30000);
    Window childById(Window parent, int id);
    std::string text(Window window);
    void waitText(Window window, const std::string& text, int timeoutMs = 30000);
    void setText(Window window, const std::string& text);
    bool visible(Window window);
    bool enabled(Window window);
    void key(Window window, int virtualKey);
    // Real key strokes typed into the window brought to the foreground, one
    // after the other: "tab", "shift+tab", "ctrl+tab", "space", "enter",
    // "escape", "down", "left", "f1", a letter or digit.
    void keys(Window window, const std::vector<std::string>& strokes);
    // The control with the keyboard focus in the window's thread (handle 0
    // when none has it), and the caption of the button drawn as the default.
    Control focus(Window window);
    std::string defaultButton(Window window);
    // Puts the mouse pointer at a point of the screen.
    void movePointer(int x, int y);

    // Buttons, check boxes, radio buttons: clicks are posted, never sent.
    void click(Window button);
    void press(Window parent, const std::string& caption);
    int checked(Window button);  // 0, 1, or 2 (indeterminate)
    void setChecked(Window button, bool checked);

    // Message boxes and other dialogs (class #32770).
    MessageBox waitMessageBox(int timeoutMs = 15000, const std::string& caption = "");
    MessageBox messageBox(Window dialog);
    void answer(const MessageBox& box, const std::string& button);  // caption, or "#id"

    // List views and tab controls.
    std::vector<std::string> columns(Window list);
    std::vector<ListItem> items(Window list);
    void setItemChecked(Window list, int index, bool checked);
    // A click on the item's check box (which toggles it) or on its name.
    void clickItem(Window list, int index, bool onCheckBox);
    void editItem(Window list, int index, const std::string& text);
    std::vector<std::string> tabs(Window tabControl);
    std::vector<std::string> listBoxItems(Window listBox);
    int selectedTab(Window tabControl);
    void selectTab(Window tabControl, int index);

    // The Windows side's own view of the machine.
    std::vector<DriveInfo> drives();
    // GetVersionExA: platform id (1 for Windows 95/98, 2 for NT), major, minor.
    std::vector<int> windowsVersion();
    bool writeProfileString(const std::string& file, const std::string& section,
                            const std::string& key, const std::string& value);
    std::string readProfileString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& fallback);
    int shellDelete(const std::string& path, unsigned flags);

private:
    std::string single(const Row& command, int timeoutMs = 60000);

    std::unique_ptr<PipedChild> child_;
};

}  // namespace e2e
