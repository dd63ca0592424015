#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialogrules/Color.h"
#include "platform/Desktop.h"

namespace kv {

// Notification codes of WM_COMMAND (the Windows numbers).
inline constexpr int kBnClicked = 0;
inline constexpr int kCbnSelChange = 1;
inline constexpr int kLbnSelChange = 1;
inline constexpr int kEnChange = 0x300;
// An edit control tells its dialog when it gains and loses the focus.
inline constexpr int kEnSetFocus = 0x100;
inline constexpr int kEnKillFocus = 0x200;

// Extended list-view styles (the Windows numbers).
inline constexpr uint32_t kLvsExGridLines = 0x01;
inline constexpr uint32_t kLvsExCheckBoxes = 0x04;
inline constexpr uint32_t kLvsExTrackSelect = 0x08;
inline constexpr uint32_t kLvsExFullRowSelect = 0x20;

// A font as LOGFONT describes one: height is lfHeight (negative: character
// height; positive: cell height), weight 400 normal, 700 bold.
struct Font {
  std::string face;
  int height = 0;
  int weight = 400;
  bool operator==(const Font&) const = default;
};

// DrawText format flags used by painting pages (the Windows numbers).
inline constexpr uint32_t kDtCenter = 0x01;
inline constexpr uint32_t kDtVCenter = 0x04;
inline constexpr uint32_t kDtSingleLine = 0x20;

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// What a page may draw while its window paints.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual Rect ClientRect() = 0;
  // Transparent background, this colour and font, DrawText with `format`.
  virtual void DrawText(std::string_view text, const Rect& rect, const Font& font, Color color,
                        uint32_t format) = 0;
};

class DialogPage;

// The controls of one open dialog, addressed by resource id, and the dialog
// window itself. An id the dialog lacks reads as empty (text "", count 0,
// selection -1, unchecked, disabled, hidden) and ignores writes, as a missing
// GetDlgItem control does. Indices are zero-based; -1 is "none".
//
// A Controls is valid while its dialog is open (between OnInit and the end of
// the dialog); page logic must not keep it beyond the call it was given to,
// except for the pages a dialog creates (CreatePage), which live as long as
// that dialog, and for a worker thread the page starts and waits for before
// the dialog ends.
//
// Threads: a method marked [any thread] may be called from a worker thread
// while the dialog's own thread (the one that opened it) handles its
// messages; on Windows each is a message to a control, which the system
// hands to the dialog's thread, and the binding keeps no state for it. Every
// other method belongs to the dialog's own thread: the binding keeps state
// for it (fonts, colours, bitmaps, tooltips, pages) or Windows ties it to
// the window's thread (focus, timers, the window itself). The simulated
// dialogs refuse an unmarked call from another thread.
class Controls {
 public:
  virtual ~Controls() = default;

  // --- Any control -------------------------------------------------------
  // A button's caption, a static's or an edit's text. [any thread]
  virtual void SetText(int id, std::string_view text) = 0;
  // [any thread]
  virtual void Enable(int id, bool enabled) = 0;
  // [any thread]
  virtual void Show(int id, bool visible) = 0;
  virtual void SetFocus(int id) = 0;

  // --- Buttons -----------------------------------------------------------
  // [any thread]
  virtual bool Checked(int id) = 0;
  // [any thread]
  virtual void Check(int id, bool checked) = 0;
  // CheckRadioButton: every check box or radio button whose id lies in
  // [first, last] is cleared, `id` is checked (ids in between that are not
  // buttons are left alone). [any thread]
  virtual void CheckRadio(int first, int last, int id) = 0;

  // --- Combo boxes, list boxes and list views ----------------------------
  // At the end, or in a list with the sorted style (CBS_SORT, LBS_SORT) where
  // Windows' binary search by CompareString ignoring case puts it (an equal
  // entry it meets goes after the new one). Returns the new entry's index, -1
  // when the control is no list. [any thread]
  virtual int AddItem(int id, std::string_view text) = 0;
  // At `index` (-1: at the end), whatever the sorted style. [any thread]
  virtual int InsertItem(int id, int index, std::string_view text) = 0;
  // [any thread]
  virtual void DeleteItem(int id, int index) = 0;
  // [any thread]
  virtual void ClearItems(int id) = 0;
  // [any thread]
  virtual int ItemCount(int id) = 0;
  // [any thread]
  virtual std::string ItemText(int id, int index) = 0;
  // The selected entry (a list view: the first selected item), -1 for none. [any thread]
  virtual int Selection(int id) = 0;
  // -1 clears the selection; an index out of range clears it too. [any thread]
  virtual void Select(int id, int index) = 0;
  // CB_FINDSTRING / LB_FINDSTRING: the first entry after `after` whose text
  // begins with `prefix` ignoring case, wrapping round to the start and ending
  // with `after` itself; -1 searches from the start. -1 when none matches. [any thread]
  virtual int FindPrefix(int id, int after, std::string_view prefix) = 0;

  // --- List views ----------------------------------------------------------
  virtual void SetListViewStyles(int id, uint32_t extendedStyles) = 0;
  // Check boxes of items (list views with kLvsExCheckBoxes). [any thread]
  virtual bool ItemChecked(int id, int index) = 0;
  // [any thread]
  virtual void CheckItem(int id, int index, bool checked) = 0;

  // --- Progress bars -------------------------------------------------------
  // [any thread]
  virtual void SetRange(int id, int low, int high) = 0;
  // [any thread]
  virtual void SetPosition(int id, int position) = 0;

  // --- Appearance ----------------------------------------------------------
  // A tooltip shown while the mouse rests on the control, at most `maxWidth`
  // pixels wide (wrapped beyond).
  virtual void SetTooltip(int id, std::string_view text, int maxWidth) = 0;
  // The control's font; the dialog owns it and frees it when it ends.
  virtual void SetFont(int id, const Font& font) = 0;
  // Colours a static or read-only edit is drawn with (WM_CTLCOLORSTATIC).
  virtual void SetColors(int id, Color text, Color background) = 0;
  // Loads a bitmap from a file (at its own size) and paints it stretched over
  // control `id` from then on. False, and nothing painted, when it cannot be
  // loaded.
  virtual bool ShowBitmapFile(int id, std::string_view path) = 0;

  // --- Timers ----------------------------------------------------------------
  // Ticks arrive as DialogPage::OnTimer; setting a running timer again
  // restarts it with the new period.
  virtual void SetTimer(int timerId, uint32_t periodMs) = 0;

  // --- The dialog window -----------------------------------------------------
  // The owner handle for Desktop::MessageBox. [any thread]
  virtual WindowHandle Handle() = 0;
  // The large and small icon from icon resource `resourceId`; also drawn
  // centred while the window is minimised and used as its drag icon.
  virtual void SetIcon(int resourceId) = 0;
  // Appends a separator and an item to the system menu; choosing it arrives
  // as DialogPage::OnSysCommand with `commandId`.
  virtual void AddSystemMenuItem(int commandId, std::string_view text) = 0;
  virtual void Minimize() = 0;
  virtual void SetTopmost(bool topmost) = 0;
  // Shows or hides the dialog window itself (pages of a frame).
  virtual void ShowWindow(bool visible) = 0;
  // Ends a modal dialog with `result`. Called during OnInit it only marks the
  // dialog as ended: OnInit goes on, and the dialog closes when it returns.
  virtual void EndDialog(int result) = 0;
  // The dialog this one is a page of (CreatePage), nullptr for a top-level
  // dialog.
  virtual Controls* Parent() = 0;

  // --- Pages -----------------------------------------------------------------
  // Creates a hidden modeless child dialog from template `templateId` (child
  // style, part of this dialog's keyboard navigation), runs its OnInit and
  // moves it onto the rectangle of control `frameId`. The page lives until
  // DestroyPages or the end of this dialog. nullptr when it cannot be created.
  virtual Controls* CreatePage(int templateId, DialogPage& page, int frameId) = 0;
  virtual void DestroyPages() = 0;
};

// The logic of one dialog. The binding (the real dialog or the in-memory
// model) calls these; the page decides everything, the binding nothing.
class DialogPage {
 public:
  virtual ~DialogPage() = default;

  virtual void OnInit(Controls&) {}
  // A command from control `id` (buttons: kBnClicked; lists: kCbnSelChange,
  // kLbnSelChange; the dialog's Enter and Escape/close box: ids 1 and 2 with
  // kBnClicked). Returning false lets the dialog do what a dialog does by
  // default: ids 1 and 2 end a modal dialog with that id as the result.
  virtual bool OnCommand(Controls&, int /*id*/, int /*code*/) { return false; }
  virtual void OnTimer(Controls&, int /*timerId*/) {}
  // The check box of item `index` of list view `id` changed.
  virtual void OnItemChecked(Controls&, int /*id*/, int /*index*/, bool /*checked*/) {}
  // F1. Returning false passes the request on as DefWindowProc does: a page's
  // to its dialog, a top-level dialog's to its owner window.
  virtual bool OnHelp(Controls&) { return false; }
  // A system menu command (AddSystemMenuItem); false: default handling.
  virtual bool OnSysCommand(Controls&, int /*commandId*/) { return false; }
  // Drawing of its own on the dialog's client area, after the controls'
  // colours and bitmaps.
  virtual void OnPaint(Controls&, Canvas&) {}
  // The dialog is about to be destroyed.
  virtual void OnDestroy(Controls&) {}
};

// Runs dialogs from templates.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Creates the dialog of template `templateId` owned by `owner` (0: none),
  // runs it modally and returns the result it ended with; -1 when it cannot
  // be created. [any thread] The dialog runs on the calling thread, with a
  // message loop of its own, and its page's calls come on that thread; the
  // owner may belong to another thread, which goes on handling its messages.
  // The uninstaller's restart question runs this way on its removal worker,
  // owned by the uninstaller's window.
  virtual int RunModal(int templateId, DialogPage& page, WindowHandle owner) = 0;
};

}  // namespace kv
