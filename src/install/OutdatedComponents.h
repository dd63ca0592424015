#pragma once

#include <cstdint>

namespace kv {

// The installed components found older than the configured ones. The numbers
// are the bits the installation has always kept in its settings record; the
// installation replaces the first one set (serial monitor, USB monitor, print
// processor) and leaves the others to a later run.
enum class OutdatedComponents : uint32_t {
  None = 0,
  SerialMonitor = 1,
  UsbMonitor = 2,
  PrintProcessor = 8,
};

constexpr OutdatedComponents operator|(OutdatedComponents a, OutdatedComponents b) {
  return static_cast<OutdatedComponents>(static_cast<uint32_t>(a) | static_cast<uint32_t>(b));
}

constexpr OutdatedComponents& operator|=(OutdatedComponents& a, OutdatedComponents b) {
  return a = a | b;
}

// True when `set` holds any of `components`.
constexpr bool HasAny(OutdatedComponents set, OutdatedComponents components) {
  return (static_cast<uint32_t>(set) & static_cast<uint32_t>(components)) != 0;
}

}  // namespace kv
