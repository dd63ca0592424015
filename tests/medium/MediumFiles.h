// Access to the assembled medium from the checks: the medium's root is the
// current directory, as it is for the programs.
#pragma once

#include <string>
#include <vector>

namespace kv::medium {

std::string MediumPath(const std::string& relative);  // root + "\" + relative
bool FileExists(const std::string& path);
std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& text);
// Profile value as the programs read it: default "0".
std::string Profile(const std::string& file, const std::string& section, const std::string& key);
int ProfileNumber(const std::string& file, const std::string& section, const std::string& key);
// "\StringFileInfo\<first translation>\FileVersion", or "" when none.
std::string FileVersion(const std::string& path);
std::string SystemDirectory();
std::string WindowsDirectory();
// Every file below a medium directory, as paths relative to the root.
std::vector<std::string> ListMediumFiles(const std::string& relativeDirectory = "");

}  // namespace kv::medium
