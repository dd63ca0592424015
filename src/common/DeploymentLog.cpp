#include "common/DeploymentLog.h"

#include <cstdio>

namespace kv {

DeploymentLog::DeploymentLog(Files& files, Clock& clock, std::string_view program,
                             std::string_view version)
    : files_(files),
      clock_(clock),
      programAndVersion_(std::string(program) + " "),
      file_(AppendFileTraits{&files}) {
  programAndVersion_ += version;
}

uint32_t DeploymentLog::Open(std::string_view path) {
  // The handle held is closed first; a failed open leaves none.
  return files_.OpenForAppending(path, file_.receive());
}

void DeploymentLog::Write(std::string_view text) {
  if (!file_.valid()) return;
  std::string line = FormatLine(clock_.Now(), programAndVersion_, text);
  line += "\r\n";
  // A log that cannot be written to must not stop the run it records.
  files_.AppendToFile(file_.get(), line);
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
