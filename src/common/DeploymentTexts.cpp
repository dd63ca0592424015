#include "common/DeploymentTexts.h"

namespace kv {

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string result;
  auto value = values.begin();
  for (size_t at = 0; at < text.size();) {
    if (value != values.end() && text[at] == '%' && at + 1 < text.size() &&
        (text[at + 1] == 's' || text[at + 1] == 'd')) {
      result += *value++;
      at += 2;
    } else {
      result += text[at++];
    }
  }
  return result;
}

}  // namespace kv
