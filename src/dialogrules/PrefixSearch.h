#pragma once

#include <functional>
#include <string_view>

namespace kv {

// The search of CB_FINDSTRING and LB_FINDSTRING over a list of `count`
// entries: the first entry after `after` whose text begins with `prefix`,
// wrapping round to the start and ending with `after` itself; an `after` out
// of range (-1) searches from the start. `textAt(index)` gives an entry's
// text, `equalIgnoringCase` compares two texts of the same length as the list
// does. -1 when none matches.
int FindPrefix(int count, int after, std::string_view prefix,
               const std::function<std::string_view(int index)>& textAt,
               const std::function<bool(std::string_view, std::string_view)>& equalIgnoringCase);

}  // namespace kv
