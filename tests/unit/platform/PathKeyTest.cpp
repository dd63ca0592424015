#include "sim/PathKey.h"

#include <gtest/gtest.h>

namespace kv::sim {
namespace {

TEST(PathKeyTest, FullPathsResolveAsWindowsResolvesThem) {
  struct Case {
    const char* path;
    const char* current;
    const char* full;
  };
  const Case cases[] = {
      {"D:\\", "C:\\work", "D:\\"},
      {"D:\\\\winnt\\kv.inf", "C:\\work", "D:\\winnt\\kv.inf"},  // a medium at the root
      {"C:\\a\\\\\\b\\\\", "C:\\", "C:\\a\\b"},
      {"C:/a/b", "C:\\", "C:\\a\\b"},
      {"name.ini", "E:\\disk", "E:\\disk\\name.ini"},
      {"sub\\..\\.\\name.ini", "E:\\disk", "E:\\disk\\name.ini"},
      {"..\\..\\..\\x", "E:\\disk\\sub", "E:\\x"},  // never above the root
      {"\\winnt\\x", "E:\\disk", "E:\\winnt\\x"},
      {"e:sub", "E:\\disk", "e:\\disk\\sub"},  // the current directory of its drive
      {"C:sub", "E:\\disk", "C:\\sub"},
      {"\\\\server\\share\\\\x", "C:\\", "\\\\server\\share\\x"},
      {".", "C:\\work", "C:\\work"},
      {"..", "C:\\work", "C:\\"},
      // Full already, or nearly: only a full path comes out unchanged.
      {"c:\\Medium\\win98\\KV.DLL", "D:\\", "c:\\Medium\\win98\\KV.DLL"},
      {"C:\\a\\", "D:\\", "C:\\a"},
      {"C:\\a\\.", "D:\\", "C:\\a"},
      {"C:\\a\\..", "D:\\", "C:\\"},
      {"C:\\a/b", "D:\\", "C:\\a\\b"},
      {"C:\\...\\.x", "D:\\", "C:\\...\\.x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FullPath(c.path, c.current), c.full) << c.path << " in " << c.current;
  }
}

TEST(PathKeyTest, ParentOfARootFileIsTheRoot) {
  EXPECT_EQ(ParentPath("C:\\a.txt"), "C:\\");
  EXPECT_EQ(ParentPath("C:\\a\\b.txt"), "C:\\a");
  EXPECT_EQ(ParentPath("b.txt"), "");
}

}  // namespace
}  // namespace kv::sim
