#pragma once

#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Modules.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/Security.h"
#include "platform/Services.h"
#include "platform/Spooler.h"
#include "platform/System.h"
#include "platform/Threads.h"
#include "platform/Versions.h"

namespace kv {

// Every platform service the core uses, handed to it through constructors.
struct Machine {
  Registry& registry;
  Spooler& spooler;
  Services& services;
  Files& files;
  Profiles& profiles;
  Versions& versions;
  Security& security;
  Modules& modules;
  Desktop& desktop;
  Clock& clock;
  Threads& threads;
  System& system;
  Dialogs& dialogs;
};

}  // namespace kv
