#include "common/WindowlessControls.h"

#include <algorithm>
#include <cctype>

namespace kv {

void WindowlessControls::CheckRadio(int first, int last, int id) {
  for (auto& [controlId, state] : controls_) {
    if (controlId >= first && controlId <= last) state.checked = false;
  }
  control(id).checked = true;
}

int WindowlessControls::InsertItem(int id, int index, std::string_view text) {
  auto& items = control(id).items;
  const size_t at = index < 0 || static_cast<size_t>(index) > items.size()
                        ? items.size()
                        : static_cast<size_t>(index);
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), Item{std::string(text)});
  return static_cast<int>(at);
}

void WindowlessControls::DeleteItem(int id, int index) {
  auto& state = control(id);
  if (index < 0 || static_cast<size_t>(index) >= state.items.size()) return;
  state.items.erase(state.items.begin() + index);
  if (state.selection == index) state.selection = -1;
  if (state.selection > index) --state.selection;
}

std::string WindowlessControls::ItemText(int id, int index) {
  auto& items = control(id).items;
  if (index < 0 || static_cast<size_t>(index) >= items.size()) return {};
  return items[static_cast<size_t>(index)].text;
}

void WindowlessControls::Select(int id, int index) {
  auto& state = control(id);
  state.selection = index >= 0 && static_cast<size_t>(index) < state.items.size() ? index : -1;
}

int WindowlessControls::FindPrefix(int id, int after, std::string_view prefix) {
  auto& items = control(id).items;
  const int count = static_cast<int>(items.size());
  auto startsWith = [&](const std::string& text) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
             return std::tolower(static_cast<unsigned char>(a)) ==
                    std::tolower(static_cast<unsigned char>(b));
           });
  };
  for (int step = 1; step <= count; ++step) {
    const int index = ((after < 0 ? -1 : after) + step) % count;
    if (startsWith(items[static_cast<size_t>(index)].text)) return index;
  }
  return -1;
}

bool WindowlessControls::ItemChecked(int id, int index) {
  auto& items = control(id).items;
  return index >= 0 && static_cast<size_t>(index) < items.size() &&
         items[static_cast<size_t>(index)].checked;
}

void WindowlessControls::CheckItem(int id, int index, bool checked) {
  auto& items = control(id).items;
  if (index >= 0 && static_cast<size_t>(index) < items.size()) {
    items[static_cast<size_t>(index)].checked = checked;
  }
}

}  // namespace kv
