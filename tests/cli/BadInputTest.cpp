// SPDX-License-Identifier: Apache-2.0
// The project's list of bad inputs, each tried on the real marlo-convert as
// a hostile user would: none may crash it, lose a result, damage an
// existing file or leave a temporary file behind. A future change keeps
// this table green.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "tests/cli/CliTest.h"

namespace marlo {
namespace {

namespace fs = std::filesystem;
using test::kBig5;
using test::kGb;
using test::ProcessOptions;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

struct BadInput {
  const char* name;
  // Prepares the folder and returns the arguments after "-t BigToGb".
  std::function<std::vector<std::string>(const TempFolder&, ProcessOptions&)> setup;
  int exitCode;
  const char* report;  // in standard output, or standard error when it starts with "!"
  std::function<void(const TempFolder&)> check = [](const TempFolder&) {};
};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The leak checker of a sanitized build cannot work under strace.
constexpr const char* kNoLeakCheck = "ASAN_OPTIONS=detect_leaks=0";

std::vector<std::string> Source(const TempFolder& dir, const std::string& name,
                                const std::string& bytes = kBig5) {
  WriteFile(dir / name, bytes);
  return {"-o", dir / "out", dir / name};
}

const BadInput kBadInputs[] = {
    {"empty file", [](auto& dir, auto&) { return Source(dir, "e.txt", ""); }, 1, "文件長度為零"},
    {"fifo",
     [](auto& dir, auto&) {
       ::mkfifo((dir / "p.txt").c_str(), 0600);
       return std::vector<std::string>{"-o", dir / "out", dir / "p.txt"};
     },
     1, "不是普通文件"},
    {"device",
     [](auto& dir, auto&) {
       return std::vector<std::string>{"-o", dir / "out", "/dev/zero"};
     },
     1, "不是普通文件"},
    {"symlink loop",
     [](auto& dir, auto&) {
       fs::create_symlink(dir / "loop.txt", dir / "loop.txt");
       return std::vector<std::string>{"-o", dir / "out", dir / "loop.txt"};
     },
     1, "無法打開文件"},
    {"directory",
     [](auto& dir, auto&) {
       fs::create_directory(dir / "d.txt");
       return std::vector<std::string>{"-o", dir / "out", dir / "d.txt"};
     },
     1, "不是普通文件"},
    {"folder where the target goes",
     [](auto& dir, auto&) {
       fs::create_directories(dir / "out/a.txt");
       return Source(dir, "a.txt");
     },
     1, "無法寫入文件", [](auto& dir) { EXPECT_TRUE(fs::is_directory(dir / "out/a.txt")); }},
    {"read-only target folder",
     [](auto& dir, ProcessOptions& options) {
       ::chmod(dir.path().c_str(), 0755);
       fs::create_directory(dir / "out");
       WriteFile(dir / "out/a.txt", "old");
       ::chmod((dir / "out").c_str(), 0555);
       options.unprivileged = true;
       auto args = Source(dir, "a.txt");
       args.insert(args.begin(), {"-e", "overwrite"});
       return args;
     },
     1, "Permission denied", [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old"); }},
    {"same file as source",
     [](auto& dir, auto&) {
       WriteFile(dir / "a.txt", kBig5);
       return std::vector<std::string>{"-e", "overwrite", "-o", dir.path().string(), dir / "a.txt"};
     },
     1, "目標文件就是源文件", [](auto& dir) { EXPECT_EQ(ReadFile(dir / "a.txt"), kBig5); }},
    {"two sources with the same name",
     [](auto& dir, auto&) {
       fs::create_directories(dir / "A");
       fs::create_directories(dir / "B");
       WriteFile(dir / "A/n.txt", "A\xA4\xA4");
       WriteFile(dir / "B/n.txt", "B\xA4\xA4");
       return std::vector<std::string>{"-e",        "overwrite",     "-o",
                                       dir / "out", dir / "A/n.txt", dir / "B/n.txt"};
     },
     1, "與本次轉換的另一個文件同名,未寫入",
     [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/n.txt"), "A\xD6\xD0"); }},
    {"a 255-byte file name",
     [](auto& dir, auto&) { return Source(dir, std::string(251, 'n') + ".txt"); }, 0, "轉換成功",
     [](auto& dir) {
       EXPECT_EQ(ReadFile(dir / "out" + "/" + std::string(251, 'n') + ".txt"), kGb);
     }},
    {"an existing target, skipped",
     [](auto& dir, auto&) {
       fs::create_directory(dir / "out");
       WriteFile(dir / "out/a.txt", "old");
       return Source(dir, "a.txt");
     },
     0, "a.txt\t0s\t已跳過(目標文件已存在)\n共 1 個文件: 0 個轉換成功, 1 個已跳過, 0 個失敗",
     [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old"); }},
    {"a private source gives a private target",
     [](auto& dir, auto&) {
       auto args = Source(dir, "a.txt");
       ::chmod((dir / "a.txt").c_str(), 0600);
       return args;
     },
     0, "轉換成功",
     [](auto& dir) {
       EXPECT_EQ(fs::status(dir / "out/a.txt").permissions() & fs::perms::all, fs::perms(0600));
     }},
    // `marlo-convert -t 1 < f >> f` would read its own output for ever.
    {"filter whose output is its input",
     [](auto& dir, ProcessOptions& options) {
       WriteFile(dir / "f.txt", kBig5);
       fs::create_hard_link(dir / "f.txt", dir / "link.txt");
       options.inputPath = dir / "f.txt";
       options.outputPath = dir / "link.txt";
       return std::vector<std::string>{};
     },
     1, "!無法寫入 \"標準輸出\": 目標文件就是源文件,未覆蓋",
     [](auto& dir) { EXPECT_EQ(ReadFile(dir / "f.txt"), kBig5); }},
    {"report of a failure to a full device",
     [](auto& dir, ProcessOptions& options) {
       options.outputPath = "/dev/full";
       return std::vector<std::string>{"-o", dir / "out", dir / "missing.txt"};
     },
     1, "!無法打開文件"},
    {"report of a success to a full device",
     [](auto& dir, ProcessOptions& options) {
       options.outputPath = "/dev/full";
       return Source(dir, "a.txt");
     },
     1, "!無法寫出轉換報告", [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/a.txt"), kGb); }},
    {"report to a closed output",
     [](auto& dir, ProcessOptions& options) {
       options.closeOutput = true;
       return Source(dir, "a.txt");
     },
     1, "!標準輸出已關閉",
     [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/a.txt"), kGb); }},  // not the report
    {"the filter with a closed output",
     [](auto&, ProcessOptions& options) {
       options.closeOutput = true;
       options.input = kBig5;
       return std::vector<std::string>{};
     },
     1, "!標準輸出已關閉"},
    {"the filter with a closed input",
     [](auto&, ProcessOptions& options) {
       options.closeInput = true;
       return std::vector<std::string>{};
     },
     1, "!標準輸入已關閉"},
    {"a newline in a file name", [](auto& dir, auto&) { return Source(dir, "a\nb.txt"); }, 0,
     "a\\nb.txt\t0s\t轉換成功", [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/a\nb.txt"), kGb); }},
    {"a failure naming a file with control characters",
     [](auto& dir, auto&) {
       return std::vector<std::string>{"-o", dir / "out", dir / "gone\r\x1b[2J.txt"};
     },
     1, "gone\\r\\x1b[2J.txt\": "},
    // C1 controls, in UTF-8 or as a raw byte, may command a terminal too;
    // Chinese in UTF-8 stays as it is.
    {"a failure naming a file with C1 controls",
     [](auto& dir, auto&) {
       return std::vector<std::string>{"-o", dir / "out",
                                       dir /
                                           "中\xC2\x9B"
                                           "2J\x9B"
                                           "2J.txt"};
     },
     1, "中\\xc2\\x9b2J\\x9b2J.txt\": "},
    {"a UTF-8 byte-order mark",
     [](auto& dir, auto&) {
       auto args = Source(dir, "bom.txt", "\xEF\xBB\xBF\xE9\x80\x99");  // 這
       args.insert(args.begin(), "--from-utf8");
       return args;
     },
     0, "bom.txt\t0s\t轉換成功",
     [](auto& dir) { EXPECT_EQ(ReadFile(dir / "out/bom.txt"), "\xD5\xE2"); }},
    {"an empty target folder name",
     [](auto& dir, auto&) {
       auto args = Source(dir, "a.txt");
       args[1] = "";
       return args;
     },
     2, "!-o 需要一個文件夾名稱, 不能是空的"},
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

class BadInputTest : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, FailsCleanlyAndLeavesEveryFileIntact) {
  const BadInput& c = GetParam();
  TempFolder dir;
  ProcessOptions options;
  std::vector<std::string> args = {MARLO_CONVERT_EXE, "-t", "BigToGb"};
  for (std::string& arg : c.setup(dir, options)) args.push_back(std::move(arg));
  const auto r = test::RunProcess(args, options);
  EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
  const std::string_view report = c.report;
  const bool inError = report.front() == '!';
  EXPECT_NE((inError ? r.err : r.out).find(report.substr(inError)), std::string::npos)
      << r.out << r.err;
  if (c.exitCode == 1 && !inError) {  // failure reasons reach standard error too
    EXPECT_NE(r.err.find(report), std::string::npos) << r.err;
  }
  c.check(dir);
  if (fs::is_directory(dir / "out")) {
    EXPECT_EQ(test::HiddenFiles(dir / "out"), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadInputTest, testing::ValuesIn(kBadInputs),
                         [](const testing::TestParamInfo<BadInput>& test) {
                           std::string name = test.param.name;
                           for (char& c : name)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// A reader of the report that leaves after the first line: every file is
// converted all the same, and the status says the report was lost. (The
// report, 400 rows of long names, is longer than a pipe and the reader's
// one read hold: rows come a batch at a time.)
TEST(BadInput, AReportReaderThatLeavesEndsNoRun) {
  TempFolder dir;
  std::string files;
  const std::string longName(240, 'n');
  for (int k = 0; k < 400; ++k) {
    WriteFile(dir / (longName + std::to_string(k) + ".txt"), kBig5);
    files += " '" + dir / (longName + std::to_string(k) + ".txt") + "'";
  }
  const std::string script = "'" + std::string(MARLO_CONVERT_EXE) + "' -t BigToGb -j 1 -o '" +
                             dir / "out" + "'" + files +
                             " 2>/dev/null | head -n 1 >/dev/null; echo \"${PIPESTATUS[0]}\"";
  const auto r = test::RunProcess({"/bin/bash", "-c", script});
  EXPECT_EQ(r.out, "1\n") << r.err;
  int written = 0;
  for (int k = 0; k < 400; ++k)
    written += fs::exists(dir / ("out/" + longName + std::to_string(k) + ".txt"));
  EXPECT_EQ(written, 400);
}

// A kill can land between the link of a replacing target's hidden name and
// its rename (strace stands in for the kill). What it leaves says whose it
// is, and the next run into the folder removes it, and only such leftovers:
// not another user's, not a link, not one whose writer still runs, not a
// name of another pattern. A new target never has a hidden name.
TEST(BadInput, AKilledReplaceLeavesWhatTheNextRunRemoves) {
  if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "no strace";
  TempFolder dir;
  fs::create_directory(dir / "out");
  WriteFile(dir / "out/a.txt", "old");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFile(dir / name, kBig5);
  auto killedAtRename = [&](const std::string& file) {
    return test::RunProcess({"/usr/bin/env", kNoLeakCheck, "/usr/bin/strace", "-f", "-o",
                             "/dev/null", "-e", "trace=rename", "-e",
                             "inject=rename:signal=SIGKILL", MARLO_CONVERT_EXE, "-t", "BigToGb",
                             "-e", "overwrite", "-o", dir / "out", dir / file});
  };
  killedAtRename("a.txt");
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old");
  ASSERT_EQ(test::HiddenFiles(dir / "out"), 1) << "the kill did not land between link and rename";
  EXPECT_EQ(killedAtRename("b.txt").exitCode, 0);  // new: linked under its name, no rename
  EXPECT_EQ(ReadFile(dir / "out/b.txt"), kGb);

  // Names like a leftover that are not this user's to remove.
  std::string boot;
  std::getline(std::ifstream("/proc/sys/kernel/random/boot_id"), boot);
  const std::string alive =
      ".marlo-" + std::to_string(::getpid()) + "-" + boot.substr(0, 8) + "-abcdefghij";
  const std::string gone = ".marlo-999999999-" + boot.substr(0, 8) + "-abcdefghij";
  WriteFile(dir / ("out/" + alive), "x");
  WriteFile(dir / "elsewhere.txt", "keep");
  fs::create_symlink(dir / "elsewhere.txt", dir / ("out/" + gone));
  WriteFile(dir / "out/.marlo-abc", "x");
  const std::string foreign = ".marlo-999999998-" + boot.substr(0, 8) + "-abcdefghij";
  WriteFile(dir / ("out/" + foreign), "x");
  const bool root = ::geteuid() == 0;
  if (root) {
    EXPECT_EQ(::chown((dir / ("out/" + foreign)).c_str(), 65534, 65534), 0);
  }

  const auto r =
      test::RunProcess({MARLO_CONVERT_EXE, "-t", "BigToGb", "-o", dir / "out", dir / "c.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(test::HiddenFiles(dir / "out"), root ? 4 : 3);  // the leftover of a.txt went
  for (const std::string& kept : {alive, gone, std::string(".marlo-abc")})
    EXPECT_TRUE(fs::exists(fs::symlink_status(dir / ("out/" + kept)))) << kept;
  if (root) {
    EXPECT_TRUE(fs::exists(dir / ("out/" + foreign)));
  }
  EXPECT_EQ(ReadFile(dir / "elsewhere.txt"), "keep");
}

// The last steps of a write failing (the disk reports an error only when
// the data is flushed or the file closed): the row fails, the earlier
// target stays, and no hidden file is left. strace makes the sync of the
// batch fail, a preloaded close() the closing of files in the target folder.
TEST(BadInput, AFailedFlushOrCloseKeepsTheEarlierTarget) {
  if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "no strace";
  for (const std::string call : {"syncfs", "close"}) {
    // A sanitized build intercepts close() ahead of any preloaded library.
    if (call == "close" && kSanitized) continue;
    TempFolder dir;
    fs::create_directory(dir / "out");
    WriteFile(dir / "out/a.txt", "old");
    WriteFile(dir / "a.txt", kBig5);
    const std::vector<std::string> convert = {MARLO_CONVERT_EXE, "-t", "BigToGb",   "-e",
                                              "overwrite",       "-o", dir / "out", dir / "a.txt"};
    std::vector<std::string> args = {"/usr/bin/env",
                                     "LD_PRELOAD=" + std::string(MARLO_FAILING_CLOSE),
                                     "MARLO_FAIL_CLOSE_IN=" + dir / "out"};
    if (call == "syncfs")
      args = {"/usr/bin/env", kNoLeakCheck, "/usr/bin/strace", "-f", "-o",
              "/dev/null",    "-e",         "trace=syncfs",    "-e", "inject=syncfs:error=EIO"};
    args.insert(args.end(), convert.begin(), convert.end());
    const auto r = test::RunProcess(args);
    EXPECT_EQ(r.exitCode, 1) << call << r.out << r.err;
    EXPECT_NE(r.err.find("Input/output error"), std::string::npos) << call << r.err;
    EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old") << call;
    EXPECT_EQ(test::HiddenFiles(dir / "out"), 0) << call;
  }
}

// What is written reaches the disk before it takes a target's place: the
// batch's file system is synced once, before any of its files is linked or
// renamed into the folder, and no file is flushed on its own.
TEST(BadInput, ATargetIsFlushedBeforeItTakesItsPlace) {
  if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "no strace";
  TempFolder dir;
  fs::create_directory(dir / "out");
  WriteFile(dir / "out/a.txt", "old");  // replaced: link, then rename
  for (const char* name : {"a.txt", "b.txt"}) WriteFile(dir / name, kBig5);  // b.txt: new
  const auto r = test::RunProcess({"/usr/bin/env", kNoLeakCheck, "/usr/bin/strace", "-f", "-o",
                                   dir / "trace", "-e", "trace=syncfs,fsync,linkat,rename",
                                   MARLO_CONVERT_EXE, "-t", "BigToGb", "-j", "1", "-e", "overwrite",
                                   "-o", dir / "out", dir / "a.txt", dir / "b.txt"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::string calls;
  std::istringstream trace(ReadFile(dir / "trace"));
  for (std::string line; std::getline(trace, line);)
    for (const char* call : {"syncfs(", "fsync(", "linkat(", "rename("})
      if (line.find(call) != std::string::npos) calls += std::string(call).substr(0, 2);
  // One sync; a.txt: link, rename; b.txt: link; then one sync of the
  // folders' entries before the rows say anything.
  EXPECT_EQ(calls, "sylirelisy") << ReadFile(dir / "trace");
}

// A batch keeps its targets open until it is synced: under a low limit of
// open files a run must still convert every file, not fail the last ones
// with "Too many open files".
TEST(BadInput, ALowLimitOfOpenFilesFailsNoFile) {
  TempFolder dir;
  fs::create_directory(dir / "in");
  for (int k = 0; k < 300; ++k) WriteFile(dir / ("in/" + std::to_string(k) + ".txt"), kBig5);
  const auto r =
      test::RunProcess({"/bin/sh", "-c", "ulimit -n 128 && exec \"$0\" -t BigToGb -j 2 -r \"$1\"",
                        MARLO_CONVERT_EXE, dir / "in"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("300 個轉換成功, 0 個已跳過, 0 個失敗"), std::string::npos) << r.out;
}

// A row says "converted" only once its file's name is on disk too: where
// the file system fails after the renames (the sync of the folders'
// entries), the batch's rows fail instead of claiming a success.
TEST(BadInput, ARowIsNotSaidBeforeItsNameIsOnDisk) {
  if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "no strace";
  TempFolder dir;
  for (const char* name : {"a.txt", "b.txt"}) WriteFile(dir / name, kBig5);
  const auto r = test::RunProcess(
      {"/usr/bin/env", kNoLeakCheck, "/usr/bin/strace", "-f", "-o", "/dev/null", "-e",
       "trace=syncfs", "-e", "inject=syncfs:error=EIO:when=2+", MARLO_CONVERT_EXE, "-t", "BigToGb",
       "-j", "1", "-o", dir / "out", dir / "a.txt", dir / "b.txt"});
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_EQ(r.out.find("\t轉換成功"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("Input/output error"), std::string::npos) << r.err;
}

// Files convert on a fixed pool of -j threads, not a thread each.
TEST(BadInput, ManyFilesTakeNoMoreThreadsThanJobs) {
  if (std::system("command -v strace >/dev/null 2>&1") != 0) GTEST_SKIP() << "no strace";
  TempFolder dir;
  std::vector<std::string> args = {"/usr/bin/env",
                                   kNoLeakCheck,
                                   "/usr/bin/strace",
                                   "-f",
                                   "-o",
                                   dir / "trace",
                                   "-e",
                                   "trace=clone,clone3",
                                   MARLO_CONVERT_EXE,
                                   "-t",
                                   "BigToGb",
                                   "-j",
                                   "3",
                                   "-o",
                                   dir / "out"};
  for (int k = 0; k < 100; ++k) {
    WriteFile(dir / ("f" + std::to_string(k) + ".txt"), kBig5);
    args.push_back(dir / ("f" + std::to_string(k) + ".txt"));
  }
  const auto r = test::RunProcess(args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::istringstream trace(ReadFile(dir / "trace"));
  int threads = 0;
  for (std::string line; std::getline(trace, line);)
    threads += line.find("clone") != std::string::npos && line.find("= -1") == std::string::npos &&
               line.find("resumed") == std::string::npos;
  EXPECT_LE(threads, 3) << ReadFile(dir / "trace");
  EXPECT_GE(threads, 1);
}

// A full disk, on a small tmpfs: the write fails and the earlier target
// survives whole. Mounting needs root.
TEST(BadInput, AFullDiskKeepsTheEarlierTarget) {
  TempFolder dir;
  fs::create_directory(dir / "out");
  if (::geteuid() != 0 || ::mount("tmpfs", (dir / "out").c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small tmpfs needs root";
  WriteFile(dir / "out/a.txt", "earlier");
  WriteFile(dir / "a.txt", std::string(256 << 10, 'x'));
  const auto r = test::RunProcess(
      {MARLO_CONVERT_EXE, "-t", "BigToGb", "-e", "overwrite", "-o", dir / "out", dir / "a.txt"});
  const std::string kept = ReadFile(dir / "out/a.txt");
  const int hidden = test::HiddenFiles(dir / "out");
  ::umount((dir / "out").c_str());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
  EXPECT_EQ(kept, "earlier");
  EXPECT_EQ(hidden, 0);
}

// Whether the process has a file open in the folder: its target under way.
bool WritesInto(pid_t pid, const fs::path& folder) {
  std::error_code error;
  for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
    const std::string target = fs::read_symlink(fd.path(), error).string();
    if (!error && target.rfind(folder.string() + "/", 0) == 0) return true;
  }
  return false;
}

// Killed while it writes, by a second interrupt or by SIGKILL, it leaves no
// temporary file; the earlier target stays whole.
TEST(BadInput, AKillDuringAWriteLeavesNothingBehind) {
  TempFolder dir;
  fs::create_directory(dir / "out");
  WriteFile(dir / "out/s.txt", "earlier");
  WriteFile(dir / "s.txt", "");
  fs::resize_file(fs::path(dir / "s.txt"), uint64_t(64) << 20);
  for (const bool interrupt : {true, false}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::dup2(null, 2);
      // NUL bytes are text to a type that reads the UCS form, not a binary file.
      ::execl(MARLO_CONVERT_EXE, MARLO_CONVERT_EXE, "-t", "UscToBig", "-e", "overwrite", "-o",
              (dir / "out").c_str(), (dir / "s.txt").c_str(), nullptr);
      ::_exit(127);
    }
    bool caught = false;
    for (int k = 0; k < 100000 && !caught; ++k) {  // up to 20 s, for slow builds
      caught = WritesInto(pid, dir / "out");
      if (!caught) ::usleep(200);
    }
    if (interrupt) {
      ::kill(pid, SIGINT);  // stop after this file
      ::usleep(2000);       // two signals sent at once may arrive as one
      ::kill(pid, SIGINT);  // end now
    } else {
      ::kill(pid, SIGKILL);
    }
    ::waitpid(pid, nullptr, 0);
    EXPECT_TRUE(caught) << "the write was not seen under way";
    EXPECT_EQ(test::HiddenFiles(dir / "out"), 0) << (interrupt ? "SIGINT twice" : "SIGKILL");
    const std::string target = ReadFile(dir / "out/s.txt");
    EXPECT_TRUE(target == "earlier" || target.size() == (size_t(64) << 20));
  }
}

// Two runs into the same missing folder: "there already, and a folder" is
// success for the one that did not make it.
TEST(BadInput, TwoRunsMakingTheSameFolderBothSucceed) {
  TempFolder dir;
  WriteFile(dir / "a.txt", kBig5);
  for (int round = 0; round < 40; ++round) {
    const std::string target = dir / ("race" + std::to_string(round));
    pid_t pids[2];
    for (pid_t& pid : pids) {
      pid = ::fork();
      if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(MARLO_CONVERT_EXE, MARLO_CONVERT_EXE, "-t", "BigToGb", "-e", "overwrite", "-o",
                target.c_str(), (dir / "a.txt").c_str(), nullptr);
        ::_exit(127);
      }
    }
    for (const pid_t pid : pids) {
      int status = 0;
      ::waitpid(pid, &status, 0);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace marlo
