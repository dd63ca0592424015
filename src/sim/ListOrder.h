#pragma once

#include <string_view>

namespace kv::sim {

// The order of a sorted list box or combo box: CompareString with
// NORM_IGNORECASE in the default word sort, for ASCII text. Letters compare
// ignoring case; symbols come before digits and digits before letters;
// hyphens and apostrophes are passed over. <0, 0 or >0.
int CompareListText(std::string_view a, std::string_view b);

}  // namespace kv::sim
