// SPDX-License-Identifier: Apache-2.0
#include "batch/TextFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

#include "tests/support/TempFolder.h"

namespace marlo::textfile {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(TextFile, ReadAllGivesTheBytesUnchanged) {
  TempFolder dir;
  const std::string bytes("\xB3\x6F\r\n\x00\xFF\xFE", 7);
  WriteFile(dir / "a.txt", bytes);
  EXPECT_EQ(ReadAll(dir / "a.txt"), bytes);
  WriteAll(dir / "b.txt", ReadAll(dir / "a.txt"));
  EXPECT_EQ(ReadFile(dir / "b.txt"), bytes);
}

TEST(TextFile, ReadAllRefusesWhatItCannotReadWhole) {
  TempFolder dir;
  WriteFile(dir / "empty.txt", "");
  WriteFile(dir / "big.txt", "0123456789");
  std::filesystem::create_directory(dir / "folder.txt");
  auto failure = [](const std::string& path, uint64_t limit = UINT64_MAX) {
    try {
      ReadAll(path, limit);
    } catch (const FileError& e) {
      return Describe(e.failure());
    }
    return std::string("no error");
  };
  EXPECT_EQ(failure(dir / "empty.txt"), "無法讀取文件 \"" + dir / "empty.txt" + "\": 文件長度為零");
  EXPECT_EQ(failure(dir / "missing.txt"), "無法打開文件 \"" + dir / "missing.txt" +
                                              "\": 文件或文件夾不存在 (No such file or directory)");
  EXPECT_NE(failure(dir / "folder.txt").find("不是普通文件"), std::string::npos);
  EXPECT_NE(failure("/dev/null").find("不是普通文件"), std::string::npos);
  EXPECT_NE(failure(dir / "big.txt", 9).find("文件太大"), std::string::npos);
  EXPECT_EQ(ReadAll(dir / "big.txt", 10), "0123456789");
}

TEST(TextFile, FoldersAndFiles) {
  TempFolder dir;
  EXPECT_TRUE(FolderExists(dir.path()));
  EXPECT_FALSE(FileExists(dir.path()));
  CreateFolder(dir / "new");
  EXPECT_TRUE(FolderExists(dir / "new"));
  EXPECT_THROW(CreateFolder(dir / "missing/new"), FileError);  // one level only
  CreateFolder(dir / "new");  // there already, as another run may have made it
  WriteFile(dir / "file", "x");
  EXPECT_THROW(CreateFolder(dir / "file"), FileError);
  WriteFile(dir / "f", "x");
  EXPECT_TRUE(FileExists(dir / "f"));
  DeleteFile(dir / "f");
  EXPECT_FALSE(FileExists(dir / "f"));
  EXPECT_THROW(DeleteFile(dir / "f"), FileError);
}

TEST(TextWriter, ReplacesTheTargetOnlyWhenClosed) {
  TempFolder dir;
  WriteFile(dir / "t.txt", "old content");
  {
    TextWriter writer(dir / "t.txt");
    writer.Write("new");
    writer.WriteLine(" line");
    EXPECT_EQ(ReadFile(dir / "t.txt"), "old content");
    writer.Close();
  }
  EXPECT_EQ(ReadFile(dir / "t.txt"), "new line\r\n");
  {
    TextWriter abandoned(dir / "t.txt");
    abandoned.Write("half");
  }  // never closed: the earlier content stays
  EXPECT_EQ(ReadFile(dir / "t.txt"), "new line\r\n");
  EXPECT_EQ(test::HiddenFiles(dir.path()), 0);
}

TEST(TextWriter, KeepsThePermissionsOfTheFileItReplaces) {
  TempFolder dir;
  WriteFile(dir / "t.txt", "x");
  std::filesystem::permissions(dir / "t.txt", std::filesystem::perms(0640));
  WriteAll(dir / "t.txt", "y");
  EXPECT_EQ(std::filesystem::status(dir / "t.txt").permissions(), std::filesystem::perms(0640));
}

TEST(TextWriter, FailuresLeaveTheTargetAndNoTemporaryFile) {
  TempFolder dir;
  std::filesystem::create_directory(dir / "isdir");
  EXPECT_THROW(WriteAll(dir / "isdir", "x"), FileError);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "isdir"));
  EXPECT_THROW(WriteAll(dir / "missing/t.txt", "x"), FileError);
  EXPECT_EQ(test::HiddenFiles(dir.path()), 0);
}

// A full disk, imitated with a file-size limit: the write fails and the
// earlier target survives whole. A large write fails while writing; a small
// one only when the buffered bytes are flushed at close, which must still
// come before the rename.
TEST(TextWriter, AFullDiskKeepsTheEarlierTarget) {
  for (const size_t size : {size_t(1) << 20, size_t(3000)}) {
    SCOPED_TRACE(size);
    TempFolder dir;
    WriteFile(dir / "t.txt", "earlier");
    rlimit old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    try {
      WriteAll(dir / "t.txt", std::string(size, 'x'));
    } catch (const FileError& e) {
      error = Describe(e.failure());
    }
    setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_NE(error.find("無法寫入文件 \"" + dir / "t.txt" + "\""), std::string::npos) << error;
    EXPECT_EQ(ReadFile(dir / "t.txt"), "earlier");
    EXPECT_EQ(test::HiddenFiles(dir.path()), 0);
  }
}

// A writer's next of kin cleans up only what is provably dead: a hidden
// file of ours whose lock can be had and that has no other name. A writer
// in another process namespace (its process number means nothing here)
// holds its lock; a name that only looks like ours is someone else's.
TEST(TextWriter, TheCleanUpRemovesOnlyDeadWritersFiles) {
  std::string boot;
  std::getline(std::ifstream("/proc/sys/kernel/random/boot_id"), boot);
  ASSERT_GE(boot.size(), 8u);
  const std::string ours = ".marlo-2147483000-" + boot.substr(0, 8) + "-abcdefghij";
  const struct {
    const char* what;
    std::string name;
    bool locked, linked, removed;
  } cases[] = {
      {"a dead writer's", ours, false, false, true},
      {"a live writer's in another namespace", ours, true, false, false},
      {"one that became a target's", ours, false, true, false},
      {"one written where the boot was unknown", ".marlo-2147483000-00000000-abcdefghij", false,
       false, true},
      {"a live one written where the boot was unknown", ".marlo-2147483000-00000000-abcdefghij",
       true, false, false},
      {"a look-alike", ours + "x", false, false, false},
      {"another boot's", ".marlo-2147483000-ffffffff-abcdefghij", false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder dir;
    WriteFile(dir / c.name, "half");
    const int fd = ::open((dir / c.name).c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    if (c.locked) {
      ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    }
    if (c.linked) std::filesystem::create_hard_link(dir / c.name, dir / "target.txt");
    WriteAll(dir / "t.txt", "x");  // a writer in the folder cleans up first
    EXPECT_EQ(std::filesystem::exists(dir / c.name), !c.removed);
    ::close(fd);
  }
}

}  // namespace
}  // namespace marlo::textfile
