#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace kv {

// The controls of a dialog that is never shown, for a silent run of a
// program's window logic: texts, check states, enabled states and the items
// of lists are kept as the real controls would keep them (lists unsorted);
// appearance, timers and pages are ignored. Every id exists.
class WindowlessControls : public Controls {
 public:
  void SetText(int id, std::string_view text) override { control(id).text = text; }
  void Enable(int id, bool enabled) override { control(id).enabled = enabled; }
  void Show(int, bool) override {}
  void SetFocus(int) override {}

  bool Checked(int id) override { return control(id).checked; }
  void Check(int id, bool checked) override { control(id).checked = checked; }
  void CheckRadio(int first, int last, int id) override;

  int AddItem(int id, std::string_view text) override { return InsertItem(id, -1, text); }
  int InsertItem(int id, int index, std::string_view text) override;
  void DeleteItem(int id, int index) override;
  void ClearItems(int id) override { control(id).items.clear(); }
  int ItemCount(int id) override { return static_cast<int>(control(id).items.size()); }
  std::string ItemText(int id, int index) override;
  int Selection(int id) override { return control(id).selection; }
  void Select(int id, int index) override;
  int FindPrefix(int id, int after, std::string_view prefix) override;

  void SetListViewStyles(int, uint32_t) override {}
  bool ItemChecked(int id, int index) override;
  void CheckItem(int id, int index, bool checked) override;

  void SetRange(int, int, int) override {}
  void SetPosition(int, int) override {}
  void SetTooltip(int, std::string_view, int) override {}
  void SetFont(int, const Font&) override {}
  void SetColors(int, Color, Color) override {}
  bool ShowBitmapFile(int, std::string_view) override { return true; }
  void SetTimer(int, uint32_t) override {}

  WindowHandle Handle() override { return 0; }
  void SetIcon(int) override {}
  void AddSystemMenuItem(int, std::string_view) override {}
  void Minimize() override {}
  void SetTopmost(bool) override {}
  void ShowWindow(bool) override {}
  void EndDialog(int result) override { result_ = result; }
  Controls* Parent() override { return nullptr; }
  Controls* CreatePage(int, DialogPage&, int) override { return nullptr; }
  void DestroyPages() override {}

  // Inspection.
  std::string Text(int id) { return control(id).text; }
  bool Enabled(int id) { return control(id).enabled; }
  // The result EndDialog was given; none while the dialog would be open.
  std::optional<int> result() const { return result_; }

 private:
  struct Item {
    std::string text;
    bool checked = false;
  };
  struct Control {
    std::string text;
    bool enabled = true;
    bool checked = false;
    std::vector<Item> items;
    int selection = -1;
  };
  Control& control(int id) { return controls_[id]; }

  std::map<int, Control> controls_;
  std::optional<int> result_;
};

}  // namespace kv
