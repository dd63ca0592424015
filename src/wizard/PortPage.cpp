#include "wizard/PortPage.h"

#include <array>
#include <string_view>

#include "common/SetupStrings.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

constexpr std::array<std::string_view, 10> kBaudRates = {
    "110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"};
constexpr int kBaudRateOtherRow = 7;  // "38400"
constexpr std::array<std::string_view, 4> kByteSizes = {"5", "6", "7", "8"};
constexpr std::array<std::string_view, 5> kParities = {"Even", "Mark", "None", "Odd", "Space"};
constexpr std::array<std::string_view, 3> kStopBits = {"1", "1.5", "2"};
constexpr std::array<std::string_view, 3> kProtocols = {"None", "Xon/Xoff", "Hardware"};

constexpr Color kHintText = Rgb(0, 0, 255);
constexpr Color kHintBackground = Rgb(255, 202, 253);
constexpr int kTooltipWidth = 200;

template <size_t N>
void Fill(Controls& controls, int id, const std::array<std::string_view, N>& entries,
          int selected) {
  for (std::string_view entry : entries) controls.AddItem(id, entry);
  if (selected >= 0) controls.Select(id, selected);
}

}  // namespace

int BaudRateRow(int32_t baudRate) {
  // The table has no row for 38400 itself: every number it lacks maps there.
  constexpr std::array<int32_t, 9> kPresets = {110,  300,   1200,  2400,  4800,
                                               9600, 19200, 57600, 115200};
  constexpr std::array<int, 9> kRows = {0, 1, 2, 3, 4, 5, 6, 8, 9};
  for (size_t i = 0; i < kPresets.size(); ++i) {
    if (kPresets[i] == baudRate) return kRows[i];
  }
  return kBaudRateOtherRow;
}

void PortPage::OnInit(Controls& controls) {
  serial_.byteSize = 8;
  serial_.stopBits = 1.0;
  serial_.parity = 'n';
  serial_.flowControl = 'p';
  Fill(controls, IDC_BAUD_RATE, kBaudRates, -1);
  Fill(controls, IDC_BYTE_SIZE, kByteSizes, 3);
  Fill(controls, IDC_PARITY, kParities, 2);
  Fill(controls, IDC_STOP_BITS, kStopBits, 0);
  Fill(controls, IDC_PROTOCOL, kProtocols, 2);
  controls.SetTooltip(IDC_RASTER, SetupString(134), kTooltipWidth);
  for (int hint : {IDC_USB_HINT_1, IDC_USB_HINT_2, IDC_USB_HINT_3}) {
    controlClasses_.BindColorLabel(controls, hint, kHintText, kHintBackground, 14, "Arial");
  }
  rememberedModel_ = "PRINTER";
  rememberedSetupType_ = SetupType::Typical;
}

void PortPage::PresetBaudRate(Controls& controls, int32_t baudRate) {
  serial_.baudRate = baudRate;
  controls.Select(IDC_BAUD_RATE, BaudRateRow(baudRate));
}

}  // namespace kv
