#include "sim/SimUsbLibrary.h"

#include <map>

#include "sim/PathKey.h"

namespace kv::sim {
namespace {

constexpr char kLibraryName[] = "KvUsbInt.dll";
constexpr int kSlots = 8;
constexpr size_t kDeviceDescriptorSize = 18;
// What the printer's firmware recognises: ESC and the set-ID code, then the ID.
constexpr std::array<uint8_t, 9> kSetIdCommand = {0x1B, 0x6B, 0x51, 0x2A, 0xC6,
                                                  0x0B, 0x3E, 0x58, 0x21};

constexpr char kInstallerCaption[] = "ORVA print system setup";

int32_t IntArg(std::span<const ProcArg> args, size_t at) {
  if (at >= args.size()) return 0;
  const int32_t* value = std::get_if<int32_t>(&args[at]);
  return value ? *value : 0;
}

std::span<uint8_t> BufferArg(std::span<const ProcArg> args, size_t at) {
  if (at >= args.size()) return {};
  const std::span<uint8_t>* buffer = std::get_if<std::span<uint8_t>>(&args[at]);
  return buffer ? *buffer : std::span<uint8_t>();
}

// Windows reads "C:\\USBDrv" as "C:\USBDrv" (a path built from the root
// directory doubles the backslash); a UNC path keeps its leading pair.
std::string CollapsedPath(std::string_view path) {
  std::string collapsed;
  for (size_t at = 0; at < path.size(); ++at) {
    if (at > 1 && path[at] == '\\' && collapsed.back() == '\\') continue;
    collapsed.push_back(path[at]);
  }
  return collapsed;
}

}  // namespace

struct SimUsbLibrary::State {
  std::array<std::optional<uint16_t>, kSlots> slots;
  std::map<int32_t, int> openHandles;  // handle -> slot
  int32_t nextHandle = 0x120;
  int32_t noDeviceHandle = -1;
  bool failDescriptor = false;
  std::optional<int32_t> forcedWriteResult;
  std::vector<std::string> calls;
  std::vector<UsbWriteRecord> writes;

  // The slot of an open handle whose printer is still attached, or -1.
  int SlotOf(int32_t handle) const {
    auto it = openHandles.find(handle);
    if (it == openHandles.end() || !slots[it->second]) return -1;
    return it->second;
  }
  void Log(const char* function, int slot) {
    calls.push_back(std::string(function) + "(" +
                    (slot < 0 ? std::string("none") : std::to_string(slot)) + ")");
  }

  int32_t OpenDevice(std::span<const ProcArg> args) {
    int32_t index = IntArg(args, 0);
    calls.push_back("OpenDeviceX(" + std::to_string(index) + ")");
    if (index < 0 || index >= kSlots || !slots[index]) return noDeviceHandle;
    int32_t handle = nextHandle;
    nextHandle += 4;
    openHandles[handle] = index;
    return handle;
  }

  int32_t CloseDevice(std::span<const ProcArg> args) {
    int32_t handle = IntArg(args, 0);
    auto it = openHandles.find(handle);
    Log("CloseDevice", it == openHandles.end() ? -1 : it->second);
    if (it != openHandles.end()) openHandles.erase(it);
    return 1;
  }

  int32_t GetDescriptor(std::span<const ProcArg> args) {
    int slot = SlotOf(IntArg(args, 0));
    Log("GetDescriptor", slot);
    std::span<uint8_t> buffer = BufferArg(args, 1);
    if (slot < 0 || failDescriptor || buffer.size() < kDeviceDescriptorSize) return 0;
    uint16_t id = *slots[slot];
    const uint8_t descriptor[kDeviceDescriptorSize] = {
        0x12,
        0x01,  // length, device descriptor
        0x10,
        0x01,  // USB 1.1
        0x00,
        0x00,
        0x00,
        0x40,  // class in interface, 64 bytes
        0x56,
        0x4B,
        0x01,
        0x00,  // vendor, product
        static_cast<uint8_t>(id & 0xff),
        static_cast<uint8_t>(id >> 8),  // device release
        0x01,
        0x02,
        0x00,
        0x01};  // strings, one configuration
    std::copy(std::begin(descriptor), std::end(descriptor), buffer.begin());
    return 1;
  }

  int32_t Write(std::span<const ProcArg> args) {
    int slot = SlotOf(IntArg(args, 0));
    Log("uWrite", slot);
    std::span<uint8_t> buffer = BufferArg(args, 2);
    int32_t count = IntArg(args, 3);
    UsbWriteRecord record{slot, IntArg(args, 1), count, {}};
    if (count > 0 && static_cast<size_t>(count) <= buffer.size()) {
      record.bytes.assign(buffer.begin(), buffer.begin() + count);
    }
    writes.push_back(record);
    if (forcedWriteResult) return *forcedWriteResult;
    // A count beyond the buffer would read foreign memory: refuse it.
    if (slot < 0 || count <= 0 || static_cast<size_t>(count) > buffer.size()) return 0;
    const auto& bytes = record.bytes;
    if (bytes.size() == kSetIdCommand.size() + 1 &&
        std::equal(kSetIdCommand.begin(), kSetIdCommand.end(), bytes.begin())) {
      slots[slot] = bytes.back();
    }
    return count;
  }
};

SimUsbLibrary::SimUsbLibrary(SimModules& modules)
    : modules_(modules), state_(std::make_shared<State>()) {
  Register();
}

SimUsbLibrary::~SimUsbLibrary() {
  modules_.RemoveLibrary(kLibraryName);
}

void SimUsbLibrary::Register() {
  if (!present_) return;
  SimLibrary& library = modules_.AddLibrary(kLibraryName);
  // The exports hold the state, not this object, so a library still loaded
  // by the code under test never reaches a destroyed simulation.
  auto state = state_;
  std::map<std::string, SimProc> exports = {
      {"OpenDeviceX", [state](std::span<const ProcArg> a) { return state->OpenDevice(a); }},
      {"CloseDevice", [state](std::span<const ProcArg> a) { return state->CloseDevice(a); }},
      {"GetDescriptor", [state](std::span<const ProcArg> a) { return state->GetDescriptor(a); }},
      {"uWrite", [state](std::span<const ProcArg> a) { return state->Write(a); }},
  };
  for (auto& [name, proc] : exports) {
    if (!omitted_.count(name)) library.exports[name] = std::move(proc);
  }
}

int SimUsbLibrary::Attach(uint16_t id) {
  for (int slot = 0; slot < kSlots; ++slot) {
    if (!state_->slots[slot]) {
      state_->slots[slot] = id;
      return slot;
    }
  }
  return -1;
}

void SimUsbLibrary::AttachAt(int slot, uint16_t id) {
  if (slot >= 0 && slot < kSlots) state_->slots[slot] = id;
}

void SimUsbLibrary::Detach(int slot) {
  if (slot >= 0 && slot < kSlots) state_->slots[slot].reset();
}

std::optional<uint16_t> SimUsbLibrary::PrinterId(int slot) const {
  if (slot < 0 || slot >= kSlots) return std::nullopt;
  return state_->slots[slot];
}

void SimUsbLibrary::OmitExport(const std::string& name) {
  omitted_.insert(name);
  Register();
}

void SimUsbLibrary::Remove() {
  present_ = false;
  modules_.RemoveLibrary(kLibraryName);
}

void SimUsbLibrary::Restore() {
  present_ = true;
  Register();
}

void SimUsbLibrary::SetNoDeviceHandle(int32_t handle) {
  state_->noDeviceHandle = handle;
}

void SimUsbLibrary::FailGetDescriptor(bool fail) {
  state_->failDescriptor = fail;
}

void SimUsbLibrary::ForceWriteResult(std::optional<int32_t> result) {
  state_->forcedWriteResult = result;
}

const std::vector<std::string>& SimUsbLibrary::calls() const {
  return state_->calls;
}

const std::vector<UsbWriteRecord>& SimUsbLibrary::writes() const {
  return state_->writes;
}

size_t SimUsbLibrary::OpenHandleCount() const {
  return state_->openHandles.size();
}

struct SimUsbDriverInstaller::State {
  State(SimFiles& files, SimDesktop& desktop) : files(files), desktop(desktop) {}

  SimFiles& files;
  SimDesktop& desktop;
  std::set<std::string> placed;  // path keys of the placed Install.exe files
  std::string driverVersion = "1.0.0.3";
  int windowSleeps = 3;
  std::vector<std::string> runs;
  std::optional<std::string> running;  // the parameters of the run in progress
  int sleepsLeft = 0;

  std::string DriverPath() const { return files.systemDirectory() + "\\drivers\\bulkusb.sys"; }
  std::string InfPath() const { return files.windowsDirectory() + "\\inf\\bulkusb.inf"; }

  void Start(const ShellStart& start) {
    std::string file = CollapsedPath(start.file);
    if (running || !placed.count(PathKey(file)) || !files.Exists(file)) return;
    runs.push_back(start.parameters);
    running = start.parameters;
    desktop.AddWindow(kInstallerCaption);
    sleepsLeft = windowSleeps;
    if (sleepsLeft <= 0) Finish();
  }

  void AfterSleep() {
    if (running && --sleepsLeft <= 0) Finish();
  }

  void Finish() {
    if (*running == "2") {
      Install();
    } else if (*running == "22") {
      files.DeleteFile(DriverPath());
      files.DeleteFile(InfPath());
    }
    running.reset();
    desktop.RemoveWindow(kInstallerCaption);
  }

  void Install() {
    constexpr uint32_t kProtected =
        kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;
    for (const std::string& path : {DriverPath(), InfPath()}) {
      const SimFile* existing = files.Find(path);
      if (existing && (existing->attributes & kProtected)) return;
    }
    files.AddVersionedFile(DriverPath(), driverVersion);
    files.AddFile(InfPath(), "[Version]\r\n");
  }
};

SimUsbDriverInstaller::SimUsbDriverInstaller(SimMachine& sim)
    : state_(std::make_shared<State>(sim.files(), sim.desktop())) {
  auto state = state_;
  sim.desktop().OnShellExecute([state](const ShellStart& start) { state->Start(start); });
  sim.clock().OnSleep([state](uint64_t) { state->AfterSleep(); });
}

void SimUsbDriverInstaller::PlaceIn(std::string_view directory) {
  std::string path = std::string(directory) + "\\USBDrv\\Install.exe";
  state_->files.AddFile(path, "MZ");
  state_->placed.insert(PathKey(path));
}

void SimUsbDriverInstaller::SetDriverVersion(std::string version) {
  state_->driverVersion = std::move(version);
}

void SimUsbDriverInstaller::SetWindowSleeps(int sleeps) {
  state_->windowSleeps = sleeps;
}

const std::vector<std::string>& SimUsbDriverInstaller::runs() const {
  return state_->runs;
}

bool SimUsbDriverInstaller::running() const {
  return state_->running.has_value();
}

}  // namespace kv::sim
