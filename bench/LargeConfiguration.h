#pragma once

#include <string>

namespace kv::bench {

// A generated configuration of many receipt models, for timing the readers:
// setup.ini with the device list, USB list, monitors of every family and the
// processor version, and setup_receipt.ini with each model's port section and
// six driver sections of 27 keys.
inline constexpr int kLargeModelCount = 1000;

// "KP-0001" and so on, counted from 1.
std::string LargeModelName(int index);
std::string LargeSetupIni(int modelCount);
std::string LargeModuleFile(int modelCount);

}  // namespace kv::bench
