#include "wizard/AnswerFile.h"

#include <array>
#include <map>

#include "common/AsciiCase.h"
#include "common/DeploymentTexts.h"
#include "common/SetupStrings.h"
#include "config/PortOption.h"
#include "config/ProfileFile.h"
#include "platform/Errors.h"
#include "wizard/InstallCommand.h"
#include "wizard/ModelOptions.h"
#include "wizard/ModulePage.h"
#include "wizard/PortList.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

constexpr std::string_view kAcceptLicence = "AcceptLicence";
constexpr std::string_view kModel = "Model";
constexpr std::string_view kDefault = "Default";
constexpr std::string_view kSetupType = "SetupType";
constexpr std::string_view kWindows = "Windows";
constexpr std::string_view kPort = "Port";
constexpr std::string_view kDriver = "Driver";
constexpr std::string_view kRewriteUsbId = "RewriteUsbId";
constexpr std::string_view kUsbDriver = "UsbDriver";
constexpr std::string_view kDuplicate = "Duplicate";

// The serial keys and the port page's list each stands for.
struct SerialKey {
  std::string_view key;
  int list;
};
constexpr std::array<SerialKey, 5> kSerialKeys = {{{"BaudRate", IDC_BAUD_RATE},
                                                   {"DataBits", IDC_BYTE_SIZE},
                                                   {"Parity", IDC_PARITY},
                                                   {"StopBits", IDC_STOP_BITS},
                                                   {"FlowControl", IDC_PROTOCOL}}};

constexpr std::array<std::string_view, 10> kOtherKeys = {
    kAcceptLicence, kModel,  kDefault,      kSetupType, kWindows,
    kPort,          kDriver, kRewriteUsbId, kUsbDriver, kDuplicate};

constexpr std::array<OsFamily, 6> kFamilies = {OsFamily::Win98,      OsFamily::NT4,
                                               OsFamily::Win2000,    OsFamily::WinXP,
                                               OsFamily::Server2003, OsFamily::Vista};

bool IsKnownKey(std::string_view name) {
  for (std::string_view key : kOtherKeys) {
    if (EqualsIgnoringAsciiCase(key, name)) return true;
  }
  for (const SerialKey& serial : kSerialKeys) {
    if (EqualsIgnoringAsciiCase(serial.key, name)) return true;
  }
  return false;
}

std::string Join(const std::vector<std::string_view>& texts) {
  std::string joined;
  for (std::string_view text : texts) {
    if (!joined.empty()) joined += ", ";
    joined += text;
  }
  return joined;
}

// The answers by key, read as the profile functions read them.
class Answers {
 public:
  explicit Answers(const ProfileFile& file) : file_(file) {}

  std::optional<std::string> Get(std::string_view key) const {
    return file_.Value(kAnswerSection, key, kValueChars);
  }

 private:
  static constexpr uint32_t kValueChars = 261;
  const ProfileFile& file_;
};

// The decisions in the order the wizard makes them; the first refusal ends.
class Resolver {
 public:
  Resolver(Machine& machine, const SetupConfiguration& configuration, const Answers& answers)
      : machine_(machine), configuration_(configuration), answers_(answers) {}

  AnswerFileReading Resolve() {
    AnswerFileReading reading;
    if (Licence() && ModelChoice() && DefaultChoice() && SetupTypeChoice() && WindowsChoice() &&
        PortChoice() && DriverChoice() && SerialChoices() && UsbChoices() && DuplicateChoice()) {
      reading.choices = choices_;
    } else {
      reading.refusal = refusal_;
    }
    return reading;
  }

 private:
  bool Refuse(std::string reason) {
    refusal_ = std::move(reason);
    return false;
  }
  bool Refuse(int text, std::initializer_list<std::string_view> values) {
    return Refuse(FormatText(SetupString(text), values));
  }

  // One of `allowed` (case ignored), as the page writes it; the default when
  // the key is missing.
  bool OneOf(std::string_view key, const std::vector<std::string_view>& allowed,
             std::string_view defaultValue, std::string* chosen) {
    const std::optional<std::string> value = answers_.Get(key);
    if (!value) {
      *chosen = defaultValue;
      return true;
    }
    for (std::string_view text : allowed) {
      if (EqualsIgnoringAsciiCase(text, *value)) {
        *chosen = text;
        return true;
      }
    }
    return Refuse(setup_text::kAnswerNotOneOf, {key, *value, Join(allowed)});
  }

  bool Licence() {
    const std::optional<std::string> value = answers_.Get(kAcceptLicence);
    if (!value) return Refuse(setup_text::kAnswerMissing, {kAcceptLicence});
    if (!EqualsIgnoringAsciiCase(*value, "yes"))
      return Refuse(setup_text::kAnswerLicenceNotAccepted, {*value});
    return true;
  }

  bool ModelChoice() {
    const std::optional<std::string> value = answers_.Get(kModel);
    if (!value) return Refuse(setup_text::kAnswerMissing, {kModel});
    const std::optional<ListedModel> model = FindListedModel(configuration_, *value);
    if (!model) return Refuse(setup_text::kAnswerModelNotListed, {*value});
    choices_.selections.printerName = TakenModelName(model->name);
    choices_.selections.moduleIndex = static_cast<int32_t>(model->module);
    choices_.selections.moduleConfigurationPath = configuration_.ModuleFilePath(model->module);
    return true;
  }

  PrinterModule module() const {
    return static_cast<PrinterModule>(choices_.selections.moduleIndex);
  }
  const std::string& model() const { return choices_.selections.printerName; }

  bool DefaultChoice() {
    std::string chosen;
    if (!OneOf(kDefault, {"0", "1"}, "0", &chosen)) return false;
    choices_.selections.makeDefault = chosen == "1" ? 1 : 0;
    return true;
  }

  bool SetupTypeChoice() {
    std::string chosen;
    if (!OneOf(kSetupType, {"Typical", "Advanced"}, "Typical", &chosen)) return false;
    const bool advanced = chosen == "Advanced";
    if (advanced && !AdvancedSetupAllowed(configuration_, module(), model())) {
      return Refuse(setup_text::kAnswerTypicalOnly, {model()});
    }
    choices_.selections.setupType = advanced ? SetupType::Advanced : SetupType::Typical;
    return true;
  }

  bool WindowsChoice() {
    std::vector<std::string_view> names = {"auto"};
    for (OsFamily family : kFamilies) names.push_back(FamilyAnswerName(family));
    std::string chosen;
    if (!OneOf(kWindows, names, "auto", &chosen)) return false;
    const OsPreset preset = PresetForVersion(RunningVersion(machine_.system));
    choices_.preset = preset;
    const std::string offered(FamilyAnswerName(preset.family));
    if (chosen == "auto") {
      if (preset.checkedButton == 0) return Refuse(setup_text::kAnswerNoWindowsPreset, {offered});
    } else if (chosen != offered) {
      return Refuse(setup_text::kAnswerWindowsNotOffered, {chosen, offered});
    }
    choices_.selections.osFamily = preset.family;
    const int refusal = FamilyRefusal(configuration_, module(), model(), preset.family);
    if (refusal != 0)
      return Refuse(setup_text::kAnswerWindowsRefused, {chosen, SetupString(refusal)});
    return true;
  }

  bool PortChoice() {
    const std::optional<std::string> value = answers_.Get(kPort);
    if (!value) return Refuse(setup_text::kAnswerMissing, {kPort});
    const SetupType type = choices_.selections.setupType;
    const bool usbSupported =
        ReadPortOption(configuration_, module(), model(), PortOption::UsbSupported) != 0;
    const std::vector<std::string> entries =
        PortEntries(model(), choices_.selections.osFamily, usbSupported, type);
    std::vector<std::string_view> listed(entries.begin(), entries.end());
    std::optional<std::string_view> port;
    for (std::string_view entry : listed) {
      const bool typicalUsb = type == SetupType::Typical &&
                              EqualsIgnoringAsciiCase(*value, "USB") &&
                              entry.find("USB") != std::string_view::npos;
      if (EqualsIgnoringAsciiCase(entry, *value) || typicalUsb) {
        port = entry;
        break;
      }
    }
    if (!port) return Refuse(setup_text::kAnswerPortNotListed, {*value, Join(listed)});
    choices_.port.portName = *port;
    InstallSettings described(machine_);
    if (!DescribeInstallation(choices_.selections, choices_.port, described)) {
      return Refuse(setup_text::kAnswerPortRefused,
                    {*value, SetupString(setup_text::kPortNotSupported)});
    }
    return true;
  }

  bool DriverChoice() {
    const int32_t preset = PresetRaster(choices_.port.portName);
    std::string chosen;
    if (!OneOf(kDriver, {"Standard", "Raster"}, preset != 0 ? "Raster" : "Standard", &chosen)) {
      return false;
    }
    const int32_t raster = chosen == "Raster" ? 1 : 0;
    if (raster != preset &&
        !RasterChoosable(choices_.port.portName, choices_.selections.setupType)) {
      return Refuse(setup_text::kAnswerDriverNotAllowed,
                    {chosen, preset != 0 ? "Raster" : "Standard"});
    }
    choices_.port.raster = raster;
    return true;
  }

  bool SerialChoices() {
    SerialLineSettings serial = kPortPageSerialDefaults;
    serial.baudRate =
        PresetBaudValue(ReadPortOption(configuration_, module(), model(), PortOption::BaudRate));
    const bool serialPort = PresetRaster(choices_.port.portName) == 0;
    for (const SerialKey& key : kSerialKeys) {
      const std::optional<std::string> value = answers_.Get(key.key);
      if (!value) continue;
      if (!serialPort) {
        return Refuse(setup_text::kAnswerSerialOnly, {key.key, *value, choices_.port.portName});
      }
      std::string chosen;
      if (!OneOf(key.key, SerialListTexts(key.list), "", &chosen)) return false;
      ApplySerialListText(key.list, chosen, serial);
    }
    choices_.port.serial = serial;
    return true;
  }

  bool UsbChoices() {
    const bool usbPort = choices_.port.portName.find("USB_") != std::string::npos;
    for (std::string_view key : {kRewriteUsbId, kUsbDriver}) {
      const std::optional<std::string> value = answers_.Get(key);
      if (value && !usbPort) {
        return Refuse(setup_text::kAnswerUsbOnly, {key, *value, choices_.port.portName});
      }
    }
    std::string rewrite;
    std::string driver;
    if (!OneOf(kRewriteUsbId, {"yes", "no"}, "no", &rewrite) ||
        !OneOf(kUsbDriver, {"install", "skip"}, "install", &driver)) {
      return false;
    }
    choices_.rewriteUsbId = rewrite == "yes";
    choices_.installUsbDriver = driver == "install";
    return true;
  }

  bool DuplicateChoice() {
    std::string chosen;
    if (!OneOf(kDuplicate, {"Skip", "Add"}, "Skip", &chosen)) return false;
    choices_.addDuplicate = chosen == "Add";
    return true;
  }

  Machine& machine_;
  const SetupConfiguration& configuration_;
  const Answers& answers_;
  UnattendedChoices choices_;
  std::string refusal_;
};

// The list text that gives exactly `serial`'s value of that list, if any:
// the page's untouched defaults (the lower-case parity, a preset baud rate the
// list lacks) have none and are left to the reader's own defaults.
std::optional<std::string_view> SerialText(int list, const SerialLineSettings& serial) {
  for (std::string_view text : SerialListTexts(list)) {
    SerialLineSettings chosen = serial;
    ApplySerialListText(list, text, chosen);
    if (chosen.baudRate == serial.baudRate && chosen.byteSize == serial.byteSize &&
        chosen.stopBits == serial.stopBits && chosen.parity == serial.parity &&
        chosen.flowControl == serial.flowControl) {
      return text;
    }
  }
  return std::nullopt;
}

}  // namespace

AnswerFileReading ReadAnswerFile(Machine& machine, const SetupConfiguration& configuration,
                                 std::string_view path) {
  ProfileFile file;
  const uint32_t error = file.Load(machine.files, path);
  if (error != kErrorSuccess) {
    return {std::nullopt, FormatText(SetupString(setup_text::kAnswerFileUnreadable),
                                     {path, std::to_string(error)})};
  }
  const std::vector<std::string> names = file.KeyNames(kAnswerSection);
  if (names.empty()) {
    return {std::nullopt, FormatText(SetupString(setup_text::kAnswerFileNoSection), {path})};
  }
  const Answers answers(file);
  for (const std::string& name : names) {
    if (!name.empty() && name[0] == ';') continue;
    if (!IsKnownKey(name)) {
      return {std::nullopt, FormatText(SetupString(setup_text::kAnswerUnknownKey), {name})};
    }
    if (!answers.Get(name)) {
      return {std::nullopt, FormatText(SetupString(setup_text::kAnswerLineWithoutValue), {name})};
    }
  }
  return Resolver(machine, configuration, answers).Resolve();
}

std::string FullPathIn(std::string folder, std::string_view path) {
  const bool full = (path.size() >= 2 && path[1] == ':') ||
                    (!path.empty() && (path[0] == '\\' || path[0] == '/'));
  if (full || folder.empty()) return std::string(path);
  if (folder.back() != '\\') folder += '\\';
  return folder + std::string(path);
}

std::string FullAnswerPath(Files& files, std::string_view path) {
  std::string current;
  if (files.GetCurrentDirectory(&current) != kErrorSuccess) current.clear();
  return FullPathIn(std::move(current), path);
}

uint32_t WriteAnswerFile(Machine& machine, std::string_view path, const RecordedInstall& install) {
  const std::string file = FullAnswerPath(machine.files, path);
  machine.files.DeleteFile(file);
  const WizardSelections& s = install.selections;
  const PortValues& port = install.port;
  std::vector<std::pair<std::string_view, std::string>> lines = {
      {kAcceptLicence, "yes"},
      {kModel, s.printerName},
      {kDefault, s.makeDefault != 0 ? "1" : "0"},
      {kSetupType, s.setupType == SetupType::Advanced ? "Advanced" : "Typical"},
      {kWindows, install.windowsPresetKept ? "auto" : std::string(FamilyAnswerName(s.osFamily))},
      {kPort, port.portName},
      {kDriver, port.raster != 0 ? "Raster" : "Standard"}};
  if (PresetRaster(port.portName) == 0) {
    for (const SerialKey& key : kSerialKeys) {
      if (std::optional<std::string_view> text = SerialText(key.list, port.serial)) {
        lines.emplace_back(key.key, std::string(*text));
      }
    }
  }
  if (port.portName.find("USB_") != std::string::npos) {
    lines.emplace_back(kRewriteUsbId, install.usbIdRewriteAccepted ? "yes" : "no");
    lines.emplace_back(kUsbDriver, "install");
  }
  lines.emplace_back(kDuplicate, install.duplicate ? "Add" : "Skip");
  for (const auto& [key, value] : lines) {
    const uint32_t error = machine.profiles.WritePrivateString(kAnswerSection, key, value, file);
    if (error != kErrorSuccess) return error;
  }
  return kErrorSuccess;
}

}  // namespace kv
