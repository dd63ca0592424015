// Walks a program's dialogs from another process, step by step from a script:
//   walk-driver.exe SCRIPT
// One step a line; '#' starts a comment; arguments are words or "quoted
// texts" (in which \n is a line break and \\ a backslash); ${NAME} is
// replaced by the environment variable NAME. Lists are written "a|b|c".
// Controls are named as the program's code names them: IDOK, IDCANCEL and the
// other standard ids, and the #define names of the ids headers the walk
// reads with `ids`; a number or an unknown name fails the step. Expectations
// are retried for up to 5 seconds; a wait takes its time limit in seconds
// where the state takes longer to come. Nothing sleeps for a fixed time. The
// first step that fails ends the walk. Prints "walk: N passed, M failed"
// (steps).
//
//   ids HEADER                      read control names from a header of #defines
//   start PROGRAM [DIRECTORY [ARGS]] start the program in that directory, with
//                                   ARGS (one word or quoted text) after its name
//   wait-window CAPTION [SECONDS]   the program's top-level window becomes current
//   wait-desktop CAPTION [SECONDS]  a top-level window of any process has this caption
//   click ID                        post a click once the control is enabled and visible
//   select ID TEXT                  pick a list entry by text (selection + notification)
//   key NAME                        F1 RETURN ESCAPE TAB SPACE, to the focused control
//   expect-text ID TEXT             also: expect-checked / -enabled / -visible ID 0|1
//   expect-items ID LIST            entries of a combo or list box
//   expect-selection ID TEXT        text of the selected entry ("" for none)
//   expect-lv-items ID LIST         list view item texts
//   expect-lv-checked ID LIST       list view check states, e.g. "0|1|0"
//   tick-lv ID INDEX                toggle a list view item's check box
//   wait-messagebox [SECONDS]       a message box of the program appears
//   expect-messagebox TEXT [CAPTION]
//   expect-buttons LIST             the box's buttons, e.g. "Yes|No"
//   answer BUTTON                   click the box's button by caption or id name
//   wait-close                      the current window goes away
//   wait-exit [CODE]                the program ends (with that exit code)
//   screenshot FILE                 the whole screen as PNG
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "ControlNames.h"
#include "PngFile.h"
#include "RemoteProgram.h"

namespace kv::walk {
namespace {

constexpr DWORD kPatienceMs = 5000;

std::string Expand(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '{') {
      size_t end = text.find('}', i);
      if (end != std::string::npos) {
        std::string name = text.substr(i + 2, end - i - 2);
        char value[1024] = {};
        GetEnvironmentVariableA(name.c_str(), value, sizeof value);
        out += value;
        i = end;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= line.size() || line[i] == '#') break;
    std::string word;
    if (line[i] == '"') {
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == 'n' || line[i + 1] == '\\')) {
          word += line[i + 1] == 'n' ? '\n' : '\\';
          ++i;
        } else {
          word += line[i];
        }
      }
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') word += line[i++];
    }
    words.push_back(Expand(word));
  }
  return words;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "|" : "") + items[i];
  return out;
}

// Retries `check` until it holds or `limitMs` runs out; `seen` tells what
// was found last.
bool Eventually(const std::function<bool(std::string& seen)>& check, std::string& seen,
                DWORD limitMs = kPatienceMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (check(seen)) return true;
    if (GetTickCount() - start > limitMs) return false;
    Sleep(50);
  }
}

// The time limit a wait names after its `index` words, in seconds; the usual
// patience when it names none. False for a limit that is not a number of
// seconds.
bool TimeLimit(const std::vector<std::string>& w, size_t index, DWORD& limitMs,
               std::string& error) {
  limitMs = kPatienceMs;
  if (w.size() <= index) return true;
  char* end = nullptr;
  long seconds = std::strtol(w[index].c_str(), &end, 10);
  if (w[index].empty() || *end != '\0' || seconds <= 0 || seconds > 3600) {
    error = "time limit \"" + w[index] + "\" is not a number of seconds (1 to 3600)";
    return false;
  }
  limitMs = static_cast<DWORD>(seconds) * 1000;
  return true;
}

bool SaveScreenshot(const std::string& path) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const WindowDc screen = WindowDcOf(nullptr);
  const MemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const GdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bool saved = false;
  if (bitmap) {
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    const auto* bgra = static_cast<const uint8_t*>(bits);
    for (size_t p = 0; p < static_cast<size_t>(width) * height; ++p) {
      rgb[p * 3] = bgra[p * 4 + 2];
      rgb[p * 3 + 1] = bgra[p * 4 + 1];
      rgb[p * 3 + 2] = bgra[p * 4];
    }
    SelectObject(memory.get(), previous);
    saved = WritePng(path, width, height, rgb);
  }
  return saved;
}

UINT KeyByName(const std::string& name) {
  static const std::map<std::string, UINT> keys = {{"F1", VK_F1},
                                                   {"RETURN", VK_RETURN},
                                                   {"ESCAPE", VK_ESCAPE},
                                                   {"TAB", VK_TAB},
                                                   {"SPACE", VK_SPACE}};
  auto found = keys.find(name);
  return found != keys.end() ? found->second : 0;
}

class Walk {
 public:
  // Runs one step; false with `error` set when it failed.
  bool Step(const std::vector<std::string>& w, std::string& error) {
    const std::string& verb = w[0];
    auto need = [&](size_t count) {
      if (w.size() < count + 1) error = verb + " needs " + std::to_string(count) + " argument(s)";
      return w.size() >= count + 1;
    };
    std::string seen;
    DWORD limitMs = kPatienceMs;
    if (verb == "ids") {
      return need(1) && names_.Read(w[1], error);
    }
    if (verb == "start") {
      return need(1) &&
             program_.Start(w[1], w.size() > 2 ? w[2] : "", w.size() > 3 ? w[3] : "", error);
    }
    if (verb == "wait-window") {
      if (!need(1) || !TimeLimit(w, 2, limitMs, error)) return false;
      bool found = Eventually(
          [&](std::string&) { return (window_ = program_.FindWindowByCaption(w[1])) != nullptr; },
          seen, limitMs);
      if (!found) error = "no window captioned \"" + w[1] + "\"";
      return found;
    }
    if (verb == "wait-desktop") {
      if (!need(1) || !TimeLimit(w, 2, limitMs, error)) return false;
      bool found = Eventually(
          [&](std::string&) { return RemoteProgram::FindAnyWindowByCaption(w[1]) != nullptr; },
          seen, limitMs);
      if (!found) error = "no window of any program captioned \"" + w[1] + "\"";
      return found;
    }
    if (verb == "wait-close") {
      HWND closing = window_;
      bool closed = Eventually([&](std::string&) { return !IsWindow(closing); }, seen);
      if (!closed) error = "the window is still open";
      return closed;
    }
    if (verb == "wait-exit") {
      DWORD code = 0;
      if (!program_.WaitForExit(kPatienceMs, code)) {
        error = "the program is still running";
        return false;
      }
      if (w.size() > 1 && code != static_cast<DWORD>(std::atol(w[1].c_str()))) {
        error = "exit code " + std::to_string(code);
        return false;
      }
      return true;
    }
    if (verb == "screenshot") {
      if (!need(1)) return false;
      // A page just shown may not have painted its controls yet: have the
      // window and all its children paint now, and wait until its thread has
      // handled that, so that the picture shows the page whole.
      if (window_ != nullptr && IsWindow(window_)) {
        RedrawWindow(window_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_BLOCK, kPatienceMs, &ignored);
      }
      if (!SaveScreenshot(w[1])) error = "cannot write " + w[1];
      return error.empty();
    }
    if (verb == "wait-messagebox") {
      if (!TimeLimit(w, 1, limitMs, error)) return false;
      bool found =
          Eventually([&](std::string&) { return (box_ = program_.FindMessageBox()) != nullptr; },
                     seen, limitMs);
      if (!found) error = "no message box";
      return found;
    }
    if (verb == "expect-messagebox") {
      if (!need(1)) return false;
      std::string text = RemoteProgram::Text(GetDlgItem(box_, 0xFFFF));
      std::string caption = RemoteProgram::Text(box_);
      if (text != w[1] || (w.size() > 2 && caption != w[2])) {
        error = "message box \"" + text + "\" captioned \"" + caption + "\"";
        return false;
      }
      return true;
    }
    if (verb == "expect-buttons") {
      if (!need(1)) return false;
      std::vector<std::string> names;
      for (const BoxButton& button : RemoteProgram::Buttons(box_)) names.push_back(button.text);
      if (Join(names) != w[1]) error = "buttons " + Join(names);
      return error.empty();
    }
    if (verb == "answer") {
      if (!need(1)) return false;
      int named = 0;
      bool byId = names_.Find(w[1], named);
      for (const BoxButton& button : RemoteProgram::Buttons(box_)) {
        if (byId ? button.id == named : button.text == w[1]) {
          PostMessageW(GetDlgItem(box_, button.id), BM_CLICK, 0, 0);
          HWND answered = box_;
          if (!Eventually([&](std::string&) { return !IsWindow(answered); }, seen)) {
            error = "the message box stays open";
            return false;
          }
          return true;
        }
      }
      error = "no button " + w[1];
      return false;
    }
    if (verb == "key") {
      if (!need(1)) return false;
      UINT key = KeyByName(w[1]);
      if (key == 0) {
        error = "unknown key " + w[1];
        return false;
      }
      GUITHREADINFO thread{};
      thread.cbSize = sizeof thread;
      GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &thread);
      HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : window_;
      PostMessageW(target, WM_KEYDOWN, key, 1);
      // The system adds WM_KEYF1 only for a key typed on the keyboard, not
      // for a posted one; its default handling sends WM_HELP.
      constexpr UINT kKeyF1Message = 0x004D;
      if (key == VK_F1) PostMessageW(target, kKeyF1Message, 0, 0);
      PostMessageW(target, WM_KEYUP, key, 0xC0000001);
      return true;
    }

    // The rest act on one control of the current window.
    if (!need(1)) return false;
    int id = 0;
    if (!names_.Resolve(w[1], id, error)) return false;
    HWND control = RemoteProgram::Control(window_, id);
    if (control == nullptr) {
      error = "no control " + w[1];
      return false;
    }
    if (verb == "click") {
      // A click posted just before may still be on its way (a page still to
      // show, a button still to enable): wait for the state, then click.
      if (!Eventually(
              [&](std::string&) {
                control = RemoteProgram::Control(window_, id);
                return control != nullptr && IsWindowEnabled(control) && IsWindowVisible(control);
              },
              seen)) {
        error = "control " + w[1] + " cannot be clicked (disabled or hidden)";
        return false;
      }
      PostMessageW(control, BM_CLICK, 0, 0);
      return true;
    }
    if (verb == "select") {
      if (!need(2)) return false;
      // A click is posted, so the page it shows may still be filling the
      // list: wait for the entry.
      std::vector<std::string> items;
      Eventually(
          [&](std::string&) {
            items = RemoteProgram::ListItems(control);
            return std::find(items.begin(), items.end(), w[2]) != items.end();
          },
          seen);
      for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] != w[2]) continue;
        char name[16] = {};
        GetClassNameA(control, name, sizeof name);
        bool combo = lstrcmpiA(name, "ComboBox") == 0;
        SendMessageW(control, combo ? CB_SETCURSEL : LB_SETCURSEL, i, 0);
        PostMessageW(GetParent(control), WM_COMMAND,
                     MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        return true;
      }
      error = "no entry \"" + w[2] + "\" in " + Join(items);
      return false;
    }
    if (verb == "tick-lv") {
      if (!need(2)) return false;
      int index = std::atoi(w[2].c_str());
      std::vector<bool> checks = program_.ListViewChecks(control);
      if (index < 0 || index >= static_cast<int>(checks.size()) ||
          !program_.SetListViewCheck(control, index, !checks[index])) {
        error = "cannot tick item " + w[2];
        return false;
      }
      return true;
    }

    std::function<std::string()> read;
    if (verb == "expect-text") {
      read = [&] { return RemoteProgram::Text(control); };
    } else if (verb == "expect-checked") {
      read = [&] {
        return std::to_string(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      };
    } else if (verb == "expect-enabled") {
      read = [&] { return std::to_string(IsWindowEnabled(control) ? 1 : 0); };
    } else if (verb == "expect-visible") {
      read = [&] { return std::to_string(IsWindowVisible(control) ? 1 : 0); };
    } else if (verb == "expect-items") {
      read = [&] { return Join(RemoteProgram::ListItems(control)); };
    } else if (verb == "expect-selection") {
      read = [&] {
        int selected = RemoteProgram::ListSelection(control);
        std::vector<std::string> items = RemoteProgram::ListItems(control);
        return selected >= 0 && selected < static_cast<int>(items.size()) ? items[selected]
                                                                          : std::string();
      };
    } else if (verb == "expect-lv-items") {
      read = [&] { return Join(program_.ListViewItems(control)); };
    } else if (verb == "expect-lv-checked") {
      read = [&] {
        std::vector<std::string> states;
        for (bool checked : program_.ListViewChecks(control)) states.push_back(checked ? "1" : "0");
        return Join(states);
      };
    } else {
      error = "unknown step " + verb;
      return false;
    }
    if (!need(2)) return false;
    bool matched = Eventually(
        [&](std::string& last) {
          last = read();
          return last == w[2];
        },
        seen);
    if (!matched) error = "found \"" + seen + "\"";
    return matched;
  }

 private:
  RemoteProgram program_;
  ControlNames names_;
  HWND window_ = nullptr;
  HWND box_ = nullptr;
};

}  // namespace
}  // namespace kv::walk

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: walk-driver SCRIPT\n");
    return 2;
  }
  std::ifstream script(argv[1]);
  if (!script) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 2;
  }
  kv::walk::Walk walk;
  int passed = 0, failed = 0, number = 0;
  std::string line;
  while (std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> words = kv::walk::Words(line);
    if (words.empty()) continue;
    std::string error;
    if (walk.Step(words, error)) {
      ++passed;
      std::printf("ok   %d: %s\n", number, line.c_str());
    } else {
      ++failed;
      std::printf("FAIL %d: %s: %s\n", number, line.c_str(), error.c_str());
      break;
    }
    std::fflush(stdout);
  }
  std::printf("walk: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
