#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/ControlsProbe.h"
#include "sim/SimClock.h"
#include "sim/SimFiles.h"
#include "sim/SimThreads.h"

namespace kv::sim {

enum class ControlKind {
  Static,
  Picture,  // a frame or picture static
  GroupBox,
  PushButton,
  CheckBox,
  RadioButton,
  Edit,
  ComboBox,
  ListBox,
  ListView,
  ProgressBar,
};

// One control of a dialog template, as the .rc declares it:
//   ControlTemplate(1030, ControlKind::ComboBox).Sorted().Disabled()
struct ControlTemplate {
  int id = -1;
  ControlKind kind = ControlKind::Static;
  std::string text;
  bool visible = true;         // not "NOT WS_VISIBLE"
  bool enabled = true;         // not WS_DISABLED
  bool group = false;          // WS_GROUP: starts a group of automatic radio buttons
  bool automatic = true;       // BS_AUTOCHECKBOX / BS_AUTORADIOBUTTON
  bool sorted = false;         // CBS_SORT / LBS_SORT
  bool defaultButton = false;  // DEFPUSHBUTTON
  bool readOnly = false;       // ES_READONLY
  // WS_TABSTOP: what the resource compiler gives the statement of each kind
  // unless the template says otherwise (statics, frames and bars have none).
  bool tabStop = true;

  ControlTemplate(int id, ControlKind kind, std::string text = {})
      : id(id),
        kind(kind),
        text(std::move(text)),
        tabStop(kind != ControlKind::Static && kind != ControlKind::Picture &&
                kind != ControlKind::GroupBox && kind != ControlKind::ProgressBar) {}
  ControlTemplate& Hidden() { return visible = false, *this; }
  ControlTemplate& Disabled() { return enabled = false, *this; }
  ControlTemplate& Group() { return group = true, *this; }
  ControlTemplate& Manual() { return automatic = false, *this; }
  ControlTemplate& Sorted() { return sorted = true, *this; }
  ControlTemplate& Default() { return defaultButton = true, *this; }
  ControlTemplate& ReadOnly() { return readOnly = true, *this; }
  ControlTemplate& NoTabStop() { return tabStop = false, *this; }
};

// A dialog template: its caption and controls in template order.
struct DialogLayout {
  int templateId = 0;
  std::string caption;
  std::vector<ControlTemplate> controls;
  int clientWidth = 300;  // pixels, for painting
  int clientHeight = 200;
};

// Text drawn by a page's OnPaint.
struct DrawnText {
  std::string text;
  Rect rect;
  Font font;
  Color color = 0;
  uint32_t format = 0;
};

class SimDialogs;

// The Controls methods marked for any thread in platform/Controls.h: a
// worker may call them while the dialog's own thread handles its messages.
// A dialog refuses every other method called from a thread other than the
// one that opened it (SimDialogs::refusedWorkerCalls).
inline constexpr std::string_view kWorkerSafeControls[] = {
    "SetText",    "Enable",      "Show",       "Checked",   "Check",       "CheckRadio", "AddItem",
    "InsertItem", "DeleteItem",  "ClearItems", "ItemCount", "ItemText",    "Selection",  "Select",
    "FindPrefix", "ItemChecked", "CheckItem",  "SetRange",  "SetPosition", "Handle"};

// One open dialog of the in-memory model: the state of each control by id,
// kept as Windows keeps it where page logic depends on it (sorted lists,
// prefix search, radio ranges and groups, default button, timers on the
// virtual clock). The "user" operations act as a user would: a disabled or
// hidden control ignores them.
class SimDialog : public Controls, public ControlsProbe {
 public:
  SimDialog(SimDialogs& dialogs, const DialogLayout& layout, DialogPage& page, SimDialog* parent,
            WindowHandle handle, WindowHandle owner, bool modal);
  ~SimDialog() override;
  SimDialog(const SimDialog&) = delete;
  SimDialog& operator=(const SimDialog&) = delete;

  // Runs the page's OnInit, as creating the window does.
  void Open();
  // Runs OnDestroy of the pages and then of this dialog.
  void Destroy();

  // --- The user's hands ------------------------------------------------------
  // A click on a button: automatic check boxes toggle, automatic radio buttons
  // check themselves and clear the rest of their group; then BN_CLICKED. False
  // when the control is missing, disabled or hidden (nothing happens).
  bool Click(int id);
  // Picks entry `index` of a combo or list box: selection, then the
  // selection-change notification. False as for Click or when out of range.
  bool Choose(int id, int index);
  // Picks the entry whose text is exactly `text`.
  bool ChooseText(int id, std::string_view text);
  // Replaces an edit's text, then EN_CHANGE.
  bool Type(int id, std::string_view text);
  // Toggles the check box of a list view item, as a click on it does.
  bool ClickItemCheck(int id, int index);
  // Enter: the default button's command when it is enabled, otherwise IDOK;
  // on a page, the top-level dialog's.
  void PressEnter();
  // Escape and the close box: IDCANCEL (on a page, to the top-level dialog).
  void PressEscape();
  // F1: the page's help, passed to the parent when the page leaves it.
  void PressF1();
  bool ChooseSystemMenu(int commandId);
  // Paints the window: the page's OnPaint records what it draws.
  const std::vector<DrawnText>& Paint();
  // Lets `milliseconds` of virtual time pass, delivering every timer tick
  // that falls due (the time a page's tick spends sleeping counts too).
  void AdvanceTime(uint64_t milliseconds);
  // Delivers ticks until the dialog ends; false if it has not ended after
  // `limitMs` of virtual time.
  bool RunUntilEnded(uint64_t limitMs);

  // --- Inspection ------------------------------------------------------------
  int result() const { return result_; }
  int templateId() const { return layout_.templateId; }
  DialogPage& page() { return page_; }
  int icon() const { return icon_; }
  bool topmost() const { return topmost_; }
  // The colours as the page set them (system colours unresolved).
  Color TextColor(int id);
  Color BackgroundColor(int id);
  int foregroundRequests() const { return foregroundRequests_; }
  const std::vector<std::pair<int, std::string>>& systemMenu() const { return systemMenu_; }
  std::string bitmapPath(int id) const;
  int frameOf() const { return frameId_; }
  // The running timers: id -> period.
  std::map<int, uint32_t> timers() const;
  const std::vector<std::unique_ptr<SimDialog>>& pages() const { return pages_; }
  SimDialog* PageByTemplate(int templateId);

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
  WindowHandle Handle() override { return handle_; }
  void SetIcon(int resourceId) override;
  void AddSystemMenuItem(int commandId, std::string_view text) override;
  void Minimize() override;
  void SetTopmost(bool topmost) override;
  void ShowWindow(bool visible) override;
  void EndDialog(int result) override;
  Controls* Parent() override;
  Controls* CreatePage(int templateId, DialogPage& page, int frameId) override;
  void DestroyPages() override;

  // --- ControlsProbe ------------------------------------------------------------
  bool Exists(int id) override;
  std::string Text(int id) override;
  bool Enabled(int id) override;
  bool Visible(int id) override;
  int Focus() override;
  void SetDefaultButton(int id) override;
  int DefaultButton() override;
  uint32_t ListViewStyles(int id) override;
  int Position(int id) override;
  std::string Tooltip(int id) override;
  Font FontOf(int id) override;
  uint32_t DrawnTextColor(int id) override;
  uint32_t DrawnBackgroundColor(int id) override;
  void KillTimer(int timerId) override;
  std::string Caption() override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  bool ShowsIcon(int resourceId) override { return icon_ != 0 && icon_ == resourceId; }
  std::string SystemMenuItem(int commandId) override;
  void Restore() override { minimized_ = false; }
  bool Minimized() override { return minimized_; }
  bool Topmost() override { return topmost_; }
  void BringToForeground() override { ++foregroundRequests_; }
  bool WindowVisible() override { return windowVisible_; }
  bool Ended() override { return ended_; }

 private:
  struct Item {
    std::string text;
    bool checked = false;
    bool selected = false;
  };
  struct Control {
    explicit Control(const ControlTemplate& declared) : declared(declared) {}
    ControlTemplate declared;
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    std::vector<Item> items;
    int selection = -1;  // combo and list boxes
    uint32_t listViewStyles = 0;
    int low = 0, high = 100, position = 0;
    std::string tooltip;
    Font font;
    Color textColor = kColorWindowText;
    Color background = kColorButtonFace;
    std::string bitmap;
  };
  struct Timer {
    uint32_t period = 0;
    uint64_t due = 0;
  };

  Control* Find(int id);
  bool Usable(Control* control);
  bool IsList(const Control* control) const;
  void Command(int id, int code);
  // Moves the focus as Windows does, telling edits that gain or lose it.
  void FocusTo(int id);
  void Help();
  // Delivers the earliest tick due by `until`; false when none is.
  bool DeliverDueTimer(uint64_t until);
  void PlaceItem(Control& control, int index, std::string_view text);
  // True, and the call recorded as refused, when a thread other than the one
  // that opened the dialog makes call `name`, which is not for workers.
  bool RefusedOffThread(std::string_view name);

  SimDialogs& dialogs_;
  DialogLayout layout_;
  DialogPage& page_;
  SimDialog* parent_;
  WindowHandle handle_;
  WindowHandle owner_;
  bool modal_;
  ThreadHandle thread_;  // the thread that opened the dialog
  std::vector<Control> controls_;
  std::string caption_;
  int focus_ = 0;
  int defaultButton_ = 0;
  int icon_ = 0;
  bool minimized_ = false;
  bool topmost_ = false;
  int foregroundRequests_ = 0;
  bool windowVisible_ = true;
  bool ended_ = false;
  bool destroyed_ = false;
  int result_ = 0;
  int frameId_ = 0;
  std::vector<std::pair<int, std::string>> systemMenu_;
  std::map<int, Timer> timers_;
  std::vector<DrawnText> drawn_;
  std::vector<std::unique_ptr<SimDialog>> pages_;
};

// The dialogs of the model: their templates by id, and what the user does
// while a modal one is open.
class SimDialogs : public Dialogs {
 public:
  SimDialogs(SimClock& clock, SimFiles& files) : clock_(clock), files_(files) {}

  void AddLayout(DialogLayout layout);
  const DialogLayout* Layout(int templateId) const;
  // The user's part while the modal dialog of `templateId` is open, called
  // after its OnInit unless that ended it already. The dialog must have ended
  // when it returns (a modal dialog that never ends would hang the program).
  void WhenOpen(int templateId, std::function<void(SimDialog&)> user);

  // Opens a dialog for a test to drive directly, as RunModal would run it
  // (IDOK and IDCANCEL that the page leaves end it) but without a loop.
  std::unique_ptr<SimDialog> Open(int templateId, DialogPage& page, WindowHandle owner = 0);
  // A modeless dialog (Win32Dialogs::OpenModeless): nothing ends it.
  std::unique_ptr<SimDialog> OpenModeless(int templateId, DialogPage& page, WindowHandle owner);

  int RunModal(int templateId, DialogPage& page, WindowHandle owner) override;

  // Every modal run, in order: template and owner.
  const std::vector<std::pair<int, WindowHandle>>& modalRuns() const { return modalRuns_; }

  SimClock& clock() { return clock_; }
  SimFiles& files() { return files_; }
  WindowHandle NewHandle() { return nextHandle_ += 4; }
  // The open dialog (or page) with this window handle, nullptr for none.
  void Register(WindowHandle handle, SimDialog* dialog);
  SimDialog* OpenDialog(WindowHandle handle) const;
  // GetSysColor of the machine.
  uint32_t SystemColor(int index) const;

  // The machine's threads, whose running one opens a dialog and calls it
  // (without them every call counts as the program's own thread).
  void WatchThreads(const SimThreads& threads) { threads_ = &threads; }
  ThreadHandle CurrentThread() const { return threads_ != nullptr ? threads_->current() : 0; }
  // The calls a worker made that are not for workers, in order, by name
  // (each refused: it did nothing and answered as for a missing control).
  const std::vector<std::string>& refusedWorkerCalls() const { return refusedWorkerCalls_; }
  void RefuseWorkerCall(std::string_view name) { refusedWorkerCalls_.emplace_back(name); }

 private:
  std::unique_ptr<SimDialog> OpenAs(int templateId, DialogPage& page, WindowHandle owner,
                                    bool modal);

  SimClock& clock_;
  SimFiles& files_;
  std::map<int, DialogLayout> layouts_;
  std::map<int, std::function<void(SimDialog&)>> users_;
  std::vector<std::pair<int, WindowHandle>> modalRuns_;
  std::map<WindowHandle, SimDialog*> open_;
  WindowHandle nextHandle_ = 0x20000;
  const SimThreads* threads_ = nullptr;
  std::vector<std::string> refusedWorkerCalls_;
};

}  // namespace kv::sim
