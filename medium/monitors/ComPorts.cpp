// The serial port monitor: the maker's own serial ports KVCOM1: to KVCOM8:.
#include "monitors/PortMonitor.h"

namespace kv {

const MonitorIdentity& ThisMonitor() {
  static const MonitorIdentity identity = {"Korvant COM Monitor", "Korvant serial port"};
  return identity;
}

std::vector<std::string> ListPorts() {
  std::vector<std::string> ports;
  for (char digit = '1'; digit <= '8'; ++digit) ports.push_back(std::string("KVCOM") + digit + ":");
  return ports;
}

}  // namespace kv
