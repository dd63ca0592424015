#pragma once

#include <array>
#include <string_view>

#include "common/DeploymentTexts.h"
#include "common/SetupStrings.h"
#include "common/UninstallStrings.h"
#include "platform/Desktop.h"

namespace kv {

// The top-level window captions by which the two programs find each other.
inline constexpr std::string_view kSetupCaption = "Printer Driver Setup";
inline constexpr std::string_view kUninstallCaption = "Uninstall";

// The mutexes each program holds while it runs, whatever its file is called,
// and which the other tests: a silent run has no window to be found by.
inline constexpr std::string_view kSetupRunningMutex = "KorvantPrinterDriverSetupRunning";
inline constexpr std::string_view kUninstallRunningMutex = "KorvantPrinterDriverUninstallRunning";

// Where a program's help is: the captions its viewer's window may have, and
// the help files the shell is asked to open in turn until one opens. Empty
// entries are skipped.
struct HelpFiles {
  std::array<std::string_view, 2> viewerCaptions;
  std::array<std::string_view, 2> files;
  int showCommand;
};

// What sets one program apart from the other at start-up and on F1.
struct ProgramIdentity {
  std::string_view caption;       // of its own main window
  std::string_view otherCaption;  // of the other program's main window
  // Shown when the other program's window is open.
  std::string_view otherProgramOpen;
  // The application name when the program cannot read its own file name.
  std::string_view nameWithoutFile;
  HelpFiles help;
  // Its own fixed-name mutex, and the other program's.
  std::string_view runningMutex;
  std::string_view otherRunningMutex;
  // The program's name in the log's lines.
  std::string_view logName;
  TextLookup text;
  // The usage text of /?.
  int usageText;
};

inline constexpr ProgramIdentity kSetupProgram = {
    kSetupCaption,
    kUninstallCaption,
    setup_text::kCloseUninstallFirst,
    "",
    {{"Printer Driver Installer", ""}, {".\\Guide.CHM", ""}, kSwShow},
    kSetupRunningMutex,
    kUninstallRunningMutex,
    "setup",
    SetupString,
    setup_text::kUsage};

inline constexpr ProgramIdentity kUninstallProgram = {
    kUninstallCaption,
    kSetupCaption,
    uninstall_text::kCloseSetupFirst,
    kUninstallCaption,
    {{"Uninstall Help", "Uninstall Help (Chinese)"},
     {".\\Uninstall_EN.CHM", ".\\Uninstall_CN.CHM"},
     kSwShowNormal},
    kUninstallRunningMutex,
    kSetupRunningMutex,
    "uninstall",
    UninstallString,
    uninstall_text::kUsage};

}  // namespace kv
