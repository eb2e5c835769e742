// The fixed texts of pages 1 and 2: titles, explanations and the question
// asked before restoring an old snapshot.
#pragma once

#include <string>
#include <vector>

#include "platform/controls.h"

namespace wizard {

// Page titles: bold, 10 points.
platform::Font TitleFont();

// Paragraphs, separated by blank lines in the rich-text box.
void FillParagraphs(platform::RichEdit& box, const std::vector<std::string>& paragraphs);

const std::vector<std::string>& FirstRunParagraphs();
const std::vector<std::string>& ChoiceParagraphs();
const std::vector<std::string>& SnapshotParagraphs();
const std::vector<std::string>& RestoreParagraphs();

// Asked before a restore when the last backup is more than a week old.
std::string OldSnapshotQuestion();

}  // namespace wizard
