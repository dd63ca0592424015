#include "common/LoggedDesktop.h"

namespace kv {
namespace {

constexpr uint32_t kMbTypeMask = 0x0F;

}  // namespace

int LoggedDesktop::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                              uint32_t style) {
  namespace t = deployment_text;
  const uint32_t type = style & kMbTypeMask;
  int answer = kIdOk;
  if (!silent_) {
    answer = desktop_.MessageBox(owner, text, caption, style);
  } else if (type != kMbOk) {
    auto given = answers_.find(std::string(text));
    answer = given != answers_.end() ? given->second : type == kMbYesNo ? kIdNo : kIdCancel;
  }
  if (type == kMbOk) {
    log_.Write(FormatText(text_(t::kMessage), {text}));
    return answer;
  }
  const int answerText = answer == kIdYes  ? t::kAnswerYes
                         : answer == kIdNo ? t::kAnswerNo
                         : answer == kIdOk ? t::kAnswerOk
                                           : t::kAnswerCancel;
  log_.Write(FormatText(text_(t::kQuestion), {text, text_(answerText)}));
  return answer;
}

}  // namespace kv
