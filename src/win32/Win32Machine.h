#pragma once

#include "platform/Machine.h"
#include "win32/Win32Clock.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Files.h"
#include "win32/Win32Modules.h"
#include "win32/Win32Profiles.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Security.h"
#include "win32/Win32Services.h"
#include "win32/Win32Spooler.h"
#include "win32/Win32System.h"
#include "win32/Win32Threads.h"
#include "win32/Win32Versions.h"

namespace kv {

// The real machine: one of each service, bundled for the core.
class Win32Machine {
 public:
  Win32Machine();
  Win32Machine(const Win32Machine&) = delete;
  Win32Machine& operator=(const Win32Machine&) = delete;

  Machine& machine() { return machine_; }

 private:
  Win32Registry registry_;
  Win32Spooler spooler_;
  Win32Services services_;
  Win32Files files_;
  Win32Profiles profiles_;
  Win32Versions versions_;
  Win32Security security_;
  Win32Modules modules_;
  Win32Desktop desktop_;
  Win32Clock clock_;
  Win32Threads threads_;
  Win32System system_;
  Win32Dialogs dialogs_;
  Machine machine_;
};

}  // namespace kv
