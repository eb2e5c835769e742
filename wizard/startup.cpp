// Start-up of the wizard: the folder paths, the settings, the data folder and
// the first-run decision; and the help file.
#include <utility>

#include "common/app_state.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "restore/system_files.h"
#include "snapshot/snapshot_store.h"
#include "wizard/finish_window.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"
#include "wizard/settings.h"

namespace {

constexpr unsigned WindowsDirectoryBuffer = 256;
constexpr size_t HelpPathBuffer = 256;
constexpr unsigned HelpContents = 3;
constexpr unsigned HelpContext = 1;  // a topic by its map number

// Everything from the last backslash on removed.
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(0, slash);
}

}  // namespace

void TForm1::Start() {
    common::AppState& state = common::app();
    common::Paths& paths = state.paths;
    // In its long form: the walks meet the data folder by its long name, and
    // its files must be known as the program's own (a program started through
    // a short path would otherwise offer its own snapshot for removal).
    paths.programDir = FolderOf(platform::longPathName(platform::moduleFileName()));
    paths.dataDir = paths.programDir + "\\SNPDAT";

    std::string winDir;
    if (platform::windowsDirectory(winDir, WindowsDirectoryBuffer)) {
        paths.winDir = winDir;
        paths.bootRoot = winDir.substr(0, 3);
    } else {
        paths.winDir.clear();
        paths.bootRoot.clear();
        const platform::Rect outer = outerBounds();
        platform::MessageRequest request;
        request.text = "Cannot determine windows directory";
        request.caption = "Error";
        request.kind = platform::MessageKind::Error;
        request.buttons = platform::MessageButtons::Ok;
        request.placement = {outer.left + 100, outer.top + 130};
        platform::showMessage(request);
    }

    wizard::LoadSettings();
    wizard::ShowSnapshotAge(*this);
    state.run.firstRun = false;
    // A folder that cannot be created shows up later, where files go into it.
    if (!platform::setCurrentDirectory(paths.dataDir))
        platform::createDirectory(paths.dataDir);
    // A power cut in the middle of replacing system files may have left one
    // missing (SYSTEM.INI only as SYSTE~TM.INI); put right before anything
    // else, as this may be the only start the machine manages.
    restore::RecoverSystemFiles();
    snapshot::SettleInterruptedSaves();
    if (platform::fileExists(paths.configFile())) {
        // The choice covers the welcome entirely; the welcome is hidden too so
        // that nothing of it can show through or be read behind the choice.
        Panel3.show();
        Panel2.hide();
        // The choice comes first: Space or an arrow key makes it, Enter goes on.
        RadioButton1.setFocus();
    } else {
        state.run.firstRun = true;
        Button2.setFocus();
    }
}

namespace {

std::string HelpFile() {
    std::string file = common::app().paths.programDir + "\\trelmrk.hlp";
    // The help engine gets the path as it fits its buffer, terminator included.
    if (file.size() >= HelpPathBuffer)
        file.resize(HelpPathBuffer - 1);
    return file;
}

}  // namespace

void TForm1::callhelp() {
    platform::openHelp(*this, HelpFile(), HelpContents, 0);
}

void TForm1::callhelpTopic(unsigned long topic) {
    platform::openHelp(*this, HelpFile(), HelpContext, topic);
}

namespace wizard {

void CallHelp() {
    TForm1* page1 = pages().form1;
    if (page1 != nullptr)
        page1->callhelp();
}

void CallHelpTopic(HelpTopic topic) {
    TForm1* page1 = pages().form1;
    if (page1 != nullptr)
        page1->callhelpTopic(static_cast<unsigned long>(topic));
}

void AttachHelpTopics(Pages& all) {
    const std::pair<platform::Window*, HelpTopic> topics[] = {
        {all.form1, HelpTopic::Page1},
        {all.form2, HelpTopic::Page2},
        {all.form3, HelpTopic::Page3},
        {all.form4, HelpTopic::Page4},
    };
    for (const auto& [page, topic] : topics) {
        if (page != nullptr)
            page->onHelp = [topic = topic] { CallHelpTopic(topic); };
    }
}

}  // namespace wizard
