#include "Check.h"

#include <cstdio>

namespace kv::medium {
namespace {

int passed = 0;
int failed = 0;

}  // namespace

void Check(bool ok, const std::string& what) {
  if (ok) {
    ++passed;
  } else {
    ++failed;
    std::printf("FAIL %s\n", what.c_str());
  }
}

void CheckEqual(const std::string& actual, const std::string& expected, const std::string& what) {
  Check(actual == expected, what + ": got \"" + actual + "\", expected \"" + expected + "\"");
}

void CheckEqual(long actual, long expected, const std::string& what) {
  Check(actual == expected,
        what + ": got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

int Report() {
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 ? 0 : 1;
}

}  // namespace kv::medium
