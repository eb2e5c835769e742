// The test side of the driver: commands out, rows back, errors as exceptions.
#include "driver.h"

#include <cstdlib>

#include "driver/protocol.h"
#include "host_process.h"
#include "prefix.h"
#include "settings.h"

namespace e2e {

namespace {

std::string handle(Window window) {
    return std::to_string(window);
}
std::string number(long value) {
    return std::to_string(value);
}
int toInt(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 0));
}
Window toWindow(const std::string& text) {
    return static_cast<Window>(std::strtoul(text.c_str(), nullptr, 0));
}
// A wait inside the driver, plus time for the answer to come back.
int answerTime(int timeoutMs) {
    return timeoutMs + 20000;
}

}  // namespace

Driver::Driver(Prefix& prefix) {
    prefix.startServer();
    child_ = std::make_unique<PipedChild>(prefix.inMachine({"wine", driverProgram()}),
                                          prefix.root() + "/prefix/drive_c");
    call({"ping"}, 120000);
}

Driver::~Driver() {
    try {
        child_->writeLine("quit");
    } catch (...) {
    }
    child_->finish(5000);
}

std::vector<Row> Driver::call(const Row& command, int timeoutMs) {
    std::string line;
    for (const std::string& field : command) {
        line += (line.empty() ? "" : "\t") + driver::escapeField(field);
    }
    try {
        child_->writeLine(line);
    } catch (const std::exception&) {
        throw DriverError(command[0] + ": the driver has ended");
    }
    std::vector<Row> rows;
    std::string answer;
    while (child_->readLine(answer, timeoutMs)) {
        if (answer.rfind("= ", 0) == 0) {
            rows.push_back(driver::splitCommand(answer.substr(2)));
        } else if (answer == "ok") {
            return rows;
        } else if (answer.rfind("err", 0) == 0) {
            throw DriverError(command[0] + ": " +
                              driver::unescapeField(answer.size() > 4 ? answer.substr(4) : ""));
        }
    }
    throw DriverError(command[0] + ": no answer from the driver (ended or timed out)");
}

std::string Driver::single(const Row& command, int timeoutMs) {
    std::vector<Row> rows = call(command, timeoutMs);
    if (rows.empty() || rows[0].empty())
        throw DriverError(command[0] + ": empty answer");
    return rows[0][0];
}

int Driver::start(const std::string& program, const std::string& folder) {
    return toInt(single({"start", program, folder}));
}

bool Driver::running(int pid) {
    return single({"alive", number(pid)}) == "1";
}

int Driver::waitExit(int pid, int timeoutMs) {
    return toInt(single({"wait-exit", number(pid), number(timeoutMs)}, answerTime(timeoutMs)));
}

Window Driver::waitWindow(const std::string& caption, int timeoutMs) {
    return toWindow(single({"wait-window", caption, number(timeoutMs)}, answerTime(timeoutMs)));
}

std::vector<Window> Driver::findWindows(const std::string& caption) {
    std::vector<Window> found;
    for (const Row& row : call({"find", caption}))
        found.push_back(toWindow(row[0]));
    return found;
}

void Driver::waitGone(Window window, int timeoutMs) {
    call({"wait-gone", handle(window), number(timeoutMs)}, answerTime(timeoutMs));
}

void Driver::close(Window window) {
    call({"close", handle(window)});
}

ScreenRect Driver::rect(Window window) {
    Row row = call({"rect", handle(window)}).at(0);
    return {toInt(row.at(0)), toInt(row.at(1)), toInt(row.at(2)), toInt(row.at(3))};
}

Size Driver::clientSize(Window window) {
    Row row = call({"client", handle(window)}).at(0);
    return {toInt(row.at(0)), toInt(row.at(1))};
}

Size Driver::screenSize() {
    Row row = call({"screen"}).at(0);
    return {toInt(row.at(0)), toInt(row.at(1))};
}

std::vector<Control> Driver::children(Window parent) {
    std::vector<Control> controls;
    for (const Row& row : call({"children", handle(parent)})) {
        controls.push_back({toWindow(row.at(0)), toInt(row.at(1)), row.at(2), row.at(3) == "1",
                            row.at(4) == "1", row.at(5)});
    }
    return controls;
}

Window Driver::child(Window parent, const std::string& caption, const std::string& className) {
    return toWindow(single({"child", handle(parent), className, caption}));
}

Window Driver::waitChild(Window parent, const std::string& caption, const std::string& className,
                         int timeoutMs) {
    return toWindow(single({"wait-child", handle(parent), className, caption, number(timeoutMs)},
                           answerTime(timeoutMs)));
}

Window Driver::childById(Window parent, int id) {
    for (const Control& control : children(parent)) {
        if (control.id == id)
            return control.handle;
    }
    throw DriverError("no control with id " + number(id));
}

std::string Driver::text(Window window) {
    return single({"text", handle(window)});
}

void Driver::waitText(Window window, const std::string& text, int timeoutMs) {
    call({"wait-text", handle(window), text, number(timeoutMs)}, answerTime(timeoutMs));
}

void Driver::setText(Window window, const std::string& text) {
    call({"set-text", handle(window), text});
}

bool Driver::visible(Window window) {
    return call({"state", handle(window)}).at(0).at(0) == "1";
}
bool Driver::enabled(Window window) {
    return call({"state", handle(window)}).at(0).at(1) == "1";
}

void Driver::key(Window window, int virtualKey) {
    call({"key", handle(window), number(virtualKey)});
}

void Driver::keys(Window window, const std::vector<std::string>& strokes) {
    Row command = {"keys", handle(window)};
    command.insert(command.end(), strokes.begin(), strokes.end());
    call(command);
}

Control Driver::focus(Window window) {
    Control focused;
    std::vector<Row> rows = call({"focus", handle(window)});
    if (rows.empty())
        return focused;
    focused.handle = toWindow(rows[0].at(0));
    focused.className = rows[0].at(1);
    focused.text = rows[0].at(2);
    return focused;
}

void Driver::movePointer(int x, int y) {
    call({"pointer", number(x), number(y)});
}

std::string Driver::defaultButton(Window window) {
    std::vector<Row> rows = call({"default", handle(window)});
    return rows.empty() ? "" : rows[0].at(1);
}

void Driver::click(Window button) {
    call({"click", handle(button)});
}

void Driver::press(Window parent, const std::string& caption) {
    call({"press", handle(parent), caption});
}

int Driver::checked(Window button) {
    return toInt(single({"checked", handle(button)}));
}

void Driver::setChecked(Window button, bool checked) {
    call({"set-check", handle(button), checked ? "1" : "0"});
}

MessageBox Driver::waitMessageBox(int timeoutMs, const std::string& caption) {
    Row row = call({"wait-dialog", number(timeoutMs), caption}, answerTime(timeoutMs)).at(0);
    return messageBox(toWindow(row.at(0)));
}

MessageBox Driver::messageBox(Window dialog) {
    MessageBox box;
    box.handle = dialog;
    for (const Row& row : call({"dialog", handle(dialog)})) {
        if (row.at(0) == "caption")
            box.caption = row.at(1);
        if (row.at(0) == "text")
            box.text = row.at(1);
        if (row.at(0) == "button")
            box.buttons.push_back(row.at(1));
    }
    return box;
}

void Driver::answer(const MessageBox& box, const std::string& button) {
    call({"answer", handle(box.handle), button});
}

std::vector<std::string> Driver::columns(Window list) {
    std::vector<std::string> names;
    for (const Row& row : call({"lv-columns", handle(list)}))
        names.push_back(row.at(0));
    return names;
}

std::vector<ListItem> Driver::items(Window list) {
    std::vector<ListItem> result;
    for (const Row& row : call({"lv-items", handle(list)})) {
        result.push_back({row.at(0) == "1", Row(row.begin() + 1, row.end())});
    }
    return result;
}

void Driver::setItemChecked(Window list, int index, bool checked) {
    call({"lv-set-check", handle(list), number(index), checked ? "1" : "0"});
}

void Driver::clickItem(Window list, int index, bool onCheckBox) {
    call({"lv-click", handle(list), number(index), onCheckBox ? "box" : "name"});
}

void Driver::editItem(Window list, int index, const std::string& text) {
    call({"lv-edit", handle(list), number(index), text});
}

std::vector<std::string> Driver::listBoxItems(Window listBox) {
    std::vector<std::string> texts;
    for (const Row& row : call({"lb-items", handle(listBox)}))
        texts.push_back(row.empty() ? "" : row.at(0));
    return texts;
}

std::vector<std::string> Driver::tabs(Window tabControl) {
    std::vector<std::string> names;
    for (const Row& row : call({"tab-items", handle(tabControl)}))
        names.push_back(row.at(0));
    return names;
}

int Driver::selectedTab(Window tabControl) {
    return std::stoi(single({"tab-selected", handle(tabControl)}));
}

void Driver::selectTab(Window tabControl, int index) {
    call({"tab-select", handle(tabControl), number(index)});
}

std::vector<DriveInfo> Driver::drives() {
    std::vector<DriveInfo> result;
    for (const Row& row : call({"drives"}))
        result.push_back({row.at(0).at(0), toInt(row.at(1))});
    return result;
}

std::vector<int> Driver::windowsVersion() {
    std::vector<int> result;
    const std::vector<Row> rows = call({"version"});
    for (const std::string& field : rows.at(0))
        result.push_back(toInt(field));
    return result;
}

bool Driver::writeProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& value) {
    return single({"profile-write", file, section, key, value}) == "1";
}

std::string Driver::readProfileString(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& fallback) {
    return single({"profile-read", file, section, key, fallback});
}

int Driver::shellDelete(const std::string& path, unsigned flags) {
    return toInt(single({"shell-delete", path, number(static_cast<long>(flags))}));
}

}  // namespace e2e
