// Fonts of the controls, made once per face, size and weight.
#include <vector>

#include "platform/win32/native.h"

namespace platform::win32 {

namespace {

struct MadeFont {
    Font font;
    HFONT handle;
};

bool sameFont(const Font& a, const Font& b) {
    return a.points == b.points && a.bold == b.bold &&
           lstrcmpiA(a.face.c_str(), b.face.c_str()) == 0;
}

}  // namespace

HFONT fontHandle(const Font& font) {
    static std::vector<MadeFont> made;
    for (const MadeFont& known : made) {
        if (sameFont(known.font, font))
            return known.handle;
    }
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    LOGFONTA description = {};
    description.lfHeight = -MulDiv(font.points, pixelsPerInch, 72);
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(description.lfFaceName, font.face.c_str(), LF_FACESIZE);
    HFONT handle = CreateFontIndirectA(&description);
    if (handle == nullptr)
        handle = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    made.push_back({font, handle});
    return handle;
}

}  // namespace platform::win32
