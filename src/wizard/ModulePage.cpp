#include "wizard/ModulePage.h"

#include "config/DeviceList.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

constexpr std::array<int, kPrinterModuleCount> kRadios = {IDC_RECEIPT, IDC_TICKET, IDC_LABEL,
                                                          IDC_EMBEDDED};
constexpr std::array<int, kPrinterModuleCount> kLists = {IDC_RECEIPT_MODELS, IDC_TICKET_MODELS,
                                                         IDC_LABEL_MODELS, IDC_EMBEDDED_MODELS};
// The model name buffer holds 200 characters with its terminator.
constexpr size_t kModelNameLimit = 199;

void DisableLists(Controls& controls) {
  for (int list : kLists) controls.Enable(list, false);
}

bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<ListedModel> FindListedModel(const SetupConfiguration& configuration,
                                           std::string_view name) {
  for (const ListedModel& model : ListedModels(configuration)) {
    if (SameAsciiText(model.name, name)) return model;
  }
  return std::nullopt;
}

std::vector<ListedModel> ListedModels(const SetupConfiguration& configuration) {
  std::vector<ListedModel> models;
  const int32_t count = ReadDeviceCount(configuration);
  for (int32_t i = 1; i <= count; ++i) {
    DeviceEntry entry = ReadDeviceEntry(configuration, i);
    if (entry.module) models.push_back({std::move(entry.modelName), *entry.module});
  }
  return models;
}

std::string TakenModelName(std::string_view entryText) {
  return std::string(entryText.substr(0, kModelNameLimit));
}

ModulePage::ModulePage(Machine& machine) : configuration_(machine) {}

void ModulePage::OnInit(Controls& controls) {
  makeDefault_ = controls.Checked(IDC_SET_DEFAULT) ? 1 : 0;
  hasModels_ = true;
  for (const ListedModel& model : ListedModels(configuration_)) {
    controls.AddItem(kLists[static_cast<size_t>(model.module)], model.name);
  }
  bool anyModel = false;
  for (int list : kLists) {
    controls.Select(list, 0);
    anyModel = anyModel || controls.ItemCount(list) > 0;
  }
  DisableLists(controls);
  for (size_t m = 0; m < kLists.size(); ++m) {
    if (controls.ItemCount(kLists[m]) == 0) controls.Enable(kRadios[m], false);
  }
  if (!anyModel) hasModels_ = false;

  const DeviceEntry defaultEntry = ReadDefaultDevice(configuration_);
  if (!defaultEntry.module) {
    moduleIndex_ = -1;
    return;
  }
  const auto module = static_cast<size_t>(*defaultEntry.module);
  const int list = kLists[module];
  controls.CheckRadio(IDC_RECEIPT, IDC_EMBEDDED, kRadios[module]);
  // Searched from after entry 0, entry 0 last: a longer name that begins with
  // the default name wins over the default itself.
  controls.Select(list, controls.FindPrefix(list, 0, defaultEntry.modelName));
  const int selected = controls.Selection(list);
  if (selected >= 0) modelName_ = TakenModelName(controls.ItemText(list, selected));
  controls.Enable(list, true);
  moduleIndex_ = static_cast<int32_t>(module);
}

void ModulePage::TakeSelection(Controls& controls, int list) {
  const int selected = controls.Selection(list);
  modelName_ = selected >= 0 ? TakenModelName(controls.ItemText(list, selected)) : "";
}

bool ModulePage::OnPageCommand(Controls& controls, int id, int code) {
  for (size_t m = 0; m < kRadios.size(); ++m) {
    if (id == kRadios[m] && code == kBnClicked) {
      DisableLists(controls);
      TakeSelection(controls, kLists[m]);
      controls.Enable(kLists[m], true);
      moduleIndex_ = static_cast<int32_t>(m);
      return true;
    }
    if (id == kLists[m] && code == kCbnSelChange) {
      TakeSelection(controls, kLists[m]);
      return true;
    }
  }
  return false;
}

bool ModulePage::Save(Controls& controls) {
  makeDefault_ = controls.Checked(IDC_SET_DEFAULT) ? 1 : 0;
  return true;
}

}  // namespace kv
