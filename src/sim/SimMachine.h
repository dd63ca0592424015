#pragma once

#include "platform/Machine.h"
#include "sim/Faults.h"
#include "sim/SimClock.h"
#include "sim/SimDesktop.h"
#include "sim/SimDialogs.h"
#include "sim/SimFiles.h"
#include "sim/SimModules.h"
#include "sim/SimProfiles.h"
#include "sim/SimRegistry.h"
#include "sim/SimSecurity.h"
#include "sim/SimServices.h"
#include "sim/SimSpooler.h"
#include "sim/SimSystem.h"
#include "sim/SimThreads.h"
#include "sim/SimVersions.h"

namespace kv::sim {

enum class WindowsVersion {
  Win95,
  Win98,
  WinMe,
  NT351,
  NT4,
  Win2000,
  WinXP,
  Server2003,
  Vista,
  Win7
};

// A whole simulated Windows machine: Windows XP with a running spooler, an
// administrator's token and an empty registry, until a test says otherwise.
class SimMachine {
 public:
  SimMachine();
  SimMachine(const SimMachine&) = delete;
  SimMachine& operator=(const SimMachine&) = delete;

  Machine& machine() { return machine_; }

  // Sets the version GetVersionExA reports and lays out the Windows and spooler
  // directories and the spooler library's exports as that version has them.
  void UseWindows(WindowsVersion version);
  // The program under test is a 64-bit one on a 64-bit NT: the spooler's
  // environment is "Windows x64" and its directories are the "x64" ones.
  void UseSixtyFourBitProgram();

  void FailNext(Call call, uint32_t error) { faults_.FailNext(call, error); }
  void FailAlways(Call call, uint32_t error) { faults_.FailAlways(call, error); }

  Faults& faults() { return faults_; }
  SimRegistry& registry() { return registry_; }
  SimSpooler& spooler() { return spooler_; }
  SimServices& services() { return services_; }
  SimFiles& files() { return files_; }
  SimProfiles& profiles() { return profiles_; }
  SimVersions& versions() { return versions_; }
  SimSecurity& security() { return security_; }
  SimModules& modules() { return modules_; }
  SimDesktop& desktop() { return desktop_; }
  SimClock& clock() { return clock_; }
  SimThreads& threads() { return threads_; }
  SimSystem& system() { return system_; }
  SimDialogs& dialogs() { return dialogs_; }

 private:
  Faults faults_;
  SimRegistry registry_{faults_};
  SimFiles files_{faults_, registry_};
  SimServices services_{faults_};
  SimSystem system_{faults_};
  SimProfiles profiles_{faults_, files_};
  SimSpooler spooler_{faults_, files_, registry_, services_, system_, profiles_};
  SimVersions versions_{faults_, files_};
  SimSecurity security_{faults_};
  SimModules modules_{faults_};
  SimDesktop desktop_{faults_, files_};
  SimClock clock_;
  SimThreads threads_{faults_};
  SimDialogs dialogs_{clock_, files_};
  Machine machine_{registry_, spooler_, services_, files_,   profiles_, versions_, security_,
                   modules_,  desktop_, clock_,    threads_, system_,   dialogs_};
};

}  // namespace kv::sim
