// The list view in report style: the object holds every item (texts, image,
// check mark); a backend with real windows shows them in a native list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/list_texts.h"

namespace platform {

struct ListColumn {
    std::string caption;
    int width = 50;
    bool alignRight = false;
};

struct ListViewOptions {
    bool checkBoxes = true;
    bool rowSelect = true;
    bool hotTrack = true;
    bool editCaptions = false;
    bool systemSmallIcons = true;  // icons from the shell's system image list
    // The native list keeps no items and asks the object for each one it
    // shows, where the machine's common controls can (4.71 on); off, or on
    // older ones, it keeps a copy of each item. Either way the object's
    // model of the items is the same.
    bool ownerData = true;
};

// A list view in report style.
class ListView : public Control {
public:
    ListView(Container* parent, const Rect& bounds, const std::vector<ListColumn>& columns,
             const ListViewOptions& options);
    ~ListView() override;

    const std::vector<ListColumn>& columns() const { return columns_; }
    const ListViewOptions& options() const { return options_; }

    // Marks an item whose image index is asked of the image lookup only when
    // the item is first drawn or its index read: most items of a long list
    // are never on screen, and a lookup may cost more than the item.
    static constexpr int ImageLater = -2;

    // Appends an unchecked item and returns its index (from 0).
    int addItem(const std::string& caption, int imageIndex);
    // Answers ImageLater items; asked once per item, the answer is kept.
    void setImageLookup(std::function<int(int item)> lookup) { imageLookup_ = std::move(lookup); }
    // Appends the next sub-item (column 1, then 2, ...) of an item.
    void addSubItem(int item, const std::string& text);
    int count() const;
    // The caption as it stands now, edits by the user included.
    std::string caption(int item) const;
    // Changes a caption, as the user's in-place edit does.
    void setCaption(int item, const std::string& caption);
    std::string subItem(int item, int column) const;  // column from 1
    // Column 0 is the caption; "" where there is none. Valid until the list
    // changes.
    const char* text(int item, int column) const;
    int imageIndex(int item) const;
    bool checked(int item) const;
    void setChecked(int item, bool checked);
    // Every item at once: one message to the native list, not one per item.
    void setAllChecked(bool checked);
    void clear();
    void beginUpdate();
    void endUpdate();

private:
    struct Item {
        const char* texts = nullptr;  // in texts_: the caption, then the sub-items
        int count = 1;                // of texts
        int image = -1;
        bool checked = false;
    };
    // The real backend's: items_[index], or every item still waiting while
    // drawing was held back, handed to the native list (for an owner-data
    // list, only their count).
    void handOver(int index) const;
    void handOverWaiting() const;

    std::vector<ListColumn> columns_;
    ListViewOptions options_;
    ListTexts texts_;
    std::function<int(int)> imageLookup_;
    mutable std::vector<Item> items_;
};

}  // namespace platform
