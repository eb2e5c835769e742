// The snapshot store's test fixture: the wizard's pages, and a walk's tables
// filled by hand.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/listbox.h"
#include "snapshot/snapshot_store.h"
#include "wizard_fixture.h"

namespace snapshottest {

using namespace wizardtest;
using platform::MessageKind;
using platform::fake::MessageRecord;

class SnapshotStoreTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        platform::setApplicationTitle("Trellmark");
        CreatePages();
        Machine::clearMessages();
    }

    // Fills the table and FolderListLines as a walk of `records` would, with
    // the given folder pairs.
    static void Prepare(char drive, const std::vector<std::string>& records,
                        const std::vector<std::pair<std::string, int>>& folders) {
        for (size_t i = 0; i < records.size(); ++i) {
            snapshot::StoreFileRecord(static_cast<int>(i) + 1, records[i]);
        }
        platform::ListBox& lines = snapshot::FolderListLines();
        lines.clear();
        lines.add(snapshot::ScrambleText(std::string(1, drive) + ":"));
        lines.add(snapshot::ScrambleText("0"));
        for (const auto& folder : folders) {
            lines.add(snapshot::ScrambleText(folder.first));
            lines.add(snapshot::ScrambleText(std::to_string(folder.second)));
        }
    }

    void ExpectOnlyMessage(const std::string& text, int x) {
        ASSERT_EQ(Machine::messages().size(), 1u);
        const MessageRecord& shown = Machine::messages()[0];
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.kind, MessageKind::Information);
        EXPECT_EQ(shown.caption, "Information");
        EXPECT_EQ(shown.buttons, platform::MessageButtons::Ok);
        // Page 1 is centred on an 800 x 600 screen: its outer frame is 508 x 354.
        const platform::Rect outer = page1->outerBounds();
        EXPECT_EQ(shown.placement.x, outer.left + outer.width / 2 - x);
        EXPECT_EQ(shown.placement.y, outer.top + outer.height / 2 - 40);
    }
};

}  // namespace snapshottest
