#pragma once

#include <string>

#include "platform/Files.h"

namespace kv {

// The base name of the running program's file without its extension: the
// name of the single-instance mutex and the caption of every message box.
// Empty when the program's name cannot be had.
std::string ApplicationName(Files& files);

}  // namespace kv
