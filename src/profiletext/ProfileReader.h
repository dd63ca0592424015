#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kv {

// The text without the blanks the profile functions trim around names,
// values and headers: space, tab, CR, LF, VT, FF and Ctrl+Z.
std::string_view TrimProfileBlanks(std::string_view text);
// The section a header line opens, as the profile functions read headers:
// '[' first on the line, the name up to its last ']', trimmed and cut at a
// zero byte; none when the line is no header.
std::optional<std::string_view> ProfileHeaderName(std::string_view line);

// Section and key names compare without regard to ASCII case.
struct ProfileNameHash {
  size_t operator()(std::string_view name) const noexcept;
};
struct ProfileNameEqual {
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// One INI file, parsed once, then read any number of times the way
// GetPrivateProfileStringA reads it:
// - section and key names ignore ASCII case; blanks around them are ignored;
// - a missing file, section or key gives the default, less its trailing
//   blanks, and then read like a value;
// - a value is everything after the first '=', without surrounding blanks;
//   one pair of equal quotes (" or ') around it is removed, then it is cut
//   to at most bufferChars - 1 characters.
// The file's habits follow the profile functions as well:
// - lines end at CR, LF or any run of them; blank lines are skipped; blanks
//   are space, tab, CR, LF, VT, FF and Ctrl+Z; lines may be of any length;
// - a section header is '[' first on the line and its last ']'; the name
//   between them is trimmed and text after the ']' ignored; a '[' line
//   without ']' is read as a key line;
// - keys before the first header belong to a section without name;
// - a line without '=' is no key, but it hides a later line of the same name
//   (the first of equal keys in a section wins);
// - a section named a second time is ignored, keys and all;
// - a comment line (';' first) is an ordinary key line whose name begins with
//   ';', so it never matches a configuration key; ';' and '#' inside a value
//   belong to the value;
// - names and values end at a zero byte, as C strings do;
// - a UTF-16 file with its byte-order mark is read (Windows NT does, 9x does
//   not), and so is a file with a UTF-8 byte-order mark (Wine reads it;
//   Windows takes the mark as part of the first line and misses a section
//   header there).
// Names compare by ASCII case only: the configuration's names are ASCII, and
// folding other bytes would depend on the system's code page.
//
// Making a reader only finds the section headers; a section's keys are parsed
// when the section is first asked for, so that reading one model of a large
// file costs little more than finding its headers. Reads are therefore not
// synchronised: one thread at a time.
class ProfileReader {
 public:
  // A file that does not exist: every read gives the default.
  ProfileReader();
  explicit ProfileReader(std::string fileBytes);

  ProfileReader(ProfileReader&&) noexcept = default;
  ProfileReader& operator=(ProfileReader&&) noexcept = default;

  std::string Read(std::string_view section, std::string_view key, std::string_view defaultValue,
                   uint32_t bufferChars) const;

  // The value as the file holds it (blanks trimmed, quotes kept); none when
  // the section or key is missing or the key's line has no '='.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // The names of the section's keys as the file first writes them (lines
  // without '=' included), each once, in no particular order; none when the
  // section is missing. The views live as long as the reader.
  std::vector<std::string_view> KeyNames(std::string_view section) const;

 private:
  // A key line without '=' has no value.
  using Keys = std::unordered_map<std::string_view, std::optional<std::string_view>,
                                  ProfileNameHash, ProfileNameEqual>;
  struct Section {
    std::string_view lines;            // from the end of its header line to the next header line
    mutable std::optional<Keys> keys;  // parsed at the first request
  };
  using Sections = std::unordered_map<std::string_view, Section, ProfileNameHash, ProfileNameEqual>;

  void IndexSections();
  // The keys of a section from its lines, which hold no header line.
  static Keys ParseKeys(std::string_view lines);
  // The keys of a section, parsed now if they were not yet; none when the
  // section is missing.
  const Keys* SectionKeys(std::string_view section) const;

  // The sections and keys are views into this text, which stays in place when
  // the reader is moved.
  std::unique_ptr<const std::string> text_;
  Sections sections_;
};

}  // namespace kv
