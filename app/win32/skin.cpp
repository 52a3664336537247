// The control skin's colour schemes and drawing.
#include "app/win32/skin.h"

#include <algorithm>

#include "app/skin_scheme.h"
#include "app/win32/win_handles.h"

namespace kelo::win32::skin {
namespace {

int g_scheme = 0;  // 0: off. The skin is one setting for the whole user-interface thread.

const SkinScheme& current() { return *skinScheme(g_scheme); }

COLORREF toColorref(Rgb c) { return RGB(c.red, c.green, c.blue); }

void fillSolid(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void verticalGradient(HDC dc, const RECT& r, Rgb top, Rgb bottom) {
  const int h = r.bottom - r.top;
  for (int y = 0; y < h; ++y) {
    RECT line{r.left, r.top + y, r.right, r.top + y + 1};
    fillSolid(dc, line, toColorref(mixColours(top, bottom, y, h - 1)));
  }
}

void frameRect(HDC dc, const RECT& r, COLORREF colour) {
  fillSolid(dc, {r.left, r.top, r.right, r.top + 1}, colour);
  fillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour);
  fillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, colour);
  fillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, colour);
}

// A frame with its four corner pixels left out, which reads as rounded at this size.
void roundedFrame(HDC dc, const RECT& r, COLORREF colour) {
  fillSolid(dc, {r.left + 1, r.top, r.right - 1, r.top + 1}, colour);
  fillSolid(dc, {r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, colour);
  fillSolid(dc, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, colour);
  fillSolid(dc, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, colour);
}

void drawCaption(HDC dc, RECT r, std::wstring_view caption, HFONT font, COLORREF colour,
                 bool disabled) {
  SelectInDc selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : colour);
  // The caption may wrap: measure it first, then centre the block vertically.
  RECT measure = r;
  const UINT flags = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
  int height = DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &measure,
                         flags | DT_CALCRECT);
  r.top += std::max(0L, static_cast<LONG>((r.bottom - r.top - height) / 2));
  DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &r, flags);
}

}  // namespace

void setScheme(int scheme) { g_scheme = skinScheme(scheme) ? scheme : 0; }

bool isOn() { return g_scheme != 0; }

void drawButton(const DRAWITEMSTRUCT& item, std::wstring_view caption, HFONT font, bool hot) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;

  if (isOn()) {
    const SkinScheme& s = current();
    fillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
    RECT face{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    verticalGradient(dc, face, pressed ? s.pressedTop : s.buttonTop,
                     pressed ? s.pressedBottom : s.buttonBottom);
    roundedFrame(dc, r, disabled ? GetSysColor(COLOR_GRAYTEXT) : toColorref(s.buttonBorder));
    if (hot && !pressed && !disabled) {
      RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
      frameRect(dc, inner, toColorref(s.hotBorder));
    }
  } else {
    UINT state = DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0);
    DrawFrameControl(dc, &r, DFC_BUTTON, state);
  }

  RECT text{r.left + 3, r.top + 2, r.right - 3, r.bottom - 2};
  if (pressed) OffsetRect(&text, 1, 1);
  drawCaption(dc, text, caption, font, GetSysColor(COLOR_BTNTEXT), disabled);

  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
    DrawFocusRect(dc, &focus);
  }
}

void drawGroupBox(HDC dc, const RECT& bounds, std::wstring_view caption, HFONT font,
                  Rgb captionColour) {
  SelectInDc selected(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.data(), static_cast<int>(caption.size()), &extent);

  // The frame runs through the middle of the caption's line, as a group box's does.
  RECT frame = bounds;
  frame.top += tm.tmHeight / 2;
  if (isOn()) {
    roundedFrame(dc, frame, toColorref(current().frame));
  } else {
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  }

  if (!caption.empty()) {
    RECT gap{bounds.left + 7, bounds.top, bounds.left + 9 + extent.cx + 2, bounds.top + tm.tmHeight};
    fillSolid(dc, gap, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(captionColour.red, captionColour.green, captionColour.blue));
    RECT text{bounds.left + 9, bounds.top, bounds.right - 8, bounds.top + tm.tmHeight};
    DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void drawEditFrame(HWND edit) {
  if (!isOn()) return;
  WindowDc wdc(edit);
  if (!wdc.dc()) return;
  RECT r{};
  GetWindowRect(edit, &r);
  OffsetRect(&r, -r.left, -r.top);
  frameRect(wdc.dc(), r, toColorref(current().frame));
  RECT inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  frameRect(wdc.dc(), inner, RGB(255, 255, 255));
}

}  // namespace kelo::win32::skin
