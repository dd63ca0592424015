#include "sim/SimDialogs.h"

#include <algorithm>
#include <stdexcept>

#include "dialogrules/PrefixSearch.h"
#include "sim/ListOrder.h"
#include "sim/PathKey.h"

namespace kv::sim {
namespace {

constexpr int kIdOkButton = 1;
constexpr int kIdCancelButton = 2;
// WM_SYSCOMMAND: the low four bits of a command are the system's own.
constexpr int kSysCommandMask = 0xFFF0;
// A template named by number is MAKEINTRESOURCE's: the low word counts.
constexpr int kResourceIdMask = 0xFFFF;

// Windows' bitmap file headers: BITMAPFILEHEADER (14 bytes) and the size
// field of the info header that follows.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER

uint32_t LittleEndian(const std::string& bytes, size_t at, size_t size) {
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

// What LoadImage of a bitmap file reads before it draws anything: the "BM"
// file header and an info header of a known size, complete in the file, with
// a positive width, a non-zero height and a bit count Windows draws. (The
// plane count is not looked at: Wine loads a file that gives 0.)
bool IsBitmapFile(const std::string& bytes) {
  if (bytes.size() < kFileHeaderSize + kCoreHeaderSize || bytes.compare(0, 2, "BM") != 0) {
    return false;
  }
  const uint32_t infoSize = LittleEndian(bytes, kFileHeaderSize, 4);
  int64_t width = 0, height = 0;
  uint32_t bitCount = 0;
  if (infoSize == kCoreHeaderSize) {
    width = LittleEndian(bytes, kFileHeaderSize + 4, 2);
    height = LittleEndian(bytes, kFileHeaderSize + 6, 2);
    bitCount = LittleEndian(bytes, kFileHeaderSize + 10, 2);
  } else if (infoSize == 40 || infoSize == 108 || infoSize == 124) {  // INFO, V4, V5
    if (bytes.size() < kFileHeaderSize + infoSize) return false;
    width = static_cast<int32_t>(LittleEndian(bytes, kFileHeaderSize + 4, 4));
    height = static_cast<int32_t>(LittleEndian(bytes, kFileHeaderSize + 8, 4));
    bitCount = LittleEndian(bytes, kFileHeaderSize + 14, 2);
  } else {
    return false;
  }
  const bool knownDepth = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                          bitCount == 24 || bitCount == 32;
  return width > 0 && height != 0 && knownDepth;
}

bool IsButtonWithCheck(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

// Records what a page draws.
class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(Rect client, std::vector<DrawnText>& drawn) : client_(client), drawn_(drawn) {}
  Rect ClientRect() override { return client_; }
  void DrawText(std::string_view text, const Rect& rect, const Font& font, Color color,
                uint32_t format) override {
    drawn_.push_back({std::string(text), rect, font, color, format});
  }

 private:
  Rect client_;
  std::vector<DrawnText>& drawn_;
};

}  // namespace

SimDialog::SimDialog(SimDialogs& dialogs, const DialogLayout& layout, DialogPage& page,
                     SimDialog* parent, WindowHandle handle, WindowHandle owner, bool modal)
    : dialogs_(dialogs),
      layout_(layout),
      page_(page),
      parent_(parent),
      handle_(handle),
      owner_(owner),
      modal_(modal),
      thread_(dialogs.CurrentThread()),
      caption_(layout.caption) {
  dialogs_.Register(handle_, this);
  for (const ControlTemplate& declared : layout.controls) {
    Control control(declared);
    control.text = declared.text;
    control.visible = declared.visible;
    control.enabled = declared.enabled;
    if (declared.kind == ControlKind::Edit && declared.readOnly)
      control.background = kColorButtonFace;
    if (declared.defaultButton && defaultButton_ == 0) defaultButton_ = declared.id;
    controls_.push_back(std::move(control));
  }
}

SimDialog::~SimDialog() {
  dialogs_.Register(handle_, nullptr);
}

void SimDialog::Open() {
  page_.OnInit(*this);
  // Unless the page chose the focus, a top-level dialog gives it to its first
  // usable control with a tab stop, even when the dialog ended during
  // initialisation.
  if (parent_ != nullptr || focus_ != 0) return;
  for (Control& control : controls_) {
    if (control.declared.tabStop && Usable(&control)) {
      FocusTo(control.declared.id);
      return;
    }
  }
}

void SimDialog::FocusTo(int id) {
  if (focus_ == id) return;
  const Control* previous = Find(focus_);
  const Control* next = Find(id);
  focus_ = id;
  if (previous != nullptr && previous->declared.kind == ControlKind::Edit) {
    Command(previous->declared.id, kEnKillFocus);
  }
  if (next != nullptr && next->declared.kind == ControlKind::Edit) Command(id, kEnSetFocus);
}

void SimDialog::Destroy() {
  if (destroyed_) return;
  // The focus leaves a dialog before it is destroyed.
  FocusTo(0);
  DestroyPages();
  destroyed_ = true;
  timers_.clear();
  page_.OnDestroy(*this);
}

SimDialog::Control* SimDialog::Find(int id) {
  for (Control& control : controls_) {
    if (control.declared.id == id) return &control;
  }
  return nullptr;
}

bool SimDialog::Usable(Control* control) {
  if (control == nullptr || !control->enabled || !control->visible) return false;
  for (SimDialog* dialog = this; dialog != nullptr; dialog = dialog->parent_) {
    if (!dialog->windowVisible_ || dialog->destroyed_) return false;
  }
  return true;
}

bool SimDialog::IsList(const Control* control) const {
  return control != nullptr && (control->declared.kind == ControlKind::ComboBox ||
                                control->declared.kind == ControlKind::ListBox ||
                                control->declared.kind == ControlKind::ListView);
}

void SimDialog::Command(int id, int code) {
  if (page_.OnCommand(*this, id, code)) return;
  // The binding's default: a modal dialog ends with IDOK or IDCANCEL (a
  // modeless one is destroyed by its owner, never ended).
  if ((id == kIdOkButton || id == kIdCancelButton) && code == kBnClicked && modal_) {
    EndDialog(id);
  }
}

// --- The user's hands --------------------------------------------------------

bool SimDialog::Click(int id) {
  Control* control = Find(id);
  if (!Usable(control)) return false;
  if (control->declared.automatic && control->declared.kind == ControlKind::CheckBox) {
    control->checked = !control->checked;
  } else if (control->declared.automatic && control->declared.kind == ControlKind::RadioButton) {
    // The group runs from the last WS_GROUP control at or before this one to
    // the next WS_GROUP control.
    size_t at = static_cast<size_t>(control - controls_.data());
    size_t first = at;
    while (first > 0 && !controls_[first].declared.group) --first;
    size_t end = at + 1;
    while (end < controls_.size() && !controls_[end].declared.group) ++end;
    for (size_t i = first; i < end; ++i) {
      if (controls_[i].declared.kind == ControlKind::RadioButton &&
          controls_[i].declared.automatic) {
        controls_[i].checked = false;
      }
    }
    control->checked = true;
  }
  FocusTo(id);
  Command(id, kBnClicked);
  return true;
}

bool SimDialog::Choose(int id, int index) {
  Control* control = Find(id);
  if (!Usable(control) || !IsList(control) || control->declared.kind == ControlKind::ListView) {
    return false;
  }
  if (index < 0 || index >= static_cast<int>(control->items.size())) return false;
  Select(id, index);
  Command(id, control->declared.kind == ControlKind::ComboBox ? kCbnSelChange : kLbnSelChange);
  return true;
}

bool SimDialog::ChooseText(int id, std::string_view text) {
  Control* control = Find(id);
  if (control == nullptr) return false;
  for (size_t i = 0; i < control->items.size(); ++i) {
    if (control->items[i].text == text) return Choose(id, static_cast<int>(i));
  }
  return false;
}

bool SimDialog::Type(int id, std::string_view text) {
  Control* control = Find(id);
  if (!Usable(control) || control->declared.kind != ControlKind::Edit ||
      control->declared.readOnly) {
    return false;
  }
  control->text = text;
  Command(id, kEnChange);
  return true;
}

bool SimDialog::ClickItemCheck(int id, int index) {
  Control* control = Find(id);
  if (!Usable(control) || control->declared.kind != ControlKind::ListView ||
      (control->listViewStyles & kLvsExCheckBoxes) == 0) {
    return false;
  }
  if (index < 0 || index >= static_cast<int>(control->items.size())) return false;
  CheckItem(id, index, !control->items[index].checked);
  return true;
}

void SimDialog::PressEnter() {
  // The modal loop's IsDialogMessage works on the top-level dialog: the
  // default button when it is enabled, otherwise IDOK whatever state that
  // button is in.
  if (parent_ != nullptr) return parent_->PressEnter();
  Control* byDefault = defaultButton_ != 0 ? Find(defaultButton_) : nullptr;
  if (byDefault != nullptr && byDefault->enabled) {
    Command(defaultButton_, kBnClicked);
  } else {
    Command(kIdOkButton, kBnClicked);
  }
}

void SimDialog::PressEscape() {
  if (parent_ != nullptr) return parent_->PressEscape();
  Command(kIdCancelButton, kBnClicked);
}

void SimDialog::PressF1() {
  Help();
}

void SimDialog::Help() {
  if (page_.OnHelp(*this)) return;
  // DefWindowProc passes WM_HELP on: a child's to its parent, a top-level
  // window's to its owner.
  if (parent_ != nullptr) {
    parent_->Help();
  } else if (SimDialog* owner = dialogs_.OpenDialog(owner_)) {
    owner->Help();
  }
}

bool SimDialog::ChooseSystemMenu(int commandId) {
  for (const auto& [id, text] : systemMenu_) {
    if (id == commandId) return page_.OnSysCommand(*this, commandId & kSysCommandMask);
  }
  return false;
}

const std::vector<DrawnText>& SimDialog::Paint() {
  drawn_.clear();
  RecordingCanvas canvas({0, 0, layout_.clientWidth, layout_.clientHeight}, drawn_);
  page_.OnPaint(*this, canvas);
  return drawn_;
}

bool SimDialog::DeliverDueTimer(uint64_t until) {
  auto earliest = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (earliest == timers_.end() || it->second.due < earliest->second.due) earliest = it;
  }
  if (earliest == timers_.end() || earliest->second.due > until) return false;
  SimClock& clock = dialogs_.clock();
  if (earliest->second.due > clock.NowMs()) clock.Advance(earliest->second.due - clock.NowMs());
  int timerId = earliest->first;
  // WM_TIMER is not queued twice: a tick that falls due while the page is
  // busy arrives once, when the page is done.
  earliest->second.due += earliest->second.period;
  page_.OnTimer(*this, timerId);
  if (auto it = timers_.find(timerId); it != timers_.end() && it->second.due < clock.NowMs()) {
    it->second.due = clock.NowMs();
  }
  return true;
}

void SimDialog::AdvanceTime(uint64_t milliseconds) {
  SimClock& clock = dialogs_.clock();
  const uint64_t until = clock.NowMs() + milliseconds;
  while (!destroyed_ && DeliverDueTimer(until)) {
  }
  if (clock.NowMs() < until) clock.Advance(until - clock.NowMs());
}

bool SimDialog::RunUntilEnded(uint64_t limitMs) {
  const uint64_t until = dialogs_.clock().NowMs() + limitMs;
  while (!ended_ && DeliverDueTimer(until)) {
  }
  return ended_;
}

// --- Inspection ----------------------------------------------------------------

std::string SimDialog::bitmapPath(int id) const {
  for (const Control& control : controls_) {
    if (control.declared.id == id) return control.bitmap;
  }
  return {};
}

std::map<int, uint32_t> SimDialog::timers() const {
  std::map<int, uint32_t> periods;
  for (const auto& [id, timer] : timers_) periods[id] = timer.period;
  return periods;
}

SimDialog* SimDialog::PageByTemplate(int templateId) {
  for (auto& page : pages_) {
    if (page->templateId() == templateId) return page.get();
  }
  return nullptr;
}

// --- Controls ------------------------------------------------------------------

bool SimDialog::Exists(int id) {
  return Find(id) != nullptr;
}

std::string SimDialog::Text(int id) {
  Control* control = Find(id);
  if (control == nullptr) return {};
  if (control->declared.kind == ControlKind::ComboBox) {
    // A drop-down list shows its selected entry.
    return control->selection >= 0 ? control->items[control->selection].text : std::string();
  }
  return control->text;
}

void SimDialog::SetText(int id, std::string_view text) {
  if (Control* control = Find(id)) control->text = text;
}

bool SimDialog::Enabled(int id) {
  Control* control = Find(id);
  return control != nullptr && control->enabled;
}

void SimDialog::Enable(int id, bool enabled) {
  if (Control* control = Find(id)) control->enabled = enabled;
}

bool SimDialog::Visible(int id) {
  Control* control = Find(id);
  return control != nullptr && control->visible;
}

void SimDialog::Show(int id, bool visible) {
  if (Control* control = Find(id)) control->visible = visible;
}

void SimDialog::SetFocus(int id) {
  if (RefusedOffThread("SetFocus")) return;

  if (Find(id) != nullptr) FocusTo(id);
}

int SimDialog::Focus() {
  return focus_;
}

bool SimDialog::Checked(int id) {
  Control* control = Find(id);
  return control != nullptr && control->checked;
}

void SimDialog::Check(int id, bool checked) {
  Control* control = Find(id);
  if (control != nullptr && IsButtonWithCheck(control->declared.kind)) control->checked = checked;
}

void SimDialog::CheckRadio(int first, int last, int id) {
  for (Control& control : controls_) {
    if (control.declared.id >= first && control.declared.id <= last &&
        IsButtonWithCheck(control.declared.kind)) {
      control.checked = control.declared.id == id;
    }
  }
}

void SimDialog::SetDefaultButton(int id) {
  defaultButton_ = id;
}

int SimDialog::DefaultButton() {
  return defaultButton_;
}

void SimDialog::PlaceItem(Control& control, int index, std::string_view text) {
  control.items.insert(control.items.begin() + index, Item{std::string(text)});
  if (control.selection >= index) ++control.selection;
}

int SimDialog::AddItem(int id, std::string_view text) {
  Control* control = Find(id);
  if (!IsList(control)) return -1;
  int index = static_cast<int>(control->items.size());
  if (control->declared.sorted && control->declared.kind != ControlKind::ListView) {
    // The binary search of the list box: an equal entry ends it at once.
    int low = 0, high = index - 1;
    index = -1;
    while (low <= high) {
      int middle = (low + high) / 2;
      int order = CompareListText(control->items[middle].text, text);
      if (order == 0) {
        index = middle;
        break;
      }
      if (order > 0) {
        high = middle - 1;
      } else {
        low = middle + 1;
      }
    }
    if (index < 0) index = low;
  }
  PlaceItem(*control, index, text);
  return index;
}

int SimDialog::InsertItem(int id, int index, std::string_view text) {
  Control* control = Find(id);
  if (!IsList(control)) return -1;
  int count = static_cast<int>(control->items.size());
  if (index < 0 || index > count) {
    if (index >= 0 && control->declared.kind != ControlKind::ListView) return -1;  // CB_ERR
    index = count;
  }
  PlaceItem(*control, index, text);
  return index;
}

void SimDialog::DeleteItem(int id, int index) {
  Control* control = Find(id);
  if (!IsList(control) || index < 0 || index >= static_cast<int>(control->items.size())) return;
  control->items.erase(control->items.begin() + index);
  if (control->selection == index) {
    control->selection = -1;
  } else if (control->selection > index) {
    --control->selection;
  }
}

void SimDialog::ClearItems(int id) {
  Control* control = Find(id);
  if (!IsList(control)) return;
  control->items.clear();
  control->selection = -1;
}

int SimDialog::ItemCount(int id) {
  Control* control = Find(id);
  return IsList(control) ? static_cast<int>(control->items.size()) : 0;
}

std::string SimDialog::ItemText(int id, int index) {
  Control* control = Find(id);
  if (!IsList(control) || index < 0 || index >= static_cast<int>(control->items.size())) return {};
  return control->items[index].text;
}

int SimDialog::Selection(int id) {
  Control* control = Find(id);
  return IsList(control) ? control->selection : -1;
}

void SimDialog::Select(int id, int index) {
  Control* control = Find(id);
  if (!IsList(control)) return;
  if (index < -1 || index >= static_cast<int>(control->items.size())) index = -1;
  control->selection = index;
}

int SimDialog::FindPrefix(int id, int after, std::string_view prefix) {
  Control* control = Find(id);
  if (!IsList(control)) return -1;
  return kv::FindPrefix(
      static_cast<int>(control->items.size()), after, prefix,
      [control](int index) { return std::string_view(control->items[index].text); },
      EqualsIgnoreCase);
}

void SimDialog::SetListViewStyles(int id, uint32_t extendedStyles) {
  if (RefusedOffThread("SetListViewStyles")) return;

  Control* control = Find(id);
  if (control != nullptr && control->declared.kind == ControlKind::ListView) {
    control->listViewStyles = extendedStyles;
  }
}

uint32_t SimDialog::ListViewStyles(int id) {
  Control* control = Find(id);
  return control != nullptr && control->declared.kind == ControlKind::ListView
             ? control->listViewStyles
             : 0;
}

bool SimDialog::ItemChecked(int id, int index) {
  Control* control = Find(id);
  if (control == nullptr || control->declared.kind != ControlKind::ListView || index < 0 ||
      index >= static_cast<int>(control->items.size())) {
    return false;
  }
  return control->items[index].checked;
}

void SimDialog::CheckItem(int id, int index, bool checked) {
  Control* control = Find(id);
  if (control == nullptr || control->declared.kind != ControlKind::ListView ||
      (control->listViewStyles & kLvsExCheckBoxes) == 0 || index < 0 ||
      index >= static_cast<int>(control->items.size())) {
    return;
  }
  if (control->items[index].checked == checked) return;
  control->items[index].checked = checked;
  // LVN_ITEMCHANGED reaches the page whoever changed the state.
  page_.OnItemChecked(*this, id, index, checked);
}

void SimDialog::SetRange(int id, int low, int high) {
  Control* control = Find(id);
  if (control == nullptr || control->declared.kind != ControlKind::ProgressBar) return;
  control->low = low;
  control->high = high;
  control->position = std::clamp(control->position, low, std::max(low, high));
}

void SimDialog::SetPosition(int id, int position) {
  Control* control = Find(id);
  if (control == nullptr || control->declared.kind != ControlKind::ProgressBar) return;
  control->position = std::clamp(position, control->low, std::max(control->low, control->high));
}

int SimDialog::Position(int id) {
  Control* control = Find(id);
  return control != nullptr && control->declared.kind == ControlKind::ProgressBar
             ? control->position
             : 0;
}

void SimDialog::SetTooltip(int id, std::string_view text, int /*maxWidth*/) {
  if (RefusedOffThread("SetTooltip")) return;

  if (Control* control = Find(id)) control->tooltip = text;
}

std::string SimDialog::Tooltip(int id) {
  Control* control = Find(id);
  return control != nullptr ? control->tooltip : std::string();
}

void SimDialog::SetFont(int id, const Font& font) {
  if (RefusedOffThread("SetFont")) return;

  if (Control* control = Find(id)) control->font = font;
}

Font SimDialog::FontOf(int id) {
  Control* control = Find(id);
  return control != nullptr ? control->font : Font{};
}

void SimDialog::SetColors(int id, Color text, Color background) {
  if (RefusedOffThread("SetColors")) return;

  if (Control* control = Find(id)) {
    control->textColor = text;
    control->background = background;
  }
}

Color SimDialog::TextColor(int id) {
  Control* control = Find(id);
  return control != nullptr ? control->textColor : 0;
}

Color SimDialog::BackgroundColor(int id) {
  Control* control = Find(id);
  return control != nullptr ? control->background : 0;
}

uint32_t SimDialog::DrawnTextColor(int id) {
  Control* control = Find(id);
  if (control == nullptr) return 0;
  return ResolveColor(control->textColor,
                      [this](int index) { return dialogs_.SystemColor(index); });
}

uint32_t SimDialog::DrawnBackgroundColor(int id) {
  Control* control = Find(id);
  if (control == nullptr) return 0;
  return ResolveColor(control->background,
                      [this](int index) { return dialogs_.SystemColor(index); });
}

bool SimDialog::ShowBitmapFile(int id, std::string_view path) {
  if (RefusedOffThread("ShowBitmapFile")) return false;

  Control* control = Find(id);
  std::string full(path);
  bool relative = full.size() < 2 || (full[1] != ':' && full[0] != '\\');
  if (relative) {
    std::string directory;
    if (dialogs_.files().GetCurrentDirectory(&directory) != 0) return false;
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    if (full.rfind(".\\", 0) == 0) full.erase(0, 2);
    full = directory + full;
  }
  const SimFile* file = dialogs_.files().Find(full);
  if (file == nullptr || !IsBitmapFile(file->bytes)) return false;
  if (control != nullptr) control->bitmap = full;
  return true;
}

void SimDialog::SetTimer(int timerId, uint32_t periodMs) {
  if (RefusedOffThread("SetTimer")) return;

  timers_[timerId] = Timer{periodMs, dialogs_.clock().NowMs() + periodMs};
}

void SimDialog::KillTimer(int timerId) {
  timers_.erase(timerId);
}

void SimDialog::AddSystemMenuItem(int commandId, std::string_view text) {
  if (RefusedOffThread("AddSystemMenuItem")) return;

  systemMenu_.emplace_back(commandId, std::string(text));
}

std::string SimDialog::SystemMenuItem(int commandId) {
  for (const auto& [id, text] : systemMenu_) {
    if (id == commandId) return text;
  }
  return {};
}

void SimDialog::EndDialog(int result) {
  if (RefusedOffThread("EndDialog")) return;

  if (ended_) return;
  ended_ = true;
  result_ = result;
}

Controls* SimDialog::CreatePage(int templateId, DialogPage& page, int frameId) {
  if (RefusedOffThread("CreatePage")) return nullptr;

  const DialogLayout* layout = dialogs_.Layout(templateId);
  if (layout == nullptr) return nullptr;
  auto child =
      std::make_unique<SimDialog>(dialogs_, *layout, page, this, dialogs_.NewHandle(), 0, false);
  child->windowVisible_ = false;
  child->frameId_ = frameId;
  SimDialog& created = *child;
  pages_.push_back(std::move(child));
  created.Open();
  return &created;
}

void SimDialog::SetIcon(int resourceId) {
  if (!RefusedOffThread("SetIcon")) icon_ = resourceId;
}

void SimDialog::Minimize() {
  if (!RefusedOffThread("Minimize")) minimized_ = true;
}

void SimDialog::SetTopmost(bool topmost) {
  if (!RefusedOffThread("SetTopmost")) topmost_ = topmost;
}

void SimDialog::ShowWindow(bool visible) {
  if (!RefusedOffThread("ShowWindow")) windowVisible_ = visible;
}

Controls* SimDialog::Parent() {
  return RefusedOffThread("Parent") ? nullptr : parent_;
}

bool SimDialog::RefusedOffThread(std::string_view name) {
  if (dialogs_.CurrentThread() == thread_) return false;
  dialogs_.RefuseWorkerCall(name);
  return true;
}

void SimDialog::DestroyPages() {
  if (RefusedOffThread("DestroyPages")) return;

  for (auto& page : pages_) page->Destroy();
  pages_.clear();
}

// --- SimDialogs ------------------------------------------------------------------

void SimDialogs::AddLayout(DialogLayout layout) {
  int templateId = layout.templateId;
  layouts_[templateId] = std::move(layout);
}

const DialogLayout* SimDialogs::Layout(int templateId) const {
  auto it = layouts_.find(templateId & kResourceIdMask);
  return it != layouts_.end() ? &it->second : nullptr;
}

void SimDialogs::WhenOpen(int templateId, std::function<void(SimDialog&)> user) {
  users_[templateId] = std::move(user);
}

std::unique_ptr<SimDialog> SimDialogs::Open(int templateId, DialogPage& page, WindowHandle owner) {
  return OpenAs(templateId, page, owner, true);
}

std::unique_ptr<SimDialog> SimDialogs::OpenModeless(int templateId, DialogPage& page,
                                                    WindowHandle owner) {
  return OpenAs(templateId, page, owner, false);
}

std::unique_ptr<SimDialog> SimDialogs::OpenAs(int templateId, DialogPage& page, WindowHandle owner,
                                              bool modal) {
  const DialogLayout* layout = Layout(templateId);
  if (layout == nullptr) return nullptr;
  auto dialog =
      std::make_unique<SimDialog>(*this, *layout, page, nullptr, NewHandle(), owner, modal);
  dialog->Open();
  return dialog;
}

void SimDialogs::Register(WindowHandle handle, SimDialog* dialog) {
  if (dialog != nullptr) {
    open_[handle] = dialog;
  } else {
    open_.erase(handle);
  }
}

SimDialog* SimDialogs::OpenDialog(WindowHandle handle) const {
  auto it = open_.find(handle);
  return it != open_.end() ? it->second : nullptr;
}

uint32_t SimDialogs::SystemColor(int index) const {
  // The classic scheme's colours, which Windows 98 to 2000 start with.
  switch (index) {
    case 5:  // COLOR_WINDOW
      return Rgb(255, 255, 255);
    case 8:  // COLOR_WINDOWTEXT
      return Rgb(0, 0, 0);
    case 15:  // COLOR_BTNFACE
      return Rgb(212, 208, 200);
    default:
      return 0;
  }
}

int SimDialogs::RunModal(int templateId, DialogPage& page, WindowHandle owner) {
  modalRuns_.emplace_back(templateId, owner);
  auto dialog = OpenAs(templateId, page, owner, true);
  if (dialog == nullptr) return -1;
  if (!dialog->Ended()) {
    auto user = users_.find(templateId);
    if (user != users_.end()) user->second(*dialog);
  }
  if (!dialog->Ended()) {
    throw std::logic_error("modal dialog " + std::to_string(templateId) + " never ended");
  }
  dialog->Destroy();
  return dialog->result();
}

}  // namespace kv::sim
