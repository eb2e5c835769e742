// Identifiers of the pictures and the icon embedded in trelmrk.exe.
#pragma once

namespace wizard {

constexpr int ProgramIconId = 1;
constexpr int WizardPictureId = 101;    // side picture of pages 1 and 4
constexpr int SnapshotPictureId = 102;  // page 2 during a snapshot
constexpr int RestorePictureId = 103;   // page 2 during a restore

}  // namespace wizard
