#pragma once

#include <array>
#include <string_view>

#include "common/SetupStrings.h"
#include "common/UninstallStrings.h"
#include "platform/Desktop.h"

namespace kv {

// The top-level window captions by which the two programs find each other.
inline constexpr std::string_view kSetupCaption = "Printer Driver Setup";
inline constexpr std::string_view kUninstallCaption = "Uninstall";

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
};

inline constexpr ProgramIdentity kSetupProgram = {
    kSetupCaption,
    kUninstallCaption,
    setup_text::kCloseUninstallFirst,
    "",
    {{"Printer Driver Installer", ""}, {".\\Guide.CHM", ""}, kSwShow}};

inline constexpr ProgramIdentity kUninstallProgram = {
    kUninstallCaption,
    kSetupCaption,
    uninstall_text::kCloseSetupFirst,
    kUninstallCaption,
    {{"Uninstall Help", "Uninstall Help (Chinese)"},
     {".\\Uninstall_EN.CHM", ".\\Uninstall_CN.CHM"},
     kSwShowNormal}};

}  // namespace kv
