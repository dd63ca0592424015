#include "common/DeploymentLog.h"

#include <cstdio>

#include "platform/Errors.h"

namespace kv {

DeploymentLog::DeploymentLog(Files& files, Clock& clock, std::string_view program,
                             std::string_view version)
    : files_(files), clock_(clock), programAndVersion_(std::string(program) + " ") {
  programAndVersion_ += version;
}

DeploymentLog::~DeploymentLog() {
  if (file_ != 0) files_.CloseFile(file_);
}

uint32_t DeploymentLog::Open(std::string_view path) {
  if (file_ != 0) files_.CloseFile(file_);
  file_ = 0;
  AppendHandle opened = 0;
  const uint32_t error = files_.OpenForAppending(path, &opened);
  if (error == kErrorSuccess) file_ = opened;
  return error;
}

void DeploymentLog::Write(std::string_view text) {
  if (file_ == 0) return;
  std::string line = FormatLine(clock_.Now(), programAndVersion_, text);
  line += "\r\n";
  // A log that cannot be written to must not stop the run it records.
  files_.AppendToFile(file_, line);
}

std::string DeploymentLog::FormatLine(const LocalTime& time, std::string_view programAndVersion,
                                      std::string_view text) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u",
                static_cast<unsigned>(time.year), static_cast<unsigned>(time.month),
                static_cast<unsigned>(time.day), static_cast<unsigned>(time.hour),
                static_cast<unsigned>(time.minute), static_cast<unsigned>(time.second),
                static_cast<unsigned>(time.milliseconds));
  std::string line = stamp;
  line += '\t';
  line += programAndVersion;
  line += '\t';
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' || text[at] == '\n') {
      // CR LF, a lone LF and a lone CR are each one line break.
      if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
      line += "\\n";
    } else {
      line += text[at];
    }
  }
  return line;
}

}  // namespace kv
