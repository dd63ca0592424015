#include "wizard/OsPage.h"

#include <array>

#include "common/SetupStrings.h"
#include "install/CompatibilityMarks.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

// The button of each family, in family order.
constexpr std::array<int, 6> kFamilyButtons = {IDC_OS_WIN98, IDC_OS_NT4,        IDC_OS_WIN2000,
                                               IDC_OS_WINXP, IDC_OS_SERVER2003, IDC_OS_VISTA};

OsPreset NtPreset(const OsVersionInfo& version) {
  struct Known {
    uint32_t major, minor;
    OsFamily family;
    OsPreset::Mark mark;
  };
  static constexpr Known kKnown[] = {
      {4, 0, OsFamily::NT4, OsPreset::Mark::None},
      {5, 0, OsFamily::Win2000, OsPreset::Mark::None},
      {5, 1, OsFamily::WinXP, OsPreset::Mark::ListedUsers},
      {5, 2, OsFamily::Server2003, OsPreset::Mark::None},
      {6, 0, OsFamily::Vista, OsPreset::Mark::CurrentUser},
  };
  OsPreset preset;
  preset.radioLast = IDC_OS_SERVER2003;
  for (const Known& known : kKnown) {
    if (version.majorVersion != known.major || version.minorVersion != known.minor) continue;
    preset.family = known.family;
    preset.checkedButton = kFamilyButtons[static_cast<size_t>(known.family)];
    preset.mark = known.mark;
    // The Vista button lies outside the range of the others.
    if (known.family == OsFamily::Vista) preset.radioLast = IDC_OS_VISTA;
  }
  return preset;
}

}  // namespace

OsPreset PresetForVersion(const OsVersionInfo& version) {
  OsPreset preset;
  preset.radioLast = IDC_OS_SERVER2003;
  switch (version.platformId) {
    case kPlatformWindows:
      if (version.minorVersion != 0) preset.checkedButton = IDC_OS_WIN98;
      return preset;
    case kPlatformNt:
      return NtPreset(version);
    default:
      preset.unsupportedPlatform = true;
      return preset;
  }
}

OsPage::OsPage(Machine& machine, std::string applicationName)
    : machine_(machine), applicationName_(std::move(applicationName)) {}

void OsPage::OnInit(Controls& controls) {
  family_ = OsFamily::Win98;
  // A failed query leaves the platform unknown, as a zeroed structure does.
  OsVersionInfo version;
  if (!machine_.system.GetVersion(&version)) version = OsVersionInfo{};
  const OsPreset preset = PresetForVersion(version);

  if (preset.checkedButton != 0) {
    controls.CheckRadio(IDC_OS_WIN98, preset.radioLast, preset.checkedButton);
  }
  family_ = preset.family;
  if (preset.mark == OsPreset::Mark::ListedUsers) MarkCompatibilityPersistedForUsers(machine_);
  if (preset.mark == OsPreset::Mark::CurrentUser) MarkCompatibilityPersisted(machine_);
  if (preset.unsupportedPlatform) {
    machine_.desktop.MessageBox(0, SetupString(setup_text::kUnsupportedSystem), applicationName_,
                                kMbOk | kMbIconExclamation);
  }

  const int enabled = kFamilyButtons[static_cast<size_t>(family_)];
  for (int button : kFamilyButtons) controls.Enable(button, button == enabled);
}

}  // namespace kv
