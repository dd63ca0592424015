#include "ColorLabel.h"

#include <vector>

#include "win32/ReflectedColor.h"

namespace kv {
namespace {
constexpr UINT_PTR kFlashTimer = 1;
constexpr UINT kFlashPeriodMs = 500;
}  // namespace

ColorLabel::ColorLabel() : text_(::GetSysColor(COLOR_WINDOWTEXT)) {
  background_.reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
  flashBrush_.reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(description_), &description_);
  font_.reset(::CreateFontIndirectA(&description_));
}

ColorLabel::~ColorLabel() {
  StopTimer();
  Detach();
}

void ColorLabel::Redraw() {
  if (window() != nullptr) {
    ::RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

void ColorLabel::RebuildFont() {
  font_.reset(::CreateFontIndirectA(&description_));
  Redraw();
}

void ColorLabel::SetTextColor(COLORREF color) {
  text_ = color;
  Redraw();
}

void ColorLabel::SetBackgroundColor(COLORREF color) {
  background_.reset(::CreateSolidBrush(color));
}

void ColorLabel::SetBold(bool bold) {
  description_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  RebuildFont();
}

void ColorLabel::SetItalic(bool italic) {
  description_.lfItalic = italic ? TRUE : FALSE;
  RebuildFont();
}

void ColorLabel::SetUnderline(bool underline) {
  description_.lfUnderline = underline ? TRUE : FALSE;
  RebuildFont();
}

void ColorLabel::SetCharHeight(int height) {
  description_.lfHeight = -height;
  RebuildFont();
}

void ColorLabel::SetFaceName(const char* face) {
  ::lstrcpynA(description_.lfFaceName, face != nullptr ? face : "", LF_FACESIZE);
  RebuildFont();
}

void ColorLabel::SetSunken(bool sunken) {
  if (window() == nullptr) return;
  LONG style = ::GetWindowLongA(window(), GWL_EXSTYLE);
  style = sunken ? (style | WS_EX_STATICEDGE) : (style & ~WS_EX_STATICEDGE);
  ::SetWindowLongA(window(), GWL_EXSTYLE, style);
  ::SetWindowPos(window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ColorLabel::SetBorder(bool border) {
  if (window() == nullptr) return;
  LONG style = ::GetWindowLongA(window(), GWL_STYLE);
  style = border ? (style | WS_BORDER) : (style & ~WS_BORDER);
  ::SetWindowLongA(window(), GWL_STYLE, style);
  ::SetWindowPos(window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ColorLabel::SetText(const char* text) {
  if (window() != nullptr) ::SetWindowTextA(window(), text);
}

void ColorLabel::StopTimer() {
  if (!timerRunning_) return;
  if (window() != nullptr) ::KillTimer(window(), kFlashTimer);
  timerRunning_ = false;
}

void ColorLabel::FlashText(bool flash) {
  if (timerRunning_) {
    SetText(savedText_.c_str());
    StopTimer();
  }
  flash_ = Flash::None;
  if (!flash || window() == nullptr) return;
  const int length = ::GetWindowTextLengthA(window());
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(window(), text.data(), length + 1);
  savedText_ = text.data();
  phase_ = false;
  timerRunning_ = ::SetTimer(window(), kFlashTimer, kFlashPeriodMs, nullptr) != 0;
  flash_ = Flash::Text;
}

void ColorLabel::FlashBackground(bool flash) {
  StopTimer();
  flash_ = Flash::None;
  if (!flash || window() == nullptr) return;
  phase_ = false;
  timerRunning_ = ::SetTimer(window(), kFlashTimer, kFlashPeriodMs, nullptr) != 0;
  flash_ = Flash::Background;
}

void ColorLabel::SetLinkMode(bool link) {
  linkMode_ = link;
  if (window() == nullptr) return;
  LONG style = ::GetWindowLongA(window(), GWL_STYLE);
  style = link ? (style | SS_NOTIFY) : (style & ~SS_NOTIFY);
  ::SetWindowLongA(window(), GWL_STYLE, style);
}

LRESULT ColorLabel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsReflectedColorRequest(message)) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == kReflectBase + WM_CTLCOLORSTATIC) {
      ::SelectObject(dc, font_.get());
      ::SetTextColor(dc, text_);
      ::SetBkMode(dc, TRANSPARENT);
    }
    const bool flashPhase = flash_ == Flash::Background && !phase_;
    return reinterpret_cast<LRESULT>(flashPhase ? flashBrush_.get() : background_.get());
  }
  switch (message) {
    case WM_TIMER:
      if (wParam == kFlashTimer) {
        phase_ = !phase_;
        if (flash_ == Flash::Text) SetText(phase_ ? "" : savedText_.c_str());
        if (flash_ == Flash::Background) {
          ::InvalidateRect(window(), nullptr, FALSE);
          ::UpdateWindow(window());
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      const int length = ::GetWindowTextLengthA(window());
      std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
      ::GetWindowTextA(window(), text.data(), length + 1);
      ::ShellExecuteA(nullptr, "open", text.data(), nullptr, nullptr, SW_SHOWNORMAL);
      break;
    }
    case WM_SETCURSOR:
      if (linkCursor_ != nullptr) {
        ::SetCursor(linkCursor_);
        return TRUE;
      }
      break;
    case WM_DESTROY:
      StopTimer();
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace kv
