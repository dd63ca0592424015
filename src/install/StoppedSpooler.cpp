#include "install/StoppedSpooler.h"

#include "common/SpoolerService.h"

namespace kv {
namespace {

constexpr uint32_t kReleaseFilesMs = 500;
constexpr uint32_t kBeforeRunningCheckMs = 1000;

uint32_t PauseBetweenStarts(OsFamily family) {
  switch (family) {
    case OsFamily::NT4:
    case OsFamily::Win2000:
      return 1000;
    case OsFamily::WinXP:
    case OsFamily::Server2003:
      return 2500;
    default:
      return 0;
  }
}

}  // namespace

StoppedSpooler::StoppedSpooler(Services& services, Clock& clock, OsFamily family)
    : services_(services), clock_(clock), family_(family) {
  StopSpooler(services_, clock_);
  clock_.Sleep(kReleaseFilesMs);
}

StoppedSpooler::~StoppedSpooler() {
  if (restarted_) return;
  // The failure being reported is the one that brought us here.
  std::string ignored;
  Restart(ignored);
}

bool StoppedSpooler::Restart(std::string& message) {
  restarted_ = true;
  const std::string before = message;
  StartSpooler(services_, message);
  if (uint32_t pause = PauseBetweenStarts(family_)) clock_.Sleep(pause);
  StartSpooler(services_, message);
  clock_.Sleep(kBeforeRunningCheckMs);
  if (!WaitForSpoolerRunning(services_, clock_, message)) {
    StartSpooler(services_, message);
    return false;
  }
  message = before;
  return true;
}

}  // namespace kv
