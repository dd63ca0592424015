#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/SetupConfiguration.h"
#include "platform/Machine.h"
#include "wizard/OsPage.h"
#include "wizard/PortPage.h"
#include "wizard/WizardWindow.h"

namespace kv {

// The answer file of an unattended installation: an INI file with one
// section, "Install", whose keys stand for the wizard's choices and whose
// values are the texts the pages show (ASCII case ignored):
//   AcceptLicence  yes                              required
//   Model          a model the module page lists     required; its list gives the module
//   Default        0 | 1                            0
//   SetupType      Typical | Advanced               Typical
//   Windows        auto | 98 | NT4 | 2000 | XP | 2003 | Vista   auto: the OS page's preset
//   Port           a port the port page lists; USB in a Typical setup: its USB port   required
//   Driver         Standard | Raster                the port page's preset
//   BaudRate, DataBits, Parity, StopBits, FlowControl   the serial lists' texts,
//                                                   serial ports only; the page's presets
//   RewriteUsbId   yes | no                         no     (USB ports only)
//   UsbDriver      install | skip                   install (USB ports only)
//   Duplicate      Skip | Add                       Skip
// A choice the wizard would not let the user make is refused, as are unknown
// keys, unknown values and keys that do not apply: a typo must never install
// something else.
inline constexpr std::string_view kAnswerSection = "Install";

// The wizard's choices an answer file comes to, decided by the pages' own rules.
struct UnattendedChoices {
  WizardSelections selections;
  PortValues port;
  // Question 143's answer.
  bool rewriteUsbId = false;
  bool installUsbDriver = true;
  // A printer of the model on the port already there: add the numbered
  // duplicate (true) or leave the installation as it is.
  bool addDuplicate = false;
  // The OS page's preset for the running version.
  OsPreset preset;
};

// The choices, or why the file is refused.
struct AnswerFileReading {
  std::optional<UnattendedChoices> choices;
  std::string refusal;
};

// Reads the answer file at `path` (through the profile text model, as the
// configuration readers read theirs) and decides every choice as the pages
// would for the running system and the medium's configuration. Reads only.
AnswerFileReading ReadAnswerFile(Machine& machine, const SetupConfiguration& configuration,
                                 std::string_view path);

// What a wizard's Install had chosen when every check passed.
struct RecordedInstall {
  WizardSelections selections;
  PortValues port;
  // The OS page had a preset and the installation is for it.
  bool windowsPresetKept = false;
  bool usbIdRewriteAccepted = false;
  // The printer was there already, so the wizard adds a numbered copy.
  bool duplicate = false;
};

// Writes the answer file that replays `install` with the platform's profile
// functions: AcceptLicence, the choices and only the keys that apply, values
// as the pages show them. A file already there is replaced. The first
// failure's Windows error number, 0 when all was written.
uint32_t WriteAnswerFile(Machine& machine, std::string_view path, const RecordedInstall& install);

// The path made full against the current directory, as the profile functions
// would otherwise look for a bare name in the Windows directory.
std::string FullAnswerPath(Files& files, std::string_view path);
// The path made full against `folder` (a full path stays as it is).
std::string FullPathIn(std::string folder, std::string_view path);

}  // namespace kv
