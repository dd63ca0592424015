#include "uninstall/UninstallProgram.h"

#include <algorithm>

#include "common/AsciiCase.h"
#include "common/DeploymentRun.h"
#include "common/ProgramShell.h"
#include "common/UninstallStrings.h"
#include "common/WindowlessControls.h"
#include "uninstall/UninstallExitCode.h"
#include "uninstall/UninstallIds.h"
#include "uninstall/UninstallWindow.h"

namespace kv {
namespace {

namespace text = uninstall_text;

constexpr std::string_view kAll = "ALL";
constexpr std::string_view kItem = "ITEM";
constexpr std::string_view kUsbDriver = "USBDRIVER";

constexpr OptionRule kUninstallOptions[] = {
    {kAll},
    {kItem, OptionValue::kRequired, true},
    {kUsbDriver, OptionValue::kRequired},
};

// The combinations of the uninstaller's options; empty when they make sense.
std::string CheckCombinations(const CommandLine& options, bool silent) {
  const bool all = options.Has(kAll);
  const bool items = options.Has(kItem);
  if (silent && !all && !items) return std::string(UninstallString(text::kSilentNeedsItems));
  if (all && items) return std::string(UninstallString(text::kAllWithItems));
  if (!silent && (all || items)) {
    return FormatText(UninstallString(text::kOnlyWhenSilent), {all ? "/ALL" : "/ITEM"});
  }
  if (options.Has(kUsbDriver)) {
    const std::string value = options.Value(kUsbDriver);
    if (!EqualsIgnoringAsciiCase(value, "remove") && !EqualsIgnoringAsciiCase(value, "keep")) {
      return FormatText(UninstallString(text::kBadUsbDriverValue), {value});
    }
  }
  return {};
}

// Ticks what the options name. An unknown item: the refusal, nothing ticked.
std::string TickItems(WindowlessControls& controls, const CommandLine& options) {
  const int count = controls.ItemCount(IDC_REMOVAL_LIST);
  std::vector<int> ticked;
  if (options.Has(kAll)) {
    for (int i = 0; i < count; ++i) ticked.push_back(i);
  }
  for (const std::string& name : options.Values(kItem)) {
    int found = -1;
    // Exactly as listed first; Windows' own names ignore case.
    for (int pass = 0; pass < 2 && found < 0; ++pass) {
      for (int i = 0; i < count && found < 0; ++i) {
        const std::string listed = controls.ItemText(IDC_REMOVAL_LIST, i);
        if (pass == 0 ? listed == name : EqualsIgnoringAsciiCase(listed, name)) found = i;
      }
    }
    if (found < 0) {
      std::string shown;
      for (int i = 0; i < count; ++i) {
        shown += (i > 0 ? ", \"" : "\"") + controls.ItemText(IDC_REMOVAL_LIST, i) + "\"";
      }
      return FormatText(UninstallString(text::kUnknownItem), {"\"" + name + "\"", shown});
    }
    ticked.push_back(found);
  }
  for (int i : ticked) controls.CheckItem(IDC_REMOVAL_LIST, i, true);
  return {};
}

// The window's logic without a window: start-up, the items ticked as the
// options say, the Uninstall command, the end of its run.
ExitCode RunSilently(DeploymentRun& run, Dialogs& dialogs, const std::string& applicationName) {
  UninstallWindow window(run.machine(), dialogs, applicationName, {&run.log(), false});
  WindowlessControls controls;
  window.OnInit(controls);
  if (controls.result()) return UninstallExitCode(window.state(), true);

  const CommandLine& options = run.commandLine();
  if (std::string refusal = TickItems(controls, options); !refusal.empty()) {
    return run.Refuse(refusal);
  }
  if (EqualsIgnoringAsciiCase(options.Value(kUsbDriver), "remove")) {
    // The window disables the check box where the driver's removal cannot run.
    if (!controls.Enabled(IDC_USB_DRIVER)) {
      return run.Refuse(UninstallString(text::kUsbDriverNotRemovable));
    }
    controls.Check(IDC_USB_DRIVER, true);
  }
  if (controls.ItemCount(IDC_REMOVAL_LIST) == 0) {
    run.log().Write(UninstallString(text::kNothingToRemove));
    if (!controls.Checked(IDC_USB_DRIVER)) return ExitCode::kSuccess;
  }
  window.OnCommand(controls, IDC_UNINSTALL, kBnClicked);
  window.WaitForRemoval();
  const ExitCode code = UninstallExitCode(window.state(), true);
  if (code == ExitCode::kRestartNeeded) run.log().Write(UninstallString(text::kRestartToFinish));
  return code;
}

}  // namespace

int RunUninstallProgram(Machine& machine, Dialogs& dialogs, std::string_view commandLine) {
  DeploymentRun run(machine, kUninstallProgram, commandLine, kUninstallOptions);
  if (std::optional<ExitCode> ended = run.Begin()) return run.Finish(*ended);
  if (std::string refusal = CheckCombinations(run.commandLine(), run.silent()); !refusal.empty()) {
    return run.Finish(run.Refuse(refusal));
  }
  ProgramShell shell(run.machine(), kUninstallProgram);
  if (!shell.StartAlone()) return run.Finish(ExitCode::kAnotherRunning);
  if (run.silent()) return run.Finish(RunSilently(run, dialogs, shell.applicationName()));

  UninstallWindow window(run.machine(), dialogs, shell.applicationName(),
                         {&run.log(), !run.noRestart()});
  dialogs.RunModal(IDD_UNINSTALL, window, 0);
  window.WaitForRemoval();
  const ExitCode code = UninstallExitCode(window.state(), false);
  if (code == ExitCode::kRestartNeeded) run.log().Write(UninstallString(text::kRestartToFinish));
  return run.Finish(code);
}

}  // namespace kv
