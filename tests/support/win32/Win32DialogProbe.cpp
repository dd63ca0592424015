#include "support/win32/Win32DialogProbe.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <memory>

namespace kv {
namespace {

std::string WindowText(HWND window) {
  if (window == nullptr) return {};
  int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

bool IsListView(HWND item) {
  char name[32] = {};
  return item != nullptr && ::GetClassNameA(item, name, sizeof name) > 0 &&
         ::lstrcmpiA(name, WC_LISTVIEWA) == 0;
}

}  // namespace

ControlsProbe& Win32ProbeOf(Controls& controls) {
  // A probe holds only its dialog's address, so one a dialog at the same
  // address left behind reads the new one correctly.
  static std::map<Win32Dialog*, std::unique_ptr<Win32DialogProbe>> probes;
  auto& dialog = dynamic_cast<Win32Dialog&>(controls);
  auto& probe = probes[&dialog];
  if (!probe) probe = std::make_unique<Win32DialogProbe>(dialog);
  return *probe;
}

HWND Win32DialogProbe::Item(int id) const {
  return dialog_.window() != nullptr ? ::GetDlgItem(dialog_.window(), id) : nullptr;
}

bool Win32DialogProbe::Exists(int id) {
  return Item(id) != nullptr;
}

std::string Win32DialogProbe::Text(int id) {
  return WindowText(Item(id));
}

bool Win32DialogProbe::Enabled(int id) {
  HWND item = Item(id);
  return item != nullptr && ::IsWindowEnabled(item);
}

bool Win32DialogProbe::Visible(int id) {
  HWND item = Item(id);
  return item != nullptr && (::GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

int Win32DialogProbe::Focus() {
  HWND focus = ::GetFocus();
  if (focus == nullptr || !::IsChild(dialog_.window(), focus)) return 0;
  // The edit inside a combo box has the focus for it.
  while (::GetParent(focus) != dialog_.window()) focus = ::GetParent(focus);
  return ::GetDlgCtrlID(focus);
}

void Win32DialogProbe::SetDefaultButton(int id) {
  if (dialog_.window() != nullptr) ::SendMessageA(dialog_.window(), DM_SETDEFID, id, 0);
}

int Win32DialogProbe::DefaultButton() {
  if (dialog_.window() == nullptr) return 0;
  LRESULT answer = ::SendMessageA(dialog_.window(), DM_GETDEFID, 0, 0);
  return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

uint32_t Win32DialogProbe::ListViewStyles(int id) {
  HWND item = Item(id);
  if (!IsListView(item)) return 0;
  return static_cast<uint32_t>(::SendMessageA(item, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

int Win32DialogProbe::Position(int id) {
  HWND item = Item(id);
  return item != nullptr ? static_cast<int>(::SendMessageA(item, PBM_GETPOS, 0, 0)) : 0;
}

std::string Win32DialogProbe::Tooltip(int id) {
  HWND item = Item(id);
  if (item == nullptr || !dialog_.HasTooltip(id)) return {};
  // TTM_GETTEXT has no size; the buffer is larger than any tip the programs set.
  std::string text(4096, '\0');
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.hwnd = dialog_.window();
  tool.uId = reinterpret_cast<UINT_PTR>(item);
  tool.lpszText = text.data();
  ::SendMessageA(dialog_.tooltipWindow(), TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  text.resize(std::strlen(text.c_str()));
  return text;
}

Font Win32DialogProbe::FontOf(int id) {
  HWND item = Item(id);
  if (item == nullptr) return {};
  auto font = reinterpret_cast<HGDIOBJ>(::SendMessageA(item, WM_GETFONT, 0, 0));
  LOGFONTA description{};
  if (font == nullptr || ::GetObjectA(font, sizeof description, &description) == 0) return {};
  return {description.lfFaceName, static_cast<int>(description.lfHeight),
          static_cast<int>(description.lfWeight)};
}

bool Win32DialogProbe::ColorsDrawn(int id, COLORREF& text, COLORREF& background) {
  HWND item = Item(id);
  if (item == nullptr) return false;
  const WindowDc dc = WindowDcOf(item);
  ::SendMessageA(dialog_.window(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                 reinterpret_cast<LPARAM>(item));
  text = ::GetTextColor(dc.get());
  background = ::GetBkColor(dc.get());
  return true;
}

uint32_t Win32DialogProbe::DrawnTextColor(int id) {
  COLORREF text = 0, background = 0;
  return ColorsDrawn(id, text, background) ? text : 0;
}

uint32_t Win32DialogProbe::DrawnBackgroundColor(int id) {
  COLORREF text = 0, background = 0;
  return ColorsDrawn(id, text, background) ? background : 0;
}

void Win32DialogProbe::KillTimer(int timerId) {
  if (dialog_.window() != nullptr) ::KillTimer(dialog_.window(), timerId);
}

std::string Win32DialogProbe::Caption() {
  return WindowText(dialog_.window());
}

void Win32DialogProbe::SetCaption(std::string_view caption) {
  ::SetWindowTextA(dialog_.window(), std::string(caption).c_str());
}

bool Win32DialogProbe::ShowsIcon(int resourceId) {
  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId));
  return icon != nullptr &&
         reinterpret_cast<HICON>(::SendMessageA(dialog_.window(), WM_GETICON, ICON_BIG, 0)) ==
             icon &&
         reinterpret_cast<HICON>(::SendMessageA(dialog_.window(), WM_GETICON, ICON_SMALL, 0)) ==
             icon;
}

std::string Win32DialogProbe::SystemMenuItem(int commandId) {
  HMENU menu = ::GetSystemMenu(dialog_.window(), FALSE);
  char text[256] = {};
  if (menu == nullptr ||
      ::GetMenuStringA(menu, static_cast<UINT>(commandId), text, sizeof text, MF_BYCOMMAND) <= 0) {
    return {};
  }
  return text;
}

bool Win32DialogProbe::Topmost() {
  return dialog_.window() != nullptr &&
         (::GetWindowLongA(dialog_.window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Win32DialogProbe::Restore() {
  ::ShowWindow(dialog_.window(), SW_RESTORE);
}

bool Win32DialogProbe::Minimized() {
  return dialog_.window() != nullptr && ::IsIconic(dialog_.window());
}

void Win32DialogProbe::BringToForeground() {
  ::SetForegroundWindow(dialog_.window());
}

bool Win32DialogProbe::WindowVisible() {
  return dialog_.window() != nullptr &&
         (::GetWindowLongA(dialog_.window(), GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace kv
