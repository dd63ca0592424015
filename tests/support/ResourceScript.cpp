#include "support/ResourceScript.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kv {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Tokens of one script line: quoted strings keep their quotes ("" inside is
// one quote), commas and '|' are tokens of their own.
std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
      break;
    } else if (c == ',' || c == '|') {
      tokens.emplace_back(1, c);
      ++i;
    } else if (c == '"') {
      std::string text = "\"";
      ++i;
      while (i < line.size()) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          text += '"';
          i += 2;
        } else if (line[i] == '"') {
          ++i;
          break;
        } else {
          text += line[i++];
        }
      }
      tokens.push_back(text);
    } else {
      size_t end = i;
      while (end < line.size() && std::string(" \t\r,|").find(line[end]) == std::string::npos) {
        ++end;
      }
      tokens.push_back(line.substr(i, end - i));
      i = end;
    }
  }
  return tokens;
}

// A control statement split at its commas.
std::vector<std::vector<std::string>> Fields(const std::vector<std::string>& tokens) {
  std::vector<std::vector<std::string>> fields(1);
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i] == ",") {
      fields.emplace_back();
    } else {
      fields.back().push_back(tokens[i]);
    }
  }
  return fields;
}

bool Has(const std::vector<std::string>& field, const std::string& word) {
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == word && (i == 0 || field[i - 1] != "NOT")) return true;
  }
  return false;
}

bool HasNot(const std::vector<std::string>& field, const std::string& word) {
  for (size_t i = 1; i < field.size(); ++i) {
    if (field[i] == word && field[i - 1] == "NOT") return true;
  }
  return false;
}

std::string Unquote(const std::string& token) {
  return !token.empty() && token[0] == '"' ? token.substr(1) : token;
}

class ScriptReader {
 public:
  explicit ScriptReader(std::map<std::string, int> defines) : defines_(std::move(defines)) {}

  int Id(const std::string& token) const {
    if (auto it = defines_.find(token); it != defines_.end()) return it->second;
    if (token == "IDOK") return 1;
    if (token == "IDCANCEL") return 2;
    return std::stoi(token, nullptr, 0);
  }

  sim::ControlTemplate Control(const std::string& keyword,
                               const std::vector<std::vector<std::string>>& fields) const {
    sim::ControlTemplate declared(-1, sim::ControlKind::Static);
    std::vector<std::string> style;
    std::string className;
    // Statement forms: KEYWORD text, id, x, y, w, h [, style] or without the
    // text (EDITTEXT, COMBOBOX, LISTBOX), or CONTROL text, id, class, style,
    // x, y, w, h.
    const bool textless = keyword == "EDITTEXT" || keyword == "COMBOBOX" || keyword == "LISTBOX";
    const size_t idField = textless ? 0 : 1;
    if (!textless) declared.text = Unquote(fields.at(0).at(0));
    declared.id = Id(fields.at(idField).at(0));
    if (keyword == "CONTROL") {
      className = Unquote(fields.at(2).at(0));
      style = fields.at(3);
    } else if (fields.size() > idField + 5) {
      style = fields[idField + 5];
    }
    if (keyword == "LTEXT" || keyword == "RTEXT" || keyword == "CTEXT") {
      declared.kind = sim::ControlKind::Static;
    } else if (keyword == "ICON") {
      declared.kind = sim::ControlKind::Picture;
    } else if (keyword == "GROUPBOX") {
      declared.kind = sim::ControlKind::GroupBox;
    } else if (keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON") {
      declared.kind = sim::ControlKind::PushButton;
      declared.defaultButton = keyword == "DEFPUSHBUTTON";
    } else if (keyword == "AUTOCHECKBOX" || keyword == "CHECKBOX") {
      declared.kind = sim::ControlKind::CheckBox;
      declared.automatic = keyword == "AUTOCHECKBOX";
    } else if (keyword == "AUTORADIOBUTTON" || keyword == "RADIOBUTTON") {
      declared.kind = sim::ControlKind::RadioButton;
      declared.automatic = keyword == "AUTORADIOBUTTON";
    } else if (keyword == "EDITTEXT") {
      declared.kind = sim::ControlKind::Edit;
    } else if (keyword == "COMBOBOX") {
      declared.kind = sim::ControlKind::ComboBox;
    } else if (keyword == "LISTBOX") {
      declared.kind = sim::ControlKind::ListBox;
    } else if (keyword == "CONTROL") {
      if (className == "Button" && Has(style, "BS_AUTORADIOBUTTON")) {
        declared.kind = sim::ControlKind::RadioButton;
      } else if (className == "Button" && Has(style, "BS_AUTOCHECKBOX")) {
        declared.kind = sim::ControlKind::CheckBox;
      } else if (className == "Static") {
        declared.kind = Has(style, "SS_BLACKFRAME") || Has(style, "SS_ETCHEDFRAME") ||
                                Has(style, "SS_ETCHEDHORZ")
                            ? sim::ControlKind::Picture
                            : sim::ControlKind::Static;
      } else if (className == "PROGRESS_CLASS" || className == "msctls_progress32") {
        declared.kind = sim::ControlKind::ProgressBar;
      } else if (className == "WC_LISTVIEW" || className == "SysListView32") {
        declared.kind = sim::ControlKind::ListView;
      } else {
        throw std::runtime_error("control class not read: " + className);
      }
    } else {
      throw std::runtime_error("statement not read: " + keyword);
    }
    // Every control statement, CONTROL included, starts visible unless
    // NOT WS_VISIBLE says otherwise (as the resource compiler builds it).
    declared.visible = !HasNot(style, "WS_VISIBLE");
    // CONTROL statements take a tab stop only when they say so; the others
    // keep their kind's unless NOT WS_TABSTOP.
    declared.tabStop = keyword == "CONTROL" ? Has(style, "WS_TABSTOP")
                                            : declared.tabStop && !HasNot(style, "WS_TABSTOP");
    declared.enabled = !Has(style, "WS_DISABLED");
    declared.group = Has(style, "WS_GROUP");
    declared.sorted = Has(style, "CBS_SORT") || Has(style, "LBS_SORT");
    declared.readOnly = Has(style, "ES_READONLY");
    return declared;
  }

  std::vector<sim::DialogLayout> Read(const std::string& script) {
    std::vector<sim::DialogLayout> layouts;
    std::istringstream lines(script);
    std::string line, pending;
    sim::DialogLayout* open = nullptr;
    bool inBody = false;
    while (std::getline(lines, line)) {
      // A statement continues on the next line after a trailing comma or '|'.
      pending += line;
      std::vector<std::string> tokens = Tokens(pending);
      if (!tokens.empty() && (tokens.back() == "," || tokens.back() == "|")) continue;
      pending.clear();
      if (tokens.empty()) continue;
      if (tokens.size() >= 2 && (tokens[1] == "DIALOG" || tokens[1] == "DIALOGEX")) {
        layouts.push_back({});
        open = &layouts.back();
        open->templateId = Id(tokens[0]);
        inBody = false;
        continue;
      }
      if (open == nullptr) continue;
      if (!inBody) {
        if (tokens[0] == "CAPTION") open->caption = Unquote(tokens.at(1));
        if (tokens[0] == "BEGIN") inBody = true;
        continue;
      }
      if (tokens[0] == "END") {
        open = nullptr;
        continue;
      }
      open->controls.push_back(Control(tokens[0], Fields(tokens)));
    }
    return layouts;
  }

 private:
  std::map<std::string, int> defines_;
};

}  // namespace

std::map<std::string, int> ReadDefines(const std::string& headerPath) {
  std::map<std::string, int> defines;
  std::istringstream lines(ReadText(headerPath));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string directive, name, value;
    if (words >> directive >> name >> value && directive == "#define") {
      defines[name] = std::stoi(value, nullptr, 0);
    }
  }
  return defines;
}

std::vector<sim::DialogLayout> ReadDialogLayouts(const std::string& scriptPath,
                                                 const std::vector<std::string>& headerPaths) {
  std::map<std::string, int> defines;
  for (const std::string& header : headerPaths) defines.merge(ReadDefines(header));
  return ScriptReader(std::move(defines)).Read(ReadText(scriptPath));
}

}  // namespace kv
