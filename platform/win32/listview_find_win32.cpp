// Finding an item of an owner-data list by its caption. The native list
// cannot look through items it does not hold, so it asks the owner
// (LVN_ODFINDITEM), as when the user types the first letters of a name to
// go to it, or another program sends LVM_FINDITEM. The captions are
// compared as an ordinary list compares its own: without regard to case,
// the typed letters against the start of the caption.
#include <string>
#include <vector>

#include "platform/listview.h"
#include "platform/win32/native.h"

namespace platform::win32 {

namespace {

bool matches(const char* caption, const std::string& wanted, bool partial) {
    const int length = static_cast<int>(wanted.size());
    if (partial) {
        const int compared = lstrlenA(caption) < length ? lstrlenA(caption) : length;
        return compared == length && CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, caption,
                                                    compared, wanted.c_str(), length) == CSTR_EQUAL;
    }
    return lstrcmpiA(caption, wanted.c_str()) == 0;
}

std::string wantedText(const NMLVFINDITEMA& find, bool wide) {
    if (find.lvfi.psz == nullptr)
        return std::string();
    if (!wide)
        return find.lvfi.psz;
    const auto* text = reinterpret_cast<const WCHAR*>(find.lvfi.psz);
    std::vector<char> narrow(lstrlenW(text) * 2 + 1);
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), static_cast<int>(narrow.size()),
                        nullptr, nullptr);
    return narrow.data();
}

}  // namespace

int findListItem(const ListView& list, const NMLVFINDITEMA& find, bool wide) {
    const UINT flags = find.lvfi.flags;
    // Items carry no data of their own here, so a search by it finds none.
    if ((flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || list.count() == 0)
        return -1;
    const std::string wanted = wantedText(find, wide);
    const int count = list.count();
    const int start = find.iStart >= 0 && find.iStart < count ? find.iStart : 0;
    const int last = (flags & LVFI_WRAP) ? start + count : count;
    for (int at = start; at < last; ++at) {
        const int item = at % count;
        if (matches(list.text(item, 0), wanted, (flags & LVFI_PARTIAL) != 0))
            return item;
    }
    return -1;
}

}  // namespace platform::win32
