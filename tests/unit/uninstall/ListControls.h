#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace kv::test {

// A minimal in-memory dialog for the uninstaller's window: texts, check and
// enabled states, unsorted lists with item check boxes and selection, the
// system menu, the icon and the end of the dialog. Everything else reads as a
// missing control does.
class ListControls : public Controls {
 public:
  struct Control {
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<std::string> items;
    std::vector<bool> itemChecks;
    int selection = -1;
    uint32_t styles = 0;
  };

  explicit ListControls(std::vector<int> ids) {
    for (int id : ids) controls_[id];
  }

  Control& control(int id) { return controls_.at(id); }
  const std::vector<std::string>& items(int id) { return controls_.at(id).items; }
  int icon = 0;
  std::vector<std::pair<int, std::string>> systemMenu;
  bool ended = false;
  int result = 0;

  bool Exists(int id) override { return controls_.count(id) != 0; }
  std::string Text(int id) override { return Exists(id) ? controls_[id].text : ""; }
  void SetText(int id, std::string_view text) override {
    if (Exists(id)) controls_[id].text = text;
  }
  bool Enabled(int id) override { return Exists(id) && controls_[id].enabled; }
  void Enable(int id, bool enabled) override {
    if (Exists(id)) controls_[id].enabled = enabled;
  }
  bool Visible(int id) override { return Exists(id); }
  void Show(int, bool) override {}
  void SetFocus(int) override {}
  int Focus() override { return 0; }
  bool Checked(int id) override { return Exists(id) && controls_[id].checked; }
  void Check(int id, bool checked) override {
    if (Exists(id)) controls_[id].checked = checked;
  }
  void CheckRadio(int, int, int) override {}
  void SetDefaultButton(int) override {}
  int DefaultButton() override { return 0; }
  int AddItem(int id, std::string_view text) override { return InsertItem(id, -1, text); }
  int InsertItem(int id, int index, std::string_view text) override {
    if (!Exists(id)) return -1;
    Control& c = controls_[id];
    size_t at = index < 0 || static_cast<size_t>(index) > c.items.size()
                    ? c.items.size()
                    : static_cast<size_t>(index);
    c.items.insert(c.items.begin() + at, std::string(text));
    c.itemChecks.insert(c.itemChecks.begin() + at, false);
    return static_cast<int>(at);
  }
  void DeleteItem(int id, int index) override {
    if (!Exists(id) || index < 0 || index >= ItemCount(id)) return;
    Control& c = controls_[id];
    c.items.erase(c.items.begin() + index);
    c.itemChecks.erase(c.itemChecks.begin() + index);
  }
  void ClearItems(int id) override {
    if (Exists(id)) controls_[id].items.clear(), controls_[id].itemChecks.clear();
  }
  int ItemCount(int id) override {
    return Exists(id) ? static_cast<int>(controls_[id].items.size()) : 0;
  }
  std::string ItemText(int id, int index) override {
    return index >= 0 && index < ItemCount(id) ? controls_[id].items[index] : "";
  }
  int Selection(int id) override { return Exists(id) ? controls_[id].selection : -1; }
  void Select(int id, int index) override {
    if (Exists(id)) controls_[id].selection = index < ItemCount(id) ? index : -1;
  }
  int FindPrefix(int, int, std::string_view) override { return -1; }
  void SetListViewStyles(int id, uint32_t styles) override {
    if (Exists(id)) controls_[id].styles = styles;
  }
  uint32_t ListViewStyles(int id) override { return Exists(id) ? controls_[id].styles : 0; }
  bool ItemChecked(int id, int index) override {
    return index >= 0 && index < ItemCount(id) && controls_[id].itemChecks[index];
  }
  void CheckItem(int id, int index, bool checked) override {
    if (index >= 0 && index < ItemCount(id)) controls_[id].itemChecks[index] = checked;
  }
  void SetRange(int, int, int) override {}
  void SetPosition(int, int) override {}
  int Position(int) override { return 0; }
  void SetTooltip(int, std::string_view, int) override {}
  std::string Tooltip(int) override { return ""; }
  void SetFont(int, const Font&) override {}
  Font FontOf(int) override { return {}; }
  void SetColors(int, Color, Color) override {}
  Color TextColor(int) override { return 0; }
  Color BackgroundColor(int) override { return 0; }
  bool ShowBitmapFile(int, std::string_view) override { return false; }
  void SetTimer(int, uint32_t) override {}
  void KillTimer(int) override {}
  WindowHandle Handle() override { return 0x1234; }
  std::string Caption() override { return "Uninstall"; }
  void SetCaption(std::string_view) override {}
  void SetIcon(int resourceId) override { icon = resourceId; }
  void AddSystemMenuItem(int commandId, std::string_view text) override {
    systemMenu.emplace_back(commandId, std::string(text));
  }
  void Minimize() override {}
  void Restore() override {}
  bool Minimized() override { return false; }
  void SetTopmost(bool) override {}
  void BringToForeground() override {}
  void ShowWindow(bool) override {}
  bool WindowVisible() override { return true; }
  void EndDialog(int value) override {
    ended = true;
    result = value;
  }
  bool Ended() override { return ended; }
  Controls* Parent() override { return nullptr; }
  Controls* CreatePage(int, DialogPage&, int) override { return nullptr; }
  void DestroyPages() override {}

 private:
  std::map<int, Control> controls_;
};

// Runs dialogs by answering each with a scripted result; records the runs.
class ScriptedDialogs : public Dialogs {
 public:
  int RunModal(int templateId, DialogPage&, WindowHandle owner) override {
    runs.emplace_back(templateId, owner);
    auto it = answers.find(templateId);
    return it == answers.end() ? kIdOk : it->second;
  }
  std::map<int, int> answers;
  std::vector<std::pair<int, WindowHandle>> runs;
};

}  // namespace kv::test
