#pragma once

#include <string>

#include "install/OutdatedComponents.h"

namespace kv {

// How the core's steps report, in both programs. A step that fails says so by
// its result (false, CopyOutcome::Failed, ComponentCheck::failed) and is the
// only one to write the user's message; callers pass the message on and never
// write over it. A step that survives a failure of its own (a monitor file
// that did not copy, a file the 9x staging could not supply) leaves its text
// pending: the installation stops at its next copy check. Errors of the
// platform stay Windows error numbers.

// The result of CopyDriverFile.
enum class CopyOutcome {
  Copied,
  // The target is in use or access to it is denied; no message, so that the
  // caller can retry under the "n" name or with the spooler stopped.
  InUse,
  // The message says why.
  Failed,
  // The configuration names no file (a value beginning with "0"); no message.
  Skipped,
};

// What a monitor or processor installation found: the components it left
// outdated, or that the installation stops (`failed`, message written).
struct ComponentCheck {
  bool failed = false;
  OutdatedComponents outdated = OutdatedComponents::None;

  friend bool operator==(const ComponentCheck&, const ComponentCheck&) = default;
};

inline constexpr ComponentCheck kComponentsCurrent{};
inline constexpr ComponentCheck kComponentFailed{true, OutdatedComponents::None};

// The installation's check after a copy: any text in the message is a failure
// that stops it, the copy's own or one an earlier step left pending.
inline bool FailurePending(const std::string& message) {
  return !message.empty();
}

}  // namespace kv
