#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/PlatformHandles.h"
#include "platform/Clock.h"
#include "platform/Files.h"

namespace kv {

// The log a run appends to when one is asked for (/LOG=file), one line per
// event:
//   YYYY-MM-DD HH:MM:SS.mmm<TAB>program version<TAB>text<CR><LF>
// in local time, the program "setup" or "uninstall" and its file version.
// Line breaks inside a text are written as the two characters \n. The file is
// opened for appending and every line goes out in one write, so that lines of
// the worker and of the user-interface thread never mix, and a fleet may
// collect one file per machine. A log that was not asked for (never opened)
// keeps nothing; so does one whose file refuses a write.
class DeploymentLog {
 public:
  // `program` and `version` make the line's second field.
  DeploymentLog(Files& files, Clock& clock, std::string_view program, std::string_view version);
  DeploymentLog(const DeploymentLog&) = delete;
  DeploymentLog& operator=(const DeploymentLog&) = delete;

  // Opens the file for appending (created when missing). The Windows error.
  uint32_t Open(std::string_view path);
  bool active() const { return file_.valid(); }

  void Write(std::string_view text);

  // One whole line as Write puts it in the file, without its line end.
  static std::string FormatLine(const LocalTime& time, std::string_view programAndVersion,
                                std::string_view text);

 private:
  Files& files_;
  Clock& clock_;
  std::string programAndVersion_;
  OwnedAppendFile file_;
};

}  // namespace kv
