// A walk view and a review list without windows, for the tests that only walk
// a drive: what the walk showed and what it listed, as plain values.
#pragma once

#include <string>
#include <vector>

#include "platform/app.h"
#include "restore/review_sink.h"
#include "snapshot/walk_view.h"

namespace testing_support {

class TestWalkView : public snapshot::WalkView {
public:
    std::string status;
    int maximum = 0;
    int position = 0;

    void showStatus(const std::string& text) override { status = text; }
    void setProgressRange(int value) override { maximum = value; }
    void setProgress(int value) override { position = value; }
    int progress() const override { return position; }
    // As the page does, so that the machine's message hook still runs.
    void pump() override { platform::processMessages(); }
};

class TestReview : public restore::ReviewSink {
public:
    struct Entry {
        std::string path;  // a file's full path; a folder's with a trailing backslash
        bool ticked = false;
    };
    std::vector<Entry> files;
    std::vector<Entry> folders;

    void addFile(const std::string& folder, const platform::DirEntry& found) override {
        files.push_back({folder + "\\" + found.name});
    }
    void addFolder(const std::string& folder) override { folders.push_back({folder + "\\"}); }
    void tickAll() override {
        for (std::vector<Entry>* list : {&files, &folders}) {
            for (Entry& entry : *list)
                entry.ticked = true;
        }
    }
    void clear() {
        files.clear();
        folders.clear();
    }
};

}  // namespace testing_support
