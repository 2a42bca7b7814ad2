// SPDX-License-Identifier: Apache-2.0
#include "batch/SourceSelection.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

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

// marlo-convert's walks: whole extensions, so the default list (which holds
// ".CAB", ".DLL", ".EXE", "TLB") drops no source file whose extension is a
// part of one of them.
TEST(SourceSelection, AWalkIgnoresWholeExtensionsOnly) {
  const IgnoreList list(std::string(kDefaultIgnoreFileTypes) + ", .gz ;;.",
                        IgnoreList::Rule::kWholeExtension);
  const struct {
    const char* name;
    bool ignored;
  } cases[] = {
      {"main.c", false},   {"notes.t", false},  {"readme.d", false}, {"page.p", false},
      {"x.r", false},      {"run.m", false},    {"a.ex", false},     {"a.e", false},
      {"util.h", false},   {"a.", false},       {".exe", false},     {"Makefile", false},
      {"setup.exe", true}, {"SETUP.Exe", true}, {"x.tlb", true},     {"a.b.dll", true},
      {"x.tar.gz", true},  {"exe.txt", false},  {"報告.Jpeg", true}, {"a.cab.txt", false},
  };
  for (const auto& c : cases) EXPECT_EQ(list.Ignores(c.name), c.ignored) << c.name;
  // The window's rule, through the same class, is the substring one.
  EXPECT_TRUE(IgnoreList(kDefaultIgnoreFileTypes, IgnoreList::Rule::kSubstring).Ignores("main.c"));
}

// A walk counts what it left out: ignored files, and, when asked, the
// folders earlier runs wrote into (below the chosen one, not the chosen one).
TEST(SourceSelection, AWalkCountsWhatItLeftOut) {
  test::TempFolder dir;
  std::filesystem::create_directories(dir / "GbToBig/sub/BigToGb");
  std::filesystem::create_directories(dir / "GbToBig/GbToBigToGbk");
  std::filesystem::create_directories(dir / "GbToBig/gbtobig");
  for (const char* name : {"a.txt", "b.exe", "sub/c.EXE", "sub/d.c", "sub/BigToGb/old.txt",
                           "GbToBigToGbk/old.txt", "gbtobig/e.txt"})
    test::WriteFile(dir / ("GbToBig/" + std::string(name)), "x");
  const IgnoreList ignore(".exe", IgnoreList::Rule::kWholeExtension);
  const TreeListing skipping = ListTree(dir / "GbToBig", ignore, {"", true, false});
  std::vector<std::string> names;
  for (const RunEntry& entry : skipping.entries) names.push_back(entry.fileName);
  EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "gbtobig/e.txt", "sub/d.c"}));
  EXPECT_EQ(skipping.ignoredFiles, 2u);
  EXPECT_EQ(skipping.typeFolders, 2u);
  const TreeListing entering = ListTree(dir / "GbToBig", ignore, {});
  EXPECT_EQ(entering.entries.size(), 5u);
  EXPECT_EQ(entering.typeFolders, 0u);
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
