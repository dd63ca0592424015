#include "usb/UsbDeviceFile.h"

#include <cstdlib>

namespace kv {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A whole-line number: decimal, or hexadecimal with a 0x prefix.
bool ParseId(const std::string& line, uint16_t* id) {
  const std::string text = Trim(line);
  if (text.empty() || text[0] == ';' || text[0] == '#' || text[0] == '-' || text[0] == '+') {
    return false;
  }
  char* end = nullptr;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const unsigned long value = std::strtoul(text.c_str(), &end, hex ? 16 : 10);
  if (end == text.c_str() || *end != '\0' || value > 0xFFFF) return false;
  *id = static_cast<uint16_t>(value);
  return true;
}

}  // namespace

std::vector<SimulatedUsbPrinter> ParseUsbPrinters(const std::string& text) {
  std::vector<SimulatedUsbPrinter> printers;
  const std::vector<std::string> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size() && printers.size() < kMaxUsbPrinters; ++i) {
    SimulatedUsbPrinter printer;
    if (ParseId(lines[i], &printer.id)) {
      printer.line = i;
      printers.push_back(printer);
    }
  }
  return printers;
}

std::string ReplaceUsbPrinterId(const std::string& text, size_t line, uint16_t id) {
  std::vector<std::string> lines = SplitLines(text);
  if (line < lines.size()) lines[line] = std::to_string(id);
  std::string result;
  for (const std::string& each : lines) result += each + "\r\n";
  return result;
}

}  // namespace kv
