#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// First: the Windows headers with the macros that share the interfaces'
// method names undone.
#include "win32/Win32Api.h"

#include "handles/WindowsHandles.h"
#include "platform/Controls.h"

namespace kv {

// One dialog window bound to its page: the window procedure hands every
// message the page cares about to it and decides nothing itself. The object
// is kept with the window (DWLP_USER) from WM_INITDIALOG to WM_DESTROY. What
// only tests read is in a test-only library (tests/support/win32), so that
// the programs carry none of it.
class Win32Dialog : public Controls {
 public:
  Win32Dialog(DialogPage& page, Win32Dialog* parent, bool modal);
  ~Win32Dialog() override;
  Win32Dialog(const Win32Dialog&) = delete;
  Win32Dialog& operator=(const Win32Dialog&) = delete;

  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window() const { return window_.get(); }
  int result() const { return result_; }
  // Whether EndDialog was called (a modeless dialog stays open).
  bool ended() const { return ended_; }
  // The tooltip control of the dialog's tips, nullptr before the first, and
  // whether control `id` has a tip.
  HWND tooltipWindow() const { return tooltip_.get(); }
  bool HasTooltip(int id) const { return tooltips_.count(id) != 0; }

  // --- Controls ---------------------------------------------------------------
  void SetText(int id, std::string_view text) override;
  void Enable(int id, bool enabled) override;
  void Show(int id, bool visible) override;
  void SetFocus(int id) override;
  bool Checked(int id) override;
  void Check(int id, bool checked) override;
  void CheckRadio(int first, int last, int id) override;
  int AddItem(int id, std::string_view text) override;
  int InsertItem(int id, int index, std::string_view text) override;
  void DeleteItem(int id, int index) override;
  void ClearItems(int id) override;
  int ItemCount(int id) override;
  std::string ItemText(int id, int index) override;
  int Selection(int id) override;
  void Select(int id, int index) override;
  int FindPrefix(int id, int after, std::string_view prefix) override;
  void SetListViewStyles(int id, uint32_t extendedStyles) override;
  bool ItemChecked(int id, int index) override;
  void CheckItem(int id, int index, bool checked) override;
  void SetRange(int id, int low, int high) override;
  void SetPosition(int id, int position) override;
  void SetTooltip(int id, std::string_view text, int maxWidth) override;
  void SetFont(int id, const Font& font) override;
  void SetColors(int id, Color text, Color background) override;
  bool ShowBitmapFile(int id, std::string_view path) override;
  void SetTimer(int timerId, uint32_t periodMs) override;
  WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(window_.get()); }
  void SetIcon(int resourceId) override;
  void AddSystemMenuItem(int commandId, std::string_view text) override;
  void Minimize() override;
  void SetTopmost(bool topmost) override;
  void ShowWindow(bool visible) override;
  void EndDialog(int result) override;
  Controls* Parent() override { return parent_; }
  Controls* CreatePage(int templateId, DialogPage& page, int frameId) override;
  void DestroyPages() override;

 private:
  enum class ListKind { None, ComboBox, ListBox, ListView };
  struct Colors {
    Color text = kColorWindowText;
    Color background = kColorButtonFace;
    GdiObject brush;
  };

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnControlColor(HDC dc, HWND control);
  void OnPaintMessage();
  void OnDestroyMessage();
  HWND Item(int id) const;
  ListKind KindOf(HWND item) const;

  DialogPage& page_;
  Win32Dialog* parent_;
  bool modal_;
  OwnedWindow window_;
  bool initializing_ = false;
  bool focusSet_ = false;
  bool ended_ = false;
  int result_ = 0;
  HICON icon_ = nullptr;
  OwnedWindow tooltip_;
  std::set<int> tooltips_;
  std::map<int, GdiObject> fonts_;
  std::map<int, Colors> colors_;
  std::map<int, GdiObject> bitmaps_;
  std::vector<std::unique_ptr<Win32Dialog>> pages_;
};

// Dialogs from the running program's templates. Creating the first one
// initialises the common controls in a way Windows 98 and NT 4.0 accept.
class Win32Dialogs : public Dialogs {
 public:
  int RunModal(int templateId, DialogPage& page, WindowHandle owner) override;
  // A modeless top-level dialog (tests drive it with their own message loop);
  // nullptr when it cannot be created.
  std::unique_ptr<Win32Dialog> OpenModeless(int templateId, DialogPage& page, WindowHandle owner);
};

// InitCommonControlsEx where comctl32 has it (4.70 and later), otherwise
// InitCommonControls (NT 4.0 as shipped).
void InitializeCommonControls();

}  // namespace kv
