#pragma once

#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "platform/Machine.h"
#include "platform/System.h"
#include "wizard/WizardPage.h"

namespace kv {

// What the OS page shows for a running version.
struct OsPreset {
  OsFamily family = OsFamily::Win98;
  int checkedButton = 0;  // 0: none
  int radioLast = 0;      // the end of the radio range the check is made in
  enum class Mark { None, CurrentUser, ListedUsers } mark = Mark::None;
  bool unsupportedPlatform = false;  // neither 9x nor NT
};

// From GetVersionExA's answer. Windows 95 and NT versions other than 4.0 to
// 6.0 check no button; the family then stays Win98.
OsPreset PresetForVersion(const OsVersionInfo& version);

// The compatibility marks the page writes for the running version when it
// is created (every listed user's on XP, the current user's on Vista).
void WriteCompatibilityMarks(Machine& machine, const OsPreset& preset);

// The family name an answer gives for each family: "98", "NT4", "2000",
// "XP", "2003", "Vista".
std::string_view FamilyAnswerName(OsFamily family);

// Page 3: the Windows family the installation is for, preset from the running
// system and the only one enabled.
class OsPage : public WizardPage {
 public:
  OsPage(Machine& machine, std::string applicationName);

  void OnInit(Controls& controls) override;

  OsFamily family() const { return family_; }
  // Whether the page checked the running family's button (a listed version).
  bool hasPreset() const { return hasPreset_; }

 private:
  Machine& machine_;
  std::string applicationName_;
  OsFamily family_ = OsFamily::Win98;
  bool hasPreset_ = false;
};

}  // namespace kv
