#pragma once

namespace kv {

// The compatibility assistant's marks for the running program, written when
// the OS page classifies the system.
class CompatibilityMarks {
 public:
  virtual ~CompatibilityMarks() = default;
  // Windows Vista: the current user's mark.
  virtual void MarkCurrentUser() = 0;
  // Windows XP: the mark of every user listed in the protected storage key.
  virtual void MarkListedUsers() = 0;
};

}  // namespace kv
