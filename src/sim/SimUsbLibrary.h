#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/SimMachine.h"

namespace kv::sim {

// One uWrite call as the library received it.
struct UsbWriteRecord {
  int slot = -1;  // the device written to; -1 for a handle the library does not know
  int32_t flags = 0;
  int32_t count = 0;
  std::vector<uint8_t> bytes;  // the first `count` bytes of the buffer
};

// The maker's USB interface library "KvUsbInt.dll" with the printers plugged
// into it: eight device slots, each empty or holding a printer with its
// stored ID. Registers itself with the machine's modules on construction and
// unregisters on destruction. Printers obey the set-ID command.
//
// Attaching printers: Attach(id) plugs one into the first free slot, so
// 0, 1 or 2 calls give 0, 1 or 2 printers; AttachAt chooses the slot.
class SimUsbLibrary {
 public:
  explicit SimUsbLibrary(SimModules& modules);
  ~SimUsbLibrary();
  SimUsbLibrary(const SimUsbLibrary&) = delete;
  SimUsbLibrary& operator=(const SimUsbLibrary&) = delete;

  int Attach(uint16_t id);  // the slot used, -1 when all are taken
  void AttachAt(int slot, uint16_t id);
  void Detach(int slot);
  std::optional<uint16_t> PrinterId(int slot) const;

  // The library as shipped without this export (re-registers it).
  void OmitExport(const std::string& name);
  // The library not present at all, or present again.
  void Remove();
  void Restore();

  // What OpenDeviceX answers for an empty slot: 0 or -1.
  void SetNoDeviceHandle(int32_t handle);
  void FailGetDescriptor(bool fail = true);
  // uWrite answers this instead of the count, and sends nothing.
  void ForceWriteResult(std::optional<int32_t> result);

  // Every call with the slot it addressed, e.g. "OpenDeviceX(0)",
  // "CloseDevice(0)", "GetDescriptor(3)", "uWrite(3)"; a handle the library
  // does not know shows as "none".
  const std::vector<std::string>& calls() const;
  const std::vector<UsbWriteRecord>& writes() const;
  // Handles opened and not yet closed.
  size_t OpenHandleCount() const;

 private:
  struct State;
  void Register();

  SimModules& modules_;
  std::shared_ptr<State> state_;
  std::set<std::string> omitted_;
  bool present_ = true;
};

// The maker's USB driver installer, "USBDrv\Install.exe" on the medium.
// Started through the shell with "2" it installs the driver, with "22" it
// removes it; either way it shows its window "ORVA print system setup" for a
// chosen number of the caller's sleeps and does its work as the window
// closes. A driver file it cannot overwrite (read-only, hidden or system)
// makes the installation fail. Takes over the desktop's shell hook.
class SimUsbDriverInstaller {
 public:
  explicit SimUsbDriverInstaller(SimMachine& sim);

  // Puts Install.exe into "<directory>\USBDrv\"; only a placed installer runs.
  void PlaceIn(std::string_view directory);
  // The version of the driver file it installs (default "1.0.0.3").
  void SetDriverVersion(std::string version);
  // How many sleeps of the waiting program the window stays through
  // (default 3); 0 closes it before the first look.
  void SetWindowSleeps(int sleeps);

  // The parameters of every run, in order.
  const std::vector<std::string>& runs() const;
  bool running() const;

 private:
  struct State;
  std::shared_ptr<State> state_;
};

}  // namespace kv::sim
