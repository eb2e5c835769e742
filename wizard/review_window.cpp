// Page 3, the review window, and the entries the change scanner appends to
// its two lists.
#include "wizard/review_window.h"

#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/date_stamp.h"
#include "platform/app.h"
#include "platform/listview.h"
#include "platform/shell.h"
#include "wizard/pages.h"

namespace {

std::vector<platform::ListColumn> fileColumns() {
    return {
        {"Name", 160, false}, {"Location", 154, false}, {"Size", 60, true}, {"Date", 90, false}};
}

platform::ListViewOptions listOptions(bool editCaptions) {
    platform::ListViewOptions options;
    options.checkBoxes = true;
    options.rowSelect = true;
    options.hotTrack = true;
    options.editCaptions = editCaptions;
    options.systemSmallIcons = true;
    return options;
}

void fillText(platform::RichEdit& box, const char* const* lines, int count) {
    box.setLines(std::vector<std::string>(lines, lines + count));
}

const char* const FilePageText[] = {
    "Below there is a list of new files that have been added to your drive(s). ",
    "",
    ("Trellmark will delete these files. If you want to keep any file, remove the check mark "
     "beside the "),
    "file that you do not want to delete.",
};

const char* const FolderPageText[] = {
    "Below there is a list of new folders that have been added to your drive(s). ",
    "",
    ("Trellmark will delete these folders. If you want to keep any folder, remove the check "
     "mark beside "),
    "the folder that you do not want to delete.",
};

}  // namespace

TForm3::TForm3()
    : RichEdit2(this, {8, 12, 470, 54}, platform::Background::ButtonFace, true),
      Fileview(this, {8, 72, 484, 203}, fileColumns(), listOptions(false)),
      Panel3(this, {0, 12, 496, 266}, platform::Bevel::None),
      RichEdit1(&Panel3, {8, 0, 470, 54}, platform::Background::ButtonFace, true),
      Folderview(&Panel3, {8, 60, 484, 203}, {{"Folder List", 450, false}}, listOptions(true)),
      Bevel1(this, RuleBounds),
      Button1(this, buttonAt(BackLeft), "< &Back"),
      Button2(this, buttonAt(NextLeft), "&Next >"),
      Button3(this, buttonAt(CancelLeft), "Cancel"),
      Button4(this, buttonAt(HelpLeft), "Help") {
    fillText(RichEdit2, FilePageText, 4);
    fillText(RichEdit1, FolderPageText, 4);
    // The FilePage shows first; the FolderPage lies over it when shown.
    Panel3.hide();
    setTabOrder({&Button1, &Button2, &Button3, &Panel3, &Fileview, &RichEdit2, &Button4});
    setDefaultButton(&Button2);
    setCancelButton(&Button3);
    Button1.onClick = [this] { Button1Click(); };
    Button2.onClick = [this] { Button2Click(); };
    Button3.onClick = [this] { Button3Click(); };
    Button4.onClick = [this] { Button4Click(); };
    // A file's icon is looked up by its path, made from its row when needed.
    Fileview.setImageLookup([this](int item) {
        return restore::ShellIconIndex(Fileview.subItem(item, 1) + Fileview.caption(item));
    });
}

TForm3::~TForm3() = default;

void TForm3::Button1Click() {
    if (Panel3.visible()) {
        Panel3.hide();
    } else {
        wizard::Navigate(3, 'B');
    }
}

void TForm3::Button2Click() {
    if (Panel3.visible()) {
        wizard::Navigate(3, 'N');
    } else {
        Panel3.show();
    }
}

void TForm3::Button3Click() {
    platform::quit(0);
}

void TForm3::Button4Click() {
    wizard::CallHelp();
}

void TForm3::addFile(const std::string& folder, const platform::DirEntry& found) {
    platform::ListView& list = Fileview;
    // The shell is asked for the icon when the row is first drawn: most rows
    // of a long list never are, and the lookup costs more than the row.
    const int item = list.addItem(found.name, platform::ListView::ImageLater);
    list.addSubItem(item, folder + "\\");
    list.addSubItem(item, restore::SizeText(found.size));
    list.addSubItem(item, restore::DateText(found.stamp()));
}

void TForm3::addFolder(const std::string& folder) {
    Folderview.addItem(folder + "\\", restore::ShellIconIndex(common::app().paths.winDir));
}

void TForm3::tickAll() {
    Fileview.setAllChecked(true);
    Folderview.setAllChecked(true);
}

namespace restore {

int ShellIconIndex(const std::string& path) {
    return platform::systemIconIndex(path);
}

std::string SizeText(uint64_t bytes) {
    // The whole 64-bit size, so files of 2 GB and more show their true size.
    const uint64_t kilobytes = bytes / 1024;
    return kilobytes == 0 ? "1KB" : std::to_string(kilobytes) + "KB";
}

std::string DateText(int32_t stamp) {
    platform::DateTime moment;
    if (!common::DecodeFileDateStamp(stamp, moment))
        return "";
    return common::FormatDateTime(moment);
}

}  // namespace restore
