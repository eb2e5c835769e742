// The fixed texts of pages 1 and 2, kept exactly as the user sees them.
#include "wizard/wizard_texts.h"

#include <utility>

namespace wizard {

platform::Font TitleFont() {
    platform::Font font;
    font.points = 10;
    font.bold = true;
    return font;
}

void FillParagraphs(platform::RichEdit& box, const std::vector<std::string>& paragraphs) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            lines.push_back("");
        lines.push_back(paragraphs[i]);
    }
    box.setLines(std::move(lines));
}

const std::vector<std::string>& FirstRunParagraphs() {
    static const std::vector<std::string> texts = {
        "At the first running of Trellmark, it will take a snapshot of your system so that even "
        "after many software installations, it can return your system to the state that it was "
        "in when the snapshot was taken.",
        "To change the settings, click \"Settings\"  button.",
        "Or click \"Next\" button to continue. ",
    };
    return texts;
}

const std::vector<std::string>& ChoiceParagraphs() {
    static const std::vector<std::string> texts = {
        "Trellmark will help you to remove unwanted files and return your system to its original "
        "state.",
        "To keep the current state of windows and drive(s), select \"Take snapshot of current "
        "state\" option. ",
        "To return windows and drive(s) to the previous snapshot state, select \"Restore to "
        "previous state\" option.",
    };
    return texts;
}

const std::vector<std::string>& SnapshotParagraphs() {
    static const std::vector<std::string> texts = {
        "Trellmark will now take a snapshot of the current state of windows and drive(s).",
        "It will scan the drive(s) and system files and store the snapshot information.",
        "Depending on the number of drive(s) and the size of the drive(s), this may take a few "
        "minutes.",
        "Click the 'Start' button below to begin the Snapshot process.",
    };
    return texts;
}

const std::vector<std::string>& RestoreParagraphs() {
    static const std::vector<std::string> texts = {
        "Trellmark will now scan your drive(s) for newly added files and folders.",
        "Depending on the number of drive(s) and the size of the drive(s), this may take a few "
        "minutes.",
        "Click the 'Start' button below to begin Restore process. ",
    };
    return texts;
}

std::string OldSnapshotQuestion() {
    return "The snapshot is older than 1 week. It is recommended that take a new snapshot.\r"
           "To continue restoring click \"OK\" or click \"Cancel\" to cancel this operation. ";
}

}  // namespace wizard
