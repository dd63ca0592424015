#pragma once

#include <map>
#include <string>

namespace kv::walk {

// The names a walk gives controls: the standard dialog ids (IDOK, IDCANCEL,
// IDYES, ...) and the #define names read from the programs' ids headers, so
// that a walk says IDC_ACCEPT where the program's code does and a changed id
// reaches the walks through the header.
class ControlNames {
 public:
  ControlNames();

  // Adds every `#define NAME NUMBER` of the header (decimal or 0x hex;
  // other defines are passed over). False, with `error` set, when the file
  // cannot be read, defines no number, or gives a known name another number.
  bool Read(const std::string& path, std::string& error);
  // The number of a known name.
  bool Find(const std::string& name, int& id) const;
  // Like Find, with `error` saying why a word names no control: a bare number
  // or a name that no header read so far defines.
  bool Resolve(const std::string& name, int& id, std::string& error) const;

 private:
  std::map<std::string, int> ids_;
  std::string headers_;  // the headers read, for messages
};

}  // namespace kv::walk
