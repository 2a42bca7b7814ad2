// SPDX-License-Identifier: Apache-2.0
#include "batch/SourceSelection.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/TempFolder.h"

namespace marlo {
namespace {

TEST(SourceSelection, TheIgnoreListIsOneStringSearchedForTheTailFromTheFirstDot) {
  const std::string list = ".EXE;.DLL;.HTM;TLB";
  const struct {
    const char* name;
    bool ignored;
  } cases[] = {
      {"setup.exe", true}, {"SETUP.Exe", true}, {"archive.tar.exe", false},
      {"a.h", true},       {"a.ex", true},      {"a.htm", true},
      {"Makefile", false}, {"a.txt", false},    {"x.tlb", false},
      {".exe", true},      {"a.", true},        {"報告.txt", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsIgnoredByList(c.name, list), c.ignored) << c.name;
  EXPECT_TRUE(IsIgnoredByList("a.exe", ".exe"));  // the list is upper-cased too
  EXPECT_FALSE(IsIgnoredByList("a.exe", ""));
}

TEST(SourceSelection, AnAddSkipsIgnoredAndListedFilesAndKeepsTheOrder) {
  const std::vector<std::string> names = {"b.txt", "a.exe", "c", "a.txt", "b.txt"};
  const auto entries = EntriesToAdd("/data", names, ".EXE",
                                    [](const std::string& path) { return path == "/data/a.txt"; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].fullPath, "/data/b.txt");
  EXPECT_EQ(entries[0].fileName, "b.txt");
  EXPECT_EQ(entries[1].fullPath, "/data/c");
  EXPECT_EQ(EntriesToAdd("/", {"a"}, "", [](auto&) { return false; })[0].fullPath, "/a");
}

}  // namespace
}  // namespace marlo
