#include "uninstall/UninstallState.h"

#include "common/CompatibilityMarks.h"
#include "common/UninstallStrings.h"

namespace kv {

void ApplyRunningFamily(Machine& machine, Controls& controls, UninstallState& state) {
  state.family = ClassifyRunningFamily(machine.system);
  if (state.family.usbDriverRemovalDisabled) controls.Enable(IDC_USB_DRIVER, false);
  if (state.family.marksCompatibility) MarkCompatibilityPersisted(machine);
}

void AppendStatus(Controls& controls, std::string_view line) {
  int index = controls.AddItem(IDC_STATUS_LIST, line);
  if (index >= 0) controls.Select(IDC_STATUS_LIST, index);
}

std::string FormatStatus(int textId, std::string_view name) {
  std::string text(UninstallString(textId));
  size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

std::string WithErrorNumber(std::string text, uint32_t error) {
  std::string suffix(uninstall_text::kErrorSuffix);
  suffix.replace(suffix.find("%d"), 2, std::to_string(error));
  return text + suffix;
}

}  // namespace kv
