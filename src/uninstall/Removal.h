#pragma once

#include "platform/Controls.h"
#include "platform/Machine.h"
#include "uninstall/UninstallState.h"

namespace kv {

// The Uninstall command's work: the job check on the user-interface thread,
// then the removal run (meant for a worker thread) over the ticked items of
// the removal list, in list order, reporting every step in the status list.
class Removal {
 public:
  Removal(Machine& machine, Dialogs& dialogs, UninstallState& state)
      : machine_(machine), dialogs_(dialogs), state_(state) {}

  // True when no local printer, listed or not, has queued jobs; otherwise the
  // status list says which printer stopped the check.
  bool CheckJobs(Controls& controls);
  // RunRemoval: the controls are disabled for its whole length.
  void Run(Controls& controls);

 private:
  enum class Outcome { Kept, Removed, EndRun };

  // Each removes list item `index` (the current item) and reports it.
  Outcome RemovePrinter(Controls& controls, int index);
  Outcome RemoveMonitor(Controls& controls, UninstallIni& ini, int index);
  Outcome RemoveProcessor(Controls& controls, UninstallIni& ini, int index);
  // The kDeleted line for the current item, which leaves the list.
  void MarkRemoved(Controls& controls, int index);
  // On the 9x family a monitor stays while a printer uses a maker's serial
  // port or cannot be examined; false after reporting why.
  bool MonitorFreeOnNinetyFive(Controls& controls);
  void DeleteDriver(Controls& controls, const std::string& driverName);
  // Deletes `directory`\`name`; nothing when either is missing. A file in
  // use is left to Windows to delete when it next starts; a line names the
  // file (its name alone, which the narrow status list shows whole) and says
  // so, or why the file stays.
  void DeleteFileIn(Controls& controls, const std::string& directory, const std::string& name);
  // A status line that says something stays: the run ends in failure.
  void ReportFailure(Controls& controls, std::string_view line);
  void OfferRestart(Controls& controls);
  void Pause(uint32_t milliseconds) { machine_.clock.Sleep(milliseconds); }

  Machine& machine_;
  Dialogs& dialogs_;
  UninstallState& state_;
};

}  // namespace kv
