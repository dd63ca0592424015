#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/SetupConfiguration.h"
#include "platform/Machine.h"
#include "wizard/WizardPage.h"

namespace kv {

// A model as the module page lists it: the entry's text and the module
// whose list holds it.
struct ListedModel {
  std::string name;
  PrinterModule module = PrinterModule::Receipt;
};

// The models the page lists, in the device list's order (entries 1 to
// DEVICENUMBER that name a module).
std::vector<ListedModel> ListedModels(const SetupConfiguration& configuration);

// The listed model whose text is `name` (ASCII case ignored), the first in
// the device list's order; none when no list holds it.
std::optional<ListedModel> FindListedModel(const SetupConfiguration& configuration,
                                           std::string_view name);

// The model name the page takes from a list entry: at most 199 characters.
std::string TakenModelName(std::string_view entryText);

// Page 1: the printer type (one radio button per module) and the model (one
// drop-down list per module), and whether the printer becomes the default.
class ModulePage : public WizardPage {
 public:
  explicit ModulePage(Machine& machine);

  void OnInit(Controls& controls) override;
  bool OnPageCommand(Controls& controls, int id, int code) override;
  bool Save(Controls& controls) override;

  // The text of the list entry last taken, at most 199 characters, or empty.
  const std::string& modelName() const { return modelName_; }
  // The checked module, -1 when none.
  int32_t moduleIndex() const { return moduleIndex_; }
  int32_t makeDefault() const { return makeDefault_; }
  bool hasModels() const { return hasModels_; }

 private:
  void TakeSelection(Controls& controls, int list);

  SetupConfiguration configuration_;
  std::string modelName_;
  int32_t moduleIndex_ = 0;
  int32_t makeDefault_ = 0;
  bool hasModels_ = false;
};

}  // namespace kv
