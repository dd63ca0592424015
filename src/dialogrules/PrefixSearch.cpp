#include "dialogrules/PrefixSearch.h"

namespace kv {

int FindPrefix(int count, int after, std::string_view prefix,
               const std::function<std::string_view(int index)>& textAt,
               const std::function<bool(std::string_view, std::string_view)>& equalIgnoringCase) {
  if (count <= 0) return -1;
  int start = after + 1;
  if (start < 0 || start >= count) start = 0;
  for (int n = 0; n < count; ++n) {
    const int index = (start + n) % count;
    const std::string_view text = textAt(index);
    if (text.size() >= prefix.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix)) {
      return index;
    }
  }
  return -1;
}

}  // namespace kv
