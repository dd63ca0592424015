#pragma once

#include <string_view>

namespace kv {

// Texts of the wizard that have no string number.
inline constexpr std::string_view kAdministratorRequired =
    "You must be logged on the computer as an administrator!";
inline constexpr std::string_view kBackCaption = "<<Back (&B)";
inline constexpr std::string_view kNextCaption = "Next (&N)>>";
inline constexpr std::string_view kInstallCaption = "Install (&I)";
inline constexpr std::string_view kCancelCaption = "Cancel (&C)";
inline constexpr std::string_view kInstallingText = "Installing printer,please wait...... ";

// Files of the medium, relative to the current directory.
inline constexpr std::string_view kLeftBitmapFile = "DRVCONFIG\\Left.bmp";
inline constexpr std::string_view kLicenseFile = "License.txt";

}  // namespace kv
