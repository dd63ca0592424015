// A minimal check harness for the medium's stand-ins under Wine: every check
// is counted, failures are printed with what was expected, and the program
// ends with "N passed, M failed".
#pragma once

#include <string>

namespace kv::medium {

void Check(bool ok, const std::string& what);
void CheckEqual(const std::string& actual, const std::string& expected, const std::string& what);
void CheckEqual(long actual, long expected, const std::string& what);
int Report();  // prints the summary; returns the process exit code

}  // namespace kv::medium
