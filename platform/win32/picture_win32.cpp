// Pictures: bitmaps from the program's resources, painted at the top-left
// corner of a window of our own (a missing bitmap leaves the face colour).
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

HBITMAP bitmapOf(HWND hwnd) {
    return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, win32::BitmapSlot));
}

}  // namespace

Picture::Picture(Container* parent, const Rect& bounds, int resourceId)
    : Control(parent, bounds), image_(resourceId) {
    win32::createChildWindow(*this, win32::ContainerClass, "", 0);
    setImage(resourceId);
}

Picture::~Picture() {
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    HBITMAP bitmap = bitmapOf(hwnd);
    win32::destroyWindowOf(*this);
    if (bitmap != nullptr)
        DeleteObject(bitmap);
}

void Picture::setImage(int resourceId) {
    image_ = resourceId;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    HBITMAP previous = bitmapOf(hwnd);
    HBITMAP bitmap = LoadBitmapA(win32::appInstance(), MAKEINTRESOURCEA(resourceId));
    SetWindowLongPtrA(hwnd, win32::BitmapSlot, reinterpret_cast<LONG_PTR>(bitmap));
    if (previous != nullptr)
        DeleteObject(previous);
    InvalidateRect(hwnd, nullptr, TRUE);
}

namespace win32 {

void paintPicture(HWND window, HDC dc) {
    HBITMAP bitmap = bitmapOf(window);
    if (bitmap == nullptr)
        return;
    BITMAP size;
    if (!GetObjectA(bitmap, sizeof size, &size))
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace win32

}  // namespace platform
