#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/DeploymentTexts.h"

namespace kv {

// The arguments of a command line (the text after the program's name), split
// as the C runtime and CommandLineToArgvW split them: blanks and tabs separate
// arguments outside quotes; a quote anywhere begins or ends a quoted part and
// is dropped, so /LOG="C:\My logs\run.log" is one argument; two quotes inside
// a quoted part give one literal quote; 2n backslashes before a quote give n
// backslashes and the quote keeps its meaning, 2n+1 give n and a literal quote;
// other backslashes are kept as they are.
std::vector<std::string> SplitCommandLine(std::string_view line);

// Whether an option takes a value.
enum class OptionValue { kNone, kRequired };

// One option a program knows. `repeatable` options may be given more than
// once (each occurrence is kept); the others once at most.
struct OptionRule {
  std::string_view name;  // as the program spells it, without / or -
  OptionValue value = OptionValue::kNone;
  bool repeatable = false;
};

// An option as given: the rule's spelling of its name, its value.
struct CommandOption {
  std::string name;
  std::string value;
  bool hasValue = false;
};

// The options a command line gives, in order, and the first refusal. The
// options read before and after a refusal are still listed (only well-formed
// ones), so that the program can tell where to report it (/S, /LOG=).
struct CommandLine {
  std::vector<CommandOption> options;
  std::string refusal;  // the reason, for the log or a message box; empty: none

  bool refused() const { return !refusal.empty(); }
  bool Has(std::string_view name) const;
  // The value of the last occurrence; empty when absent.
  std::string Value(std::string_view name) const;
  // Every value of a repeatable option, in order.
  std::vector<std::string> Values(std::string_view name) const;
};

// Reads a command line against a program's rules: options begin with / or -,
// names ignore case, a value follows the first = or : after the name. Refused,
// with the reasons of the program's string table: an argument that is no
// option, an unknown name, a value missing (also an empty one) or not
// expected, an option given twice that is not repeatable.
CommandLine ReadCommandLine(std::string_view line, std::span<const OptionRule> rules,
                            TextLookup text);

}  // namespace kv
