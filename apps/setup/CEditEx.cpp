#include "CEditEx.h"

#include <map>

#include "win32/ReflectedColor.h"

namespace kv {
namespace {

WNDPROC editProcedure = nullptr;

// The objects of the windows created under the class name, one per window,
// freed when the window goes.
std::map<HWND, std::unique_ptr<CEditEx>>& CreatedEdits() {
  static std::map<HWND, std::unique_ptr<CEditEx>> edits;
  return edits;
}

LRESULT CALLBACK CreatedEditProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto edit = std::make_unique<CEditEx>();
    if (edit->Attach(window)) CreatedEdits()[window] = std::move(edit);
  }
  if (message == WM_NCDESTROY) {
    const LRESULT result = ::CallWindowProcA(editProcedure, window, message, wParam, lParam);
    CreatedEdits().erase(window);
    return result;
  }
  return ::CallWindowProcA(editProcedure, window, message, wParam, lParam);
}

}  // namespace

bool CEditEx::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  if (!::GetClassInfoA(nullptr, "EDIT", &windowClass)) return false;
  editProcedure = windowClass.lpfnWndProc;
  windowClass.lpfnWndProc = CreatedEditProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "CEditEx";
  return ::RegisterClassA(&windowClass) != 0;
}

CEditEx::CEditEx()
    : background_(::GetSysColor(COLOR_WINDOW)), text_(::GetSysColor(COLOR_WINDOWTEXT)) {
  // The constructor cannot reach an override: the class's own brush first.
  brush_.reset(::CreateSolidBrush(background_));
}

CEditEx::~CEditEx() {
  Detach();
}

void CEditEx::Redraw() {
  if (window() != nullptr) ::InvalidateRect(window(), nullptr, TRUE);
}

COLORREF CEditEx::SetBackgroundColor(COLORREF color) {
  const COLORREF previous = background_;
  background_ = color;
  brush_.reset(CreateBackgroundBrush(color));
  Redraw();
  return previous;
}

COLORREF CEditEx::SetTextColor(COLORREF color) {
  const COLORREF previous = text_;
  text_ = color;
  Redraw();
  return previous;
}

void CEditEx::SetFont(const LOGFONTA* description) {
  if (description == nullptr) return;
  font_.reset(::CreateFontIndirectA(description));
  if (window() != nullptr) {
    ::SendMessageA(window(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
}

void CEditEx::SetFont(int height, BYTE pitchAndFamily, const char* face) {
  LOGFONTA description{};
  description.lfHeight = height;
  description.lfWeight = FW_NORMAL;
  description.lfPitchAndFamily = pitchAndFamily;
  if (face != nullptr) ::lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
  SetFont(&description);
}

void CEditEx::CopyAppearance(const CEditEx& other) {
  if (&other == this || (window() != nullptr && other.window() == window())) return;
  SetBackgroundColor(other.background_);
  SetTextColor(other.text_);
  if (!other.font_) return;
  LOGFONTA description{};
  if (::GetObjectA(other.font_.get(), sizeof(description), &description) == 0) {
    description = LOGFONTA{};
    description.lfHeight = -8;
    description.lfWeight = FW_NORMAL;
    ::lstrcpynA(description.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  }
  SetFont(&description);
}

LRESULT CEditEx::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsReflectedColorRequest(message)) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, text_);
    ::SetBkColor(dc, background_);
    return reinterpret_cast<LRESULT>(brush_.get());
  }
  if (message == WM_CHAR && filter_ && !filter_->Accepts(static_cast<UINT>(wParam))) {
    ::MessageBeep(MB_OK);
    return 0;
  }
  if (message == WM_CONTEXTMENU && contextMenu_ != 0) {
    const OwnedMenu menu(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(contextMenu_)));
    if (menu) {
      ::TrackPopupMenu(::GetSubMenu(menu.get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON,
                       static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), 0,
                       window(), nullptr);
      return 0;
    }
  }
  return Default(message, wParam, lParam);
}

}  // namespace kv
