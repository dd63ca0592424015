#include "win32/Win32Dialogs.h"

#include <commctrl.h>

#include <cstring>

#include "dialogrules/PrefixSearch.h"
#include "win32/ReflectedColor.h"

namespace kv {
namespace {

HINSTANCE ProgramInstance() {
  return ::GetModuleHandleA(nullptr);
}

COLORREF Resolve(Color color) {
  return ResolveColor(color, ::GetSysColor);
}

// Paints a page's drawing onto the dialog's paint device context.
class PaintCanvas : public Canvas {
 public:
  PaintCanvas(HWND window, HDC dc) : window_(window), dc_(dc) {}
  Rect ClientRect() override {
    RECT client{};
    ::GetClientRect(window_, &client);
    return {client.left, client.top, client.right, client.bottom};
  }
  void DrawText(std::string_view text, const Rect& rect, const Font& font, Color color,
                uint32_t format) override {
    LOGFONTA description{};
    description.lfHeight = font.height;
    description.lfWeight = font.weight;
    description.lfCharSet = ANSI_CHARSET;
    std::strncpy(description.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
    GdiObject created(::CreateFontIndirectA(&description));
    HGDIOBJ previous = ::SelectObject(dc_, created.get());
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextColor(dc_, Resolve(color));
    RECT area{rect.left, rect.top, rect.right, rect.bottom};
    std::string copy(text);
    ::DrawTextA(dc_, copy.c_str(), static_cast<int>(copy.size()), &area, format);
    ::SelectObject(dc_, previous);
  }

 private:
  HWND window_;
  HDC dc_;
};

int AsIndex(LRESULT result) {
  return result < 0 ? -1 : static_cast<int>(result);
}

}  // namespace

void InitializeCommonControls() {
  static bool done = false;
  if (done) return;
  done = true;
  // The import of InitCommonControls keeps comctl32.dll loaded; the newer
  // function registers the list view, progress and tooltip classes by name.
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  HMODULE comctl = ::GetModuleHandleA("comctl32.dll");
  auto initEx = comctl != nullptr ? reinterpret_cast<InitEx>(reinterpret_cast<void*>(
                                        ::GetProcAddress(comctl, "InitCommonControlsEx")))
                                  : nullptr;
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                               ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  if (initEx == nullptr || !initEx(&classes)) ::InitCommonControls();
}

Win32Dialog::Win32Dialog(DialogPage& page, Win32Dialog* parent, bool modal)
    : page_(page), parent_(parent), modal_(modal) {}

// The window goes first, as it would on its own: its pages, then its
// fonts, brushes and bitmaps.
Win32Dialog::~Win32Dialog() {
  window_.reset();
}

INT_PTR CALLBACK Win32Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<Win32Dialog*>(lParam);
    ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->window_.reset(window);
    self->initializing_ = true;
    self->page_.OnInit(*self);
    self->initializing_ = false;
    // TRUE lets the system choose the focus, unless the page chose it.
    return self->focusSet_ ? FALSE : TRUE;
  }
  auto* self = reinterpret_cast<Win32Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->OnMessage(message, wParam, lParam);
}

INT_PTR Win32Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      int code = HIWORD(wParam);
      if (!page_.OnCommand(*this, id, code) && modal_ && code == BN_CLICKED &&
          (id == IDOK || id == IDCANCEL)) {
        EndDialog(id);
      }
      return TRUE;
    }
    case WM_TIMER:
      page_.OnTimer(*this, static_cast<int>(wParam));
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        UINT before = (change->uOldState & LVIS_STATEIMAGEMASK) >> 12;
        UINT after = (change->uNewState & LVIS_STATEIMAGEMASK) >> 12;
        // State image 1 is unchecked, 2 checked; 0 is the image a new item
        // starts without.
        if ((change->uChanged & LVIF_STATE) != 0 && before != 0 && after != 0 && before != after) {
          page_.OnItemChecked(*this, static_cast<int>(header->idFrom), change->iItem, after == 2);
        }
      }
      return FALSE;
    }
    case WM_HELP:
      if (!page_.OnHelp(*this)) {
        HWND next =
            parent_ != nullptr ? parent_->window_.get() : ::GetWindow(window_.get(), GW_OWNER);
        if (next != nullptr) ::SendMessageA(next, WM_HELP, wParam, lParam);
      }
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      // A control of the program's own classes colours itself when the request
      // is reflected to it; 0 means it does not.
      if (LRESULT brush = ::SendMessageA(reinterpret_cast<HWND>(lParam), kReflectBase + message,
                                         wParam, lParam)) {
        return static_cast<INT_PTR>(brush);
      }
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT:
      OnPaintMessage();
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_SYSCOMMAND:
      return page_.OnSysCommand(*this, static_cast<int>(wParam & 0xFFF0)) ? TRUE : FALSE;
    case WM_DESTROY:
      OnDestroyMessage();
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR Win32Dialog::OnControlColor(HDC dc, HWND control) {
  auto found = colors_.find(::GetDlgCtrlID(control));
  if (found == colors_.end()) return FALSE;
  Colors& colors = found->second;
  ::SetTextColor(dc, Resolve(colors.text));
  ::SetBkColor(dc, Resolve(colors.background));
  if (!colors.brush) colors.brush.reset(::CreateSolidBrush(Resolve(colors.background)));
  return reinterpret_cast<INT_PTR>(colors.brush.get());
}

void Win32Dialog::OnPaintMessage() {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(window_.get(), &paint);
  RECT client{};
  ::GetClientRect(window_.get(), &client);
  if (::IsIconic(window_.get()) && icon_ != nullptr) {
    ::SendMessageA(window_.get(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int width = ::GetSystemMetrics(SM_CXICON);
    int height = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - width + 1) / 2, (client.bottom - height + 1) / 2, icon_);
  } else {
    for (const auto& [id, bitmap] : bitmaps_) {
      HWND control = Item(id);
      if (control == nullptr) continue;
      const WindowDc target = WindowDcOf(control);
      const MemoryDc memory(::CreateCompatibleDC(target.get()));
      HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
      BITMAP size{};
      ::GetObjectA(bitmap.get(), sizeof size, &size);
      RECT area{};
      ::GetClientRect(control, &area);
      ::SetStretchBltMode(target.get(), COLORONCOLOR);
      ::StretchBlt(target.get(), 0, 0, area.right, area.bottom, memory.get(), 0, 0, size.bmWidth,
                   size.bmHeight, SRCCOPY);
      ::SelectObject(memory.get(), previous);
    }
    PaintCanvas canvas(window_.get(), dc);
    page_.OnPaint(*this, canvas);
  }
  ::EndPaint(window_.get(), &paint);
}

void Win32Dialog::OnDestroyMessage() {
  DestroyPages();
  page_.OnDestroy(*this);
  tooltip_.reset();
  ::SetWindowLongPtrA(window_.get(), DWLP_USER, 0);
  window_.release();  // being destroyed already
}

HWND Win32Dialog::Item(int id) const {
  return window_.get() != nullptr ? ::GetDlgItem(window_.get(), id) : nullptr;
}

Win32Dialog::ListKind Win32Dialog::KindOf(HWND item) const {
  if (item == nullptr) return ListKind::None;
  char name[32] = {};
  ::GetClassNameA(item, name, sizeof name);
  if (::lstrcmpiA(name, "ComboBox") == 0) return ListKind::ComboBox;
  if (::lstrcmpiA(name, "ListBox") == 0) return ListKind::ListBox;
  if (::lstrcmpiA(name, WC_LISTVIEWA) == 0) return ListKind::ListView;
  return ListKind::None;
}

// --- Any control ------------------------------------------------------------

void Win32Dialog::SetText(int id, std::string_view text) {
  if (HWND item = Item(id)) ::SetWindowTextA(item, std::string(text).c_str());
}

void Win32Dialog::Enable(int id, bool enabled) {
  if (HWND item = Item(id)) ::EnableWindow(item, enabled);
}

void Win32Dialog::Show(int id, bool visible) {
  if (HWND item = Item(id)) ::ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
}

void Win32Dialog::SetFocus(int id) {
  HWND item = Item(id);
  if (item == nullptr) return;
  ::SetFocus(item);
  if (initializing_) focusSet_ = true;
}

// --- Buttons -------------------------------------------------------------------

bool Win32Dialog::Checked(int id) {
  return window_.get() != nullptr && ::IsDlgButtonChecked(window_.get(), id) == BST_CHECKED;
}

void Win32Dialog::Check(int id, bool checked) {
  if (HWND item = Item(id)) {
    ::SendMessageA(item, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void Win32Dialog::CheckRadio(int first, int last, int id) {
  if (window_.get() != nullptr) ::CheckRadioButton(window_.get(), first, last, id);
}

// --- Lists -----------------------------------------------------------------------

int Win32Dialog::AddItem(int id, std::string_view text) {
  HWND item = Item(id);
  std::string copy(text);
  auto address = reinterpret_cast<LPARAM>(copy.c_str());
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      return AsIndex(::SendMessageA(item, CB_ADDSTRING, 0, address));
    case ListKind::ListBox:
      return AsIndex(::SendMessageA(item, LB_ADDSTRING, 0, address));
    case ListKind::ListView:
      return InsertItem(id, -1, text);
    case ListKind::None:
      break;
  }
  return -1;
}

int Win32Dialog::InsertItem(int id, int index, std::string_view text) {
  HWND item = Item(id);
  std::string copy(text);
  auto address = reinterpret_cast<LPARAM>(copy.c_str());
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      return AsIndex(::SendMessageA(item, CB_INSERTSTRING, index, address));
    case ListKind::ListBox:
      return AsIndex(::SendMessageA(item, LB_INSERTSTRING, index, address));
    case ListKind::ListView: {
      int count = static_cast<int>(::SendMessageA(item, LVM_GETITEMCOUNT, 0, 0));
      LVITEMA entry{};
      entry.mask = LVIF_TEXT;
      entry.iItem = index < 0 || index > count ? count : index;
      entry.pszText = copy.data();
      return AsIndex(::SendMessageA(item, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
    }
    case ListKind::None:
      break;
  }
  return -1;
}

void Win32Dialog::DeleteItem(int id, int index) {
  HWND item = Item(id);
  switch (KindOf(item)) {
    case ListKind::ComboBox: {
      // Windows clears the selection with the selected entry; Wine 8 does not
      // always, so the selection is cleared here too.
      const bool selected = ::SendMessageA(item, CB_GETCURSEL, 0, 0) == index;
      if (::SendMessageA(item, CB_DELETESTRING, index, 0) != CB_ERR && selected) {
        ::SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
      }
      break;
    }
    case ListKind::ListBox:
      ::SendMessageA(item, LB_DELETESTRING, index, 0);
      break;
    case ListKind::ListView:
      if (index >= 0) ::SendMessageA(item, LVM_DELETEITEM, index, 0);
      break;
    case ListKind::None:
      break;
  }
}

void Win32Dialog::ClearItems(int id) {
  HWND item = Item(id);
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      ::SendMessageA(item, CB_RESETCONTENT, 0, 0);
      break;
    case ListKind::ListBox:
      ::SendMessageA(item, LB_RESETCONTENT, 0, 0);
      break;
    case ListKind::ListView:
      ::SendMessageA(item, LVM_DELETEALLITEMS, 0, 0);
      break;
    case ListKind::None:
      break;
  }
}

int Win32Dialog::ItemCount(int id) {
  HWND item = Item(id);
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      return std::max(0, AsIndex(::SendMessageA(item, CB_GETCOUNT, 0, 0)));
    case ListKind::ListBox:
      return std::max(0, AsIndex(::SendMessageA(item, LB_GETCOUNT, 0, 0)));
    case ListKind::ListView:
      return std::max(0, AsIndex(::SendMessageA(item, LVM_GETITEMCOUNT, 0, 0)));
    case ListKind::None:
      break;
  }
  return 0;
}

std::string Win32Dialog::ItemText(int id, int index) {
  HWND item = Item(id);
  ListKind kind = KindOf(item);
  if (kind == ListKind::None || index < 0 || index >= ItemCount(id)) return {};
  if (kind == ListKind::ListView) {
    // LVM_GETITEMTEXT answers the length copied; a full buffer may mean more.
    for (size_t size = 256;; size *= 2) {
      std::string text(size, '\0');
      LVITEMA entry{};
      entry.iSubItem = 0;
      entry.pszText = text.data();
      entry.cchTextMax = static_cast<int>(size);
      auto copied = static_cast<size_t>(
          ::SendMessageA(item, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&entry)));
      if (copied + 1 < size || size >= 65536) {
        text.resize(std::strlen(text.c_str()));
        return text;
      }
    }
  }
  UINT lengthMessage = kind == ListKind::ComboBox ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
  UINT textMessage = kind == ListKind::ComboBox ? CB_GETLBTEXT : LB_GETTEXT;
  int length = AsIndex(::SendMessageA(item, lengthMessage, index, 0));
  if (length < 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied =
      AsIndex(::SendMessageA(item, textMessage, index, reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

int Win32Dialog::Selection(int id) {
  HWND item = Item(id);
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      return AsIndex(::SendMessageA(item, CB_GETCURSEL, 0, 0));
    case ListKind::ListBox:
      return AsIndex(::SendMessageA(item, LB_GETCURSEL, 0, 0));
    case ListKind::ListView:
      return AsIndex(::SendMessageA(item, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    case ListKind::None:
      break;
  }
  return -1;
}

void Win32Dialog::Select(int id, int index) {
  HWND item = Item(id);
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      // An index out of range clears the selection, as Windows does (Wine 8
      // sometimes keeps the old one).
      if (index < 0 || index >= ItemCount(id)) index = -1;
      ::SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      break;
    case ListKind::ListBox:
      ::SendMessageA(item, LB_SETCURSEL, index, 0);
      break;
    case ListKind::ListView: {
      LVITEMA state{};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = 0;
      ::SendMessageA(item, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&state));
      if (index >= 0 && index < ItemCount(id)) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageA(item, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
        ::SendMessageA(item, LVM_ENSUREVISIBLE, index, FALSE);
      }
      break;
    }
    case ListKind::None:
      break;
  }
}

int Win32Dialog::FindPrefix(int id, int after, std::string_view prefix) {
  HWND item = Item(id);
  std::string copy(prefix);
  auto address = reinterpret_cast<LPARAM>(copy.c_str());
  switch (KindOf(item)) {
    case ListKind::ComboBox:
      return AsIndex(::SendMessageA(item, CB_FINDSTRING, after, address));
    case ListKind::ListBox:
      return AsIndex(::SendMessageA(item, LB_FINDSTRING, after, address));
    case ListKind::ListView: {
      // A list view has no such message: the same search over its items.
      std::string text;
      return kv::FindPrefix(
          ItemCount(id), after, prefix,
          [&](int index) { return std::string_view(text = ItemText(id, index)); },
          [](std::string_view a, std::string_view b) {
            return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                                    static_cast<int>(a.size()), b.data(),
                                    static_cast<int>(b.size())) == CSTR_EQUAL;
          });
    }
    case ListKind::None:
      break;
  }
  return -1;
}

void Win32Dialog::SetListViewStyles(int id, uint32_t extendedStyles) {
  HWND item = Item(id);
  if (KindOf(item) == ListKind::ListView) {
    ::SendMessageA(item, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extendedStyles);
  }
}

bool Win32Dialog::ItemChecked(int id, int index) {
  HWND item = Item(id);
  if (KindOf(item) != ListKind::ListView || index < 0 || index >= ItemCount(id)) return false;
  auto state = ::SendMessageA(item, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
  return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void Win32Dialog::CheckItem(int id, int index, bool checked) {
  HWND item = Item(id);
  // Index -1 would change every item.
  if (KindOf(item) != ListKind::ListView || index < 0 || index >= ItemCount(id) ||
      (::SendMessageA(item, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) == 0) {
    return;
  }
  LVITEMA state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  ::SendMessageA(item, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
}

// --- Progress bars -----------------------------------------------------------------

void Win32Dialog::SetRange(int id, int low, int high) {
  if (HWND item = Item(id)) ::SendMessageA(item, PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void Win32Dialog::SetPosition(int id, int position) {
  if (HWND item = Item(id)) ::SendMessageA(item, PBM_SETPOS, position, 0);
}

// --- Appearance ------------------------------------------------------------------

void Win32Dialog::SetTooltip(int id, std::string_view text, int maxWidth) {
  HWND item = Item(id);
  if (item == nullptr) return;
  if (!tooltip_) {
    tooltip_.reset(::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                     window_.get(), nullptr, ProgramInstance(), nullptr));
    if (!tooltip_) return;
  }
  std::string copy(text);
  // The first version of the structure, which every comctl32 accepts.
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_.get();
  tool.uId = reinterpret_cast<UINT_PTR>(item);
  tool.lpszText = copy.data();
  bool known = tooltips_.count(id) != 0;
  ::SendMessageA(tooltip_.get(), known ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                 reinterpret_cast<LPARAM>(&tool));
  ::SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, maxWidth);
  ::SendMessageA(tooltip_.get(), TTM_ACTIVATE, TRUE, 0);
  tooltips_.insert(id);
}

void Win32Dialog::SetFont(int id, const Font& font) {
  HWND item = Item(id);
  if (item == nullptr) return;
  LOGFONTA description{};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
  description.lfHeight = font.height;
  description.lfWidth = 0;
  description.lfWeight = font.weight;
  std::memset(description.lfFaceName, 0, sizeof description.lfFaceName);
  std::strncpy(description.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);
  GdiObject created(::CreateFontIndirectA(&description));
  if (!created) return;
  ::SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(created.get()), TRUE);
  fonts_[id] = std::move(created);  // the previous one, no longer in use, goes
}

void Win32Dialog::SetColors(int id, Color text, Color background) {
  HWND item = Item(id);
  if (item == nullptr) return;
  Colors& colors = colors_[id];
  colors.text = text;
  colors.background = background;
  colors.brush.reset();
  ::InvalidateRect(item, nullptr, TRUE);
}

bool Win32Dialog::ShowBitmapFile(int id, std::string_view path) {
  GdiObject bitmap(
      ::LoadImageA(nullptr, std::string(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!bitmap) return false;
  if (Item(id) != nullptr) {
    bitmaps_[id] = std::move(bitmap);
    ::InvalidateRect(window_.get(), nullptr, TRUE);
  }
  return true;
}

// --- Timers ------------------------------------------------------------------------

void Win32Dialog::SetTimer(int timerId, uint32_t periodMs) {
  if (window_.get() != nullptr) ::SetTimer(window_.get(), timerId, periodMs, nullptr);
}

// --- The dialog window ----------------------------------------------------------------

void Win32Dialog::SetIcon(int resourceId) {
  icon_ = ::LoadIconA(ProgramInstance(), MAKEINTRESOURCEA(resourceId));
  ::SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  ::SendMessageA(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void Win32Dialog::AddSystemMenuItem(int commandId, std::string_view text) {
  HMENU menu = ::GetSystemMenu(window_.get(), FALSE);
  if (menu == nullptr) return;
  ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(commandId), std::string(text).c_str());
}

void Win32Dialog::Minimize() {
  ::ShowWindow(window_.get(), SW_MINIMIZE);
}

void Win32Dialog::SetTopmost(bool topmost) {
  ::SetWindowPos(window_.get(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Dialog::ShowWindow(bool visible) {
  ::ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE);
}

void Win32Dialog::EndDialog(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
  // During WM_INITDIALOG this only marks the dialog: DialogBox destroys it
  // once initialisation has returned, without showing it.
  if (modal_ && window_.get() != nullptr) ::EndDialog(window_.get(), result);
}

// --- Pages -----------------------------------------------------------------------------

Controls* Win32Dialog::CreatePage(int templateId, DialogPage& page, int frameId) {
  auto child = std::make_unique<Win32Dialog>(page, this, false);
  HWND created =
      ::CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), window_.get(),
                           Procedure, reinterpret_cast<LPARAM>(child.get()));
  if (created == nullptr) return nullptr;
  if (HWND frame = Item(frameId)) {
    RECT area{};
    ::GetWindowRect(frame, &area);
    ::MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&area), 2);
    ::SetWindowPos(created, nullptr, area.left, area.top, area.right - area.left,
                   area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  pages_.push_back(std::move(child));
  return pages_.back().get();
}

void Win32Dialog::DestroyPages() {
  // Each page's window goes first (its WM_DESTROY runs the page's OnDestroy),
  // then its binding.
  for (auto& page : pages_) page->window_.reset();
  pages_.clear();
}

// --- Win32Dialogs --------------------------------------------------------------------------

int Win32Dialogs::RunModal(int templateId, DialogPage& page, WindowHandle owner) {
  InitializeCommonControls();
  Win32Dialog dialog(page, nullptr, true);
  INT_PTR result = ::DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId),
                                     reinterpret_cast<HWND>(owner), Win32Dialog::Procedure,
                                     reinterpret_cast<LPARAM>(&dialog));
  return result == -1 ? -1 : static_cast<int>(result);
}

std::unique_ptr<Win32Dialog> Win32Dialogs::OpenModeless(int templateId, DialogPage& page,
                                                        WindowHandle owner) {
  InitializeCommonControls();
  auto dialog = std::make_unique<Win32Dialog>(page, nullptr, false);
  HWND created = ::CreateDialogParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId),
                                      reinterpret_cast<HWND>(owner), Win32Dialog::Procedure,
                                      reinterpret_cast<LPARAM>(dialog.get()));
  if (created == nullptr) return nullptr;
  return dialog;
}

}  // namespace kv
