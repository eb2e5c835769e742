// Pictures: bitmaps from the program's resources in a static control.
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

Picture::Picture(Container* parent, const Rect& bounds, int resourceId)
    : Control(parent, bounds), image_(resourceId) {
    win32::createChildWindow(*this, "STATIC", "", SS_BITMAP);
    setImage(resourceId);
}

Picture::~Picture() {
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(hwnd, STM_GETIMAGE, IMAGE_BITMAP, 0));
    win32::destroyWindowOf(*this);
    if (bitmap != nullptr)
        DeleteObject(bitmap);
}

void Picture::setImage(int resourceId) {
    image_ = resourceId;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    // A missing resource leaves the picture empty.
    HBITMAP bitmap = LoadBitmapA(win32::appInstance(), MAKEINTRESOURCEA(resourceId));
    auto previous = reinterpret_cast<HBITMAP>(
        SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous != nullptr && previous != bitmap)
        DeleteObject(previous);
}

}  // namespace platform
