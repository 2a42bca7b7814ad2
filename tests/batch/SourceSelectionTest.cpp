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

// No link leads a walk out of its tree: a link met is counted and left
// out, a folder swapped for a link after its parent was listed is not
// entered, and a file whose folder became a link after it was listed is
// not opened (the walk hands its files over before they are read).
TEST(SourceSelection, AWalkFollowsNoLinkOutOfItsTree) {
  namespace fs = std::filesystem;
  test::TempFolder dir;
  fs::create_directories(dir / "outside");
  fs::create_directories(dir / "tree/d0");
  fs::create_directories(dir / "tree/d1");
  test::WriteFile(dir / "outside/x.txt", "secret");
  test::WriteFile(dir / "outside/secret.txt", "secret");
  test::WriteFile(dir / "tree/a.txt", "a");
  test::WriteFile(dir / "tree/d0/x.txt", "mine");
  test::WriteFile(dir / "tree/d1/y.txt", "y");
  fs::create_symlink(dir / "outside/secret.txt", dir / "tree/z.txt");
  fs::create_directory_symlink(dir / "outside", dir / "tree/link");

  TreeWalker walker(dir / "tree", IgnoreList("", IgnoreList::Rule::kWholeExtension), {});
  RunEntry entry;
  ASSERT_TRUE(walker.Next(entry));
  EXPECT_EQ(entry.fileName, "a.txt");
  ASSERT_TRUE(walker.Next(entry));
  ASSERT_EQ(entry.fileName, "d0/x.txt");
  const RunEntry listed = entry;
  // d0 becomes a link to a folder holding an x.txt: the listed file must
  // not be read from there.
  fs::rename(dir / "tree/d0", dir / "d0-moved");
  fs::create_directory_symlink(dir / "outside", dir / "tree/d0");
  try {
    textfile::TextReader reader(listed.fullPath,
                                {listed.below.get(), listed.fileName, listed.noFollow});
    ADD_FAILURE() << "read through a link";
  } catch (const textfile::FileError& e) {
    EXPECT_EQ(e.failure().reason, FailureReason::kSymbolicLink);
  }
  // d1, listed as a folder, becomes a link before the walk enters it.
  fs::rename(dir / "tree/d1", dir / "d1-moved");
  fs::create_directory_symlink(dir / "outside", dir / "tree/d1");
  std::vector<std::string> rest;
  while (walker.Next(entry)) {
    rest.push_back(entry.fileName);
    if (entry.fileName == "d1") {
      EXPECT_TRUE(entry.failure.has_value());
    } else {
      textfile::TextReader reader(entry.fullPath,
                                  {entry.below.get(), entry.fileName, entry.noFollow});
      char byte;
      EXPECT_EQ(reader.Read(&byte, 1), 1u);
      EXPECT_NE(byte, 's') << entry.fileName;
    }
  }
  EXPECT_EQ(rest, (std::vector<std::string>{"d1"}));  // its failed row; link and z.txt left out
  EXPECT_EQ(walker.links(), 2u);
  // A listed name that is a link is not followed either (--files-from).
  EXPECT_THROW(textfile::TextReader(dir / "tree/z.txt", {nullptr, {}, true}), textfile::FileError);
  EXPECT_NO_THROW(textfile::TextReader(dir / "tree/z.txt"));  // a name the user gave
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
