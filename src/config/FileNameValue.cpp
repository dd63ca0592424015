#include "config/FileNameValue.h"

namespace kv {

bool NamesNoFile(std::string_view fileName) {
  return !fileName.empty() && fileName.front() == '0';
}

}  // namespace kv
