// Windows and common controls of the wizard. Every control keeps its state in
// the object; a backend with real windows mirrors it in a native window and
// reads back what the user can change there (check marks, edited captions,
// the radio choice). Positions are left, top, width, height in pixels,
// relative to the parent's client area.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

class Button;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct Font {
    std::string face = "MS Sans Serif";
    int points = 8;
    bool bold = false;
};

// A colour as Windows stores it: 0x00BBGGRR.
using Colour = uint32_t;
constexpr Colour Black = 0x000000;
inline constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

enum class Background { ButtonFace, Window };

class Container;
class Window;

class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const Rect& bounds() const { return bounds_; }
    Container* parent() const { return parent_; }
    // Visible on its own account; a control inside a hidden panel stays "visible".
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    void setFocus();
    bool focused() const;
    // Paints the control at once, without waiting for the message loop.
    void repaint();

    void* nativeHandle() const { return native_; }

protected:
    Control(Container* parent, const Rect& bounds);

    Container* parent_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    void* native_ = nullptr;  // the backend's window, if it has one
};

// A control that holds other controls.
class Container : public Control {
public:
    const std::vector<Control*>& children() const { return children_; }
    void adopt(Control* child) { children_.push_back(child); }
    void forget(Control* child);
    // The font its children take unless they set their own.
    virtual const Font& font() const;
    // Puts the named children first, in this order, for Tab and Shift+Tab;
    // the others follow in their own order. Where children overlap, the
    // earlier one lies on top.
    void setTabOrder(const std::vector<Control*>& order);

protected:
    using Control::Control;
    // Makes the backend's windows follow the order of children_.
    void arrangeTabOrder();
    std::vector<Control*> children_;
    bool tabOrderSet_ = false;
};

enum class WindowStyle {
    // Fixed dialog border; title bar with minimise and maximise, no system menu.
    Wizard,
    // Fixed dialog border with system menu and a title-bar help button.
    Dialog,
};

// A top-level window.
class Window : public Container {
public:
    struct CreateArgs {
        std::string caption;
        int clientWidth = 0;
        int clientHeight = 0;
        WindowStyle style = WindowStyle::Wizard;
        Font font;
    };
    explicit Window(const CreateArgs& args);
    ~Window() override;

    const std::string& caption() const { return caption_; }
    const Font& font() const override { return font_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // Shows the window and makes it the active one (onActivate runs).
    void showWindow();
    void hideWindow();
    // Shows the window modally: other windows are disabled until endModal().
    void showModal();
    void endModal();
    bool isModal() const { return modal_; }

    // The button that Enter presses while the focus is on no other push
    // button, drawn as the default one; and the button that Escape presses.
    // Either may be null; a disabled one does nothing.
    void setDefaultButton(Button* button);
    Button* defaultButton() const { return defaultButton_; }
    void setCancelButton(Button* button) { cancelButton_ = button; }
    Button* cancelButton() const { return cancelButton_; }

    void centreOnScreen();
    void moveTo(int left, int top);
    // Outer frame: left, top, width, height on the screen.
    Rect outerBounds() const;
    bool active() const;

    std::function<void()> onActivate;
    // Called by the backend when the window becomes the active window.
    void activated();
    // The user asks for help on the window: F1 while it is active, or the
    // title bar's help button then a click inside it.
    std::function<void()> onHelp;

private:
    std::string caption_;
    int clientWidth_, clientHeight_;
    WindowStyle style_;
    Font font_;
    int left_ = 0, top_ = 0;
    bool modal_ = false;
    Button* defaultButton_ = nullptr;
    Button* cancelButton_ = nullptr;
};

enum class Bevel { None, Lowered, Raised };

class Panel : public Container {
public:
    Panel(Container* parent, const Rect& bounds, Bevel bevel = Bevel::None);
    ~Panel() override;
};

class GroupBox : public Container {
public:
    GroupBox(Container* parent, const Rect& bounds, const std::string& caption);
    ~GroupBox() override;
    const std::string& caption() const { return caption_; }

private:
    std::string caption_;
};

// A horizontal line.
class BevelLine : public Control {
public:
    BevelLine(Container* parent, const Rect& bounds);
    ~BevelLine() override;
};

class Label : public Control {
public:
    Label(Container* parent, int left, int top, const std::string& caption, const Font& font,
          Colour colour = Black);
    Label(Container* parent, int left, int top, const std::string& caption);
    ~Label() override;
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    Colour colour() const { return colour_; }
    void setColour(Colour colour);
    const Font& labelFont() const { return font_; }

private:
    std::string caption_;
    Font font_;
    Colour colour_;
};

class Button : public Control {
public:
    Button(Container* parent, const Rect& bounds, const std::string& caption);
    ~Button() override;
    const std::string& caption() const { return caption_; }
    std::function<void()> onClick;
    // The user presses the button (does nothing while it is disabled).
    void click();

private:
    std::string caption_;
};

class CheckBox : public Control {
public:
    CheckBox(Container* parent, const Rect& bounds, const std::string& caption);
    ~CheckBox() override;
    std::string caption() const { return caption_; }
    void setCaption(const std::string& caption);
    bool checked() const;
    void setChecked(bool checked);
    std::function<void()> onClick;
    // The user clicks the box: the mark toggles, then onClick runs.
    void click();

private:
    std::string caption_;
    bool checked_ = false;
};

// Radio buttons with the same parent form one group.
class RadioButton : public Control {
public:
    RadioButton(Container* parent, const Rect& bounds, const std::string& caption);
    ~RadioButton() override;
    const std::string& caption() const { return caption_; }
    bool checked() const;
    // Checking one unchecks the others of its group.
    void setChecked(bool checked);
    std::function<void()> onClick;
    // The user picks this button.
    void click();

private:
    std::string caption_;
    bool checked_ = false;
};

// A read-only rich-text box without border; its lines wrap at its width.
class RichEdit : public Control {
public:
    RichEdit(Container* parent, const Rect& bounds, Background background, bool enabled);
    ~RichEdit() override;
    // The whole text at once: each change of the box lays out and paints all
    // of it again.
    void setLines(std::vector<std::string> lines);
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// A tab control whose pages are containers; only the selected page shows.
class TabControl : public Control {
public:
    TabControl(Container* parent, const Rect& bounds, const std::vector<std::string>& tabs);
    ~TabControl() override;
    int tabCount() const { return static_cast<int>(tabs_.size()); }
    const std::string& tabCaption(int index) const { return tabs_[index]; }
    Container& page(int index);
    int selectedTab() const;
    void selectTab(int index);

private:
    std::vector<std::string> tabs_;
    std::vector<Container*> pages_;
    int selected_ = 0;
};

class ProgressBar : public Control {
public:
    ProgressBar(Container* parent, const Rect& bounds);
    ~ProgressBar() override;
    int maximum() const { return max_; }
    void setMaximum(int maximum);
    int position() const { return position_; }
    // Kept within 0..maximum, as the native control does.
    void setPosition(int position);

private:
    int max_ = 100;
    int position_ = 0;
};

// The animation control playing the system's find-computer clip.
class Animation : public Control {
public:
    Animation(Container* parent, const Rect& bounds, int stopFrame);
    ~Animation() override;
    bool active() const { return active_; }
    int stopFrame() const { return stopFrame_; }
    void play();
    // Stops and shows the stop frame.
    void stop();

private:
    int stopFrame_;
    bool active_ = false;
};

// A bitmap from the program's resources.
class Picture : public Control {
public:
    Picture(Container* parent, const Rect& bounds, int resourceId);
    ~Picture() override;
    int image() const { return image_; }
    void setImage(int resourceId);

private:
    int image_;
};

}  // namespace platform
