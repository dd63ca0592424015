#include "wizard/OsPage.h"

#include <array>

#include "common/CompatibilityMarks.h"
#include "common/SetupStrings.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

// The button of each family, in family order.
constexpr std::array<int, 6> kFamilyButtons = {IDC_OS_WIN98, IDC_OS_NT4,        IDC_OS_WIN2000,
                                               IDC_OS_WINXP, IDC_OS_SERVER2003, IDC_OS_VISTA};

}  // namespace

OsPreset PresetForVersion(const OsVersionInfo& version) {
  const WindowsClass running = ClassifyWindows(version);
  OsPreset preset;
  preset.family = running.family;
  preset.unsupportedPlatform = running.unknownPlatform;
  // The Vista button lies outside the range of the others.
  preset.radioLast = running.family == OsFamily::Vista ? IDC_OS_VISTA : IDC_OS_SERVER2003;
  if (running.listed) preset.checkedButton = kFamilyButtons[static_cast<size_t>(running.family)];
  if (running.family == OsFamily::WinXP) preset.mark = OsPreset::Mark::ListedUsers;
  if (running.family == OsFamily::Vista) preset.mark = OsPreset::Mark::CurrentUser;
  return preset;
}

void WriteCompatibilityMarks(Machine& machine, const OsPreset& preset) {
  if (preset.mark == OsPreset::Mark::ListedUsers) MarkCompatibilityPersistedForUsers(machine);
  if (preset.mark == OsPreset::Mark::CurrentUser) MarkCompatibilityPersisted(machine);
}

std::string_view FamilyAnswerName(OsFamily family) {
  constexpr std::array<std::string_view, 6> kNames = {"98", "NT4", "2000", "XP", "2003", "Vista"};
  const auto index = static_cast<size_t>(family);
  return index < kNames.size() ? kNames[index] : std::string_view();
}

OsPage::OsPage(Machine& machine, std::string applicationName)
    : machine_(machine), applicationName_(std::move(applicationName)) {}

void OsPage::OnInit(Controls& controls) {
  family_ = OsFamily::Win98;
  const OsPreset preset = PresetForVersion(RunningVersion(machine_.system));

  hasPreset_ = preset.checkedButton != 0;
  if (preset.checkedButton != 0) {
    controls.CheckRadio(IDC_OS_WIN98, preset.radioLast, preset.checkedButton);
  }
  family_ = preset.family;
  WriteCompatibilityMarks(machine_, preset);
  if (preset.unsupportedPlatform) {
    machine_.desktop.MessageBox(0, SetupString(setup_text::kUnsupportedSystem), applicationName_,
                                kMbOk | kMbIconExclamation);
  }

  const int enabled = kFamilyButtons[static_cast<size_t>(family_)];
  for (int button : kFamilyButtons) controls.Enable(button, button == enabled);
}

}  // namespace kv
