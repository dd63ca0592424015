#include "common/CommandLine.h"

#include <algorithm>

#include "common/AsciiCase.h"

namespace kv {
std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (size_t at = 0; at < line.size();) {
    const char c = line[at];
    if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
      ++at;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      size_t backslashes = 0;
      while (at < line.size() && line[at] == '\\') {
        ++backslashes;
        ++at;
      }
      if (at < line.size() && line[at] == '"') {
        current.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1) {
          current += '"';
          ++at;
        }
      } else {
        current.append(backslashes, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
        current += '"';
        at += 2;
        continue;
      }
      quoted = !quoted;
      ++at;
      continue;
    }
    current += c;
    ++at;
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

bool CommandLine::Has(std::string_view name) const {
  return std::any_of(options.begin(), options.end(),
                     [&](const CommandOption& option) { return option.name == name; });
}

std::string CommandLine::Value(std::string_view name) const {
  std::string value;
  for (const auto& option : options) {
    if (option.name == name) value = option.value;
  }
  return value;
}

std::vector<std::string> CommandLine::Values(std::string_view name) const {
  std::vector<std::string> values;
  for (const auto& option : options) {
    if (option.name == name) values.push_back(option.value);
  }
  return values;
}

CommandLine ReadCommandLine(std::string_view line, std::span<const OptionRule> rules,
                            TextLookup text) {
  namespace t = deployment_text;
  CommandLine result;
  auto refuse = [&](int id, std::string_view subject) {
    if (!result.refused()) result.refusal = FormatText(text(id), {subject});
  };
  for (const std::string& argument : SplitCommandLine(line)) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) {
      refuse(t::kNotAnOption, argument);
      continue;
    }
    const size_t separator = argument.find_first_of("=:", 1);
    const std::string_view name = std::string_view(argument).substr(1, separator - 1);
    const auto rule = std::find_if(rules.begin(), rules.end(), [&](const OptionRule& r) {
      return EqualsIgnoringAsciiCase(r.name, name);
    });
    if (rule == rules.end()) {
      refuse(t::kUnknownOption, argument);
      continue;
    }
    CommandOption option{std::string(rule->name), {}, separator != std::string::npos};
    if (option.hasValue) option.value = argument.substr(separator + 1);
    if (rule->value == OptionValue::kRequired && option.value.empty()) {
      refuse(t::kValueMissing, argument);
      continue;
    }
    if (rule->value == OptionValue::kNone && option.hasValue) {
      refuse(t::kValueNotExpected, argument);
      continue;
    }
    if (!rule->repeatable && result.Has(option.name)) {
      refuse(t::kOptionRepeated, "/" + option.name);
      continue;
    }
    result.options.push_back(std::move(option));
  }
  return result;
}

}  // namespace kv
