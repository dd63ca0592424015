// The port monitor stand-ins: one implementation of the spooler's port
// monitor interface, parameterised by the ports a monitor provides. Print
// data sent to a port is appended to "<temp directory>\<port>.prn" so that a
// demonstration or a test can see what the printer would have received.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kv {

// Provided by each monitor DLL.
struct MonitorIdentity {
  const char* monitorName;  // shown as the ports' monitor in PORT_INFO_2
  const char* description;  // shown as the ports' description
};
const MonitorIdentity& ThisMonitor();
// The ports the monitor provides right now; asked again on every enumeration.
std::vector<std::string> ListPorts();

// The capture file of a port: the port name without ':' and other characters
// that file names cannot hold, in the temporary directory.
std::string PortCaptureFile(const std::string& portName);

}  // namespace kv
