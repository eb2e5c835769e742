// Finding and reading windows of other processes of the same Wine prefix.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

HWND toWindow(unsigned long handle);
std::string handleText(HWND window);

// Text through WM_GETTEXT, asked with a time-out so that a busy target cannot
// hang the driver.
std::string windowText(HWND window);
// The same for a window that may be closing: false when it is gone.
bool textIfAlive(HWND window, std::string& text);
// A top-level window's caption as Windows keeps it; never waits on the owner,
// so a busy program cannot stall a search.
std::string caption(HWND window);
std::string windowClass(HWND window);
// A caption as the user reads it: "&Next >" reads "Next >", "&&" reads "&".
std::string withoutMnemonic(const std::string& caption);
// Equal as given or as the user reads it.
bool captionMatches(const std::string& actual, const std::string& wanted);

// Visible top-level windows, in z-order.
std::vector<HWND> visibleTopLevel();
// All descendants, depth first in creation order.
std::vector<HWND> descendants(HWND parent);
// Visible and not inside a hidden parent.
bool reallyVisible(HWND window);

// Polls `found` every 30 ms until it is true or `timeoutMs` has passed.
bool waitUntil(long timeoutMs, const std::function<bool()>& found);

// The first visible descendant of `parent` whose class matches (empty: any)
// and whose caption matches; nullptr when none.
HWND findChild(HWND parent, const std::string& className, const std::string& caption);

}  // namespace driver
