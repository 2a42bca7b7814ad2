// SPDX-License-Identifier: Apache-2.0
// marlo-convert as a process, on temporary folders.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "batch/ConversionTypes.h"
#include "batch/SourceSelection.h"
#include "tests/cli/CliTest.h"
#include "tests/engine/TestSupport.h"
#include "tests/support/Glibc.h"
#include "tests/support/TypeOracle.h"

namespace marlo {
namespace {

using test::Convert;
using test::kBig5;
using test::kGb;
using test::ProcessOptions;
using test::ReadFile;
using test::RunProcess;
using test::TempFolder;
using test::WriteFile;

TEST(MarloConvert, ConvertsFilesBesideTheFirstByDefault) {
  TempFolder dir;
  WriteFile(dir / "a.txt", kBig5);
  WriteFile(dir / "b.txt", "ascii");
  const auto r = Convert({"-t", "bigtogb", dir / "a.txt", dir / "b.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir / "BigToGb/a.txt"), kGb);
  EXPECT_EQ(ReadFile(dir / "BigToGb/b.txt"), "ascii");
  EXPECT_NE(r.out.find("a.txt\t0s\t轉換成功\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("共 2 個文件: 2 個轉換成功, 0 個已跳過, 0 個失敗"), std::string::npos)
      << r.out;
}

TEST(MarloConvert, ExistingTargetsSkipOverwriteAndAsk) {
  TempFolder dir;
  WriteFile(dir / "a.txt", kBig5);
  std::filesystem::create_directory(dir / "out");
  WriteFile(dir / "out/a.txt", "old");
  EXPECT_EQ(Convert({"-t", "1", "-o", dir / "out", dir / "a.txt"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old");  // skip by default
  ProcessOptions noTerminal;
  noTerminal.inputPath = "/dev/null";
  EXPECT_EQ(
      Convert({"-t", "1", "-e", "ask", "-o", dir / "out", dir / "a.txt"}, noTerminal).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old");  // no terminal to ask on: skip

  const std::vector<std::string> ask = {MARLO_CONVERT_EXE, "-t",         "1", "-e", "ask", "-o",
                                        dir / "out",       dir / "a.txt"};
  auto r = test::RunOnTerminal(ask, "n\n");
  EXPECT_NE(r.out.find("該文件已經存在,是否覆蓋?"), std::string::npos) << r.out;
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old");
  r = test::RunOnTerminal(ask, "y\n");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), kGb);
  // Return alone takes the answer in capitals, [Y/n]: yes.
  WriteFile(dir / "out/a.txt", "old");
  r = test::RunOnTerminal(ask, "\n");
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), kGb);

  WriteFile(dir / "out/a.txt", "old");
  EXPECT_EQ(Convert({"-t", "1", "-e", "overwrite", "-o", dir / "out", dir / "a.txt"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), kGb);
}

TEST(MarloConvert, BadFilesFailTheirRowAndTheExitStatus) {
  TempFolder dir;
  WriteFile(dir / "ok.txt", kBig5);
  WriteFile(dir / "empty.txt", "");
  WriteFile(dir / "secret.txt", kBig5);
  ::chmod((dir / "secret.txt").c_str(), 0);
  ::chmod(dir.path().c_str(), 0777);
  std::filesystem::create_directory(dir / "out");
  ::chmod((dir / "out").c_str(), 0777);
  std::filesystem::create_directory(dir / "out/taken.txt");  // a folder where the target goes
  WriteFile(dir / "taken.txt", kBig5);
  ProcessOptions unprivileged;
  unprivileged.unprivileged = true;
  const auto r = Convert({"-t", "1", "-o", dir / "out", dir / "ok.txt", dir / "empty.txt",
                          dir / "secret.txt", dir / "taken.txt", dir / "missing.txt"},
                         unprivileged);
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("empty.txt\t-\t無法讀取文件"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("secret.txt\t-\t無法打開文件 \"" + dir / "secret.txt" +
                       "\": 沒有權限 (Permission denied)"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("taken.txt\t-\t無法寫入文件"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("missing.txt\t-\t無法打開文件"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("共 5 個文件: 1 個轉換成功, 0 個已跳過, 4 個失敗"), std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(dir / "out/ok.txt"), kGb);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "out/taken.txt"));
  EXPECT_EQ(test::HiddenFiles(dir / "out"), 0);
}

TEST(MarloConvert, AReadOnlyTargetFolderLeavesItsFilesIntact) {
  TempFolder dir;
  ::chmod(dir.path().c_str(), 0755);
  WriteFile(dir / "a.txt", kBig5);
  std::filesystem::create_directory(dir / "out");
  WriteFile(dir / "out/a.txt", "old");
  ::chmod((dir / "out").c_str(), 0555);
  ProcessOptions unprivileged;
  unprivileged.unprivileged = true;
  const auto r =
      Convert({"-t", "1", "-e", "overwrite", "-o", dir / "out", dir / "a.txt"}, unprivileged);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("無法寫入文件 \"" + dir / "out/a.txt" + "\": 沒有權限 (Permission denied)"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(dir / "out/a.txt"), "old");

  // A target folder that cannot be made stops before any file.
  const auto missing = Convert({"-t", "1", "-o", dir / "no/such", dir / "a.txt"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("無法創建文件夾"), std::string::npos) << missing.err;
  EXPECT_EQ(missing.out, "");
}

TEST(MarloConvert, FiltersStandardInput) {
  std::mt19937 rng(5);
  std::string input;
  while (input.size() < (3u << 20)) input += test::RandomBytes(rng, 4096) + kBig5;
  TempFolder dir;
  WriteFile(dir / "input", input);
  // A pipe is read as bytes come; a file is read ahead on a second thread.
  ProcessOptions piped, fromFile;
  piped.input = input;
  fromFile.inputPath = dir / "input";
  for (const ConvType type :
       {ConvType::kBigToGb, ConvType::kGbkToUscWide, ConvType::kGbToBigToGbk}) {
    const std::string expected = ConvertWithType(test::Engine(), type, input)->strResult;
    for (const ProcessOptions& options : {piped, fromFile}) {
      const auto r = Convert({"-t", GetConvTypeName(type)}, options);
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_TRUE(r.out == expected) << GetConvTypeName(type) << " " << options.inputPath;
    }
  }
  // Phrases are converted on two threads where two processors are there,
  // and where files are converted one at a time or there is only one.
  const std::string phrased = test::Engine().Run(Operation::BigToGBPhrases, input)->strResult;
  for (const ProcessOptions& options : {piped, fromFile}) {
    const auto r = Convert({"-t", "BigToGb", "--phrases"}, options);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out == phrased) << "--phrases " << options.inputPath;
  }
  // A named file with a NUL byte is binary and left out: this one has none.
  std::string text = input;
  std::replace(text.begin(), text.end(), '\0', ' ');
  WriteFile(dir / "text", text);
  const std::string phrasedText = test::Engine().Run(Operation::BigToGBPhrases, text)->strResult;
  for (const char* jobs : {"1", "2"}) {
    std::filesystem::remove_all(dir / "BigToGb");
    EXPECT_EQ(Convert({"-t", "BigToGb", "--phrases", "-j", jobs, dir / "text"}).exitCode, 0);
    EXPECT_TRUE(ReadFile(dir / "BigToGb/text") == phrasedText) << "-j " << jobs;
  }
  ProcessOptions small;
  small.input = kBig5;
  EXPECT_EQ(Convert({"-t", "BigToGb", "-"}, small).out, kGb);
  // A lead byte at the very end waits for a trail that never comes; the end
  // of the input must still flush it.
  small.input = kBig5 + "\xA4";
  EXPECT_EQ(Convert({"-t", "BigToGb"}, small).out, kGb + "\xA4");
}

TEST(MarloConvert, Utf8AtEitherEnd) {
  const struct {
    const char* type;
    const char* in;
    const char* out;
  } sentences[] = {
      {"BigToGb", "這是繁體中文，轉換後變成簡體。\n", "这是繁体中文，转换后变成简体。\n"},
      {"GbToBig", "这里为什么着急？\r\n", "這裡為什麼著急？\r\n"},
      {"GbToBigToGbk", "软件开发", "軟件開發"},
      // The UCS form reads U+662F (是) as "f/": UTF-8 never goes through it.
      {"BigToUsc", "是中文 abc\n", "是中文 abc\n"},
      {"UscToGbk", "是中文 abc\n", "是中文 abc\n"},
      {"BigToUscWide", "是 A1~\n", "是　Ａ１～\n"},
      {"UscToBigNarrow", "是　Ａ１～\n", "是　A1~\n"},
  };
  for (const auto& s : sentences) {
    ProcessOptions options;
    options.input = s.in;
    const auto r = Convert({"-t", s.type, "--from-utf8", "--to-utf8"}, options);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, s.out) << s.type;
    EXPECT_EQ(r.err, "") << s.type;
  }

  // The types that read GB2312 take GB2312's characters only: one GBK
  // alone holds is replaced and counted, never read as another character
  // or as half a pair that eats the line's end.
  for (const char* type : {"GbToBig", "GbToBigToGbk"}) {
    ProcessOptions options;
    options.input = "悾悾而不信\n吾不知之矣\n";
    const auto r = Convert({"-t", type, "--from-utf8", "--to-utf8"}, options);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "\u3000\u3000而不信\n吾不知之矣\n") << type;
    EXPECT_EQ(r.err, "marlo-convert: 標準輸入: 2 個字符無法用 GB2312 表示,已替換\n") << type;
  }
  // BigToCNS writes CNS codes, which read as Big5 would be other characters.
  ProcessOptions one;
  one.input = "一";
  auto cns = Convert({"-t", "BigToCNS", "--from-utf8", "--to-utf8"}, one);
  EXPECT_EQ(cns.exitCode, 2);
  EXPECT_EQ(cns.out, "");
  EXPECT_NE(cns.err.find("BigToCNS 寫出的是 CNS 11643 碼, 不能輸出為 UTF-8"), std::string::npos);

  // Batch mode: a failed file names the offset; --lossy converts it, and
  // what the source form cannot hold is counted.
  TempFolder dir;
  WriteFile(dir / "bad.txt", "ok \xFF 中文 \xF0\x9F\x98\x80");
  auto r =
      Convert({"-t", "BigToGb", "--from-utf8", "--to-utf8", "-o", dir / "out", dir / "bad.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("不是有效的 UTF-8 文本: 第 3 字節"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "out/bad.txt"));
  r = Convert(
      {"-t", "BigToGb", "--from-utf8", "--to-utf8", "--lossy", "-o", dir / "out", dir / "bad.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir / "out/bad.txt"), "ok \u3000 中文 \u3000");
  // Broken input is counted apart from the characters Big5 lacks (😀).
  EXPECT_NE(r.err.find("bad.txt: 1 個字符無法用 Big5 表示,已替換"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("bad.txt: 1 個無效的 UTF-8 序列已替換"), std::string::npos) << r.err;

  ProcessOptions invalid;
  invalid.input = "\xC0\x80";
  r = Convert({"-t", "BigToGb", "--from-utf8"}, invalid);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("第 0 字節"), std::string::npos) << r.err;
  EXPECT_EQ(Convert({"-t", "BigToGb", "--lossy"}).exitCode, 2);
}

// A tree of three levels, with an ignored type and a link loop, converts
// into the same tree, each file once; a rerun leaves its own output alone.
TEST(MarloConvert, FolderTreesMirrorIntoTheTarget) {
  TempFolder dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "tree/a/b");
  WriteFile(dir / "tree/top.txt", kBig5);
  WriteFile(dir / "tree/a/mid.txt", kBig5);
  WriteFile(dir / "tree/a/b/deep.txt", kBig5);
  WriteFile(dir / "tree/a/setup.exe", "x");
  fs::create_directory_symlink("../..", dir / "tree/a/b/loop");
  auto r = Convert({"-t", "BigToGb", "-r", dir / "tree"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("共 3 個文件: 3 個轉換成功"), std::string::npos) << r.out;
  for (const char* file : {"top.txt", "a/mid.txt", "a/b/deep.txt"})
    EXPECT_EQ(ReadFile(dir / "tree/BigToGb/" + file), kGb) << file;
  EXPECT_FALSE(fs::exists(dir / "tree/BigToGb/a/setup.exe"));
  // Again into the default target, which now lies in the tree: it is never
  // descended into, so the same files convert, skipped this time.
  r = Convert({"-t", "BigToGb", "-r", dir / "tree"});
  EXPECT_NE(r.out.find("共 3 個文件: 0 個轉換成功, 3 個已跳過"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(dir / "tree/BigToGb/BigToGb"));
  r = Convert({"-t", "BigToGb", "-r", "--ignore", ".TXT", "-o", dir / "out", dir / "tree"});
  EXPECT_NE(r.out.find("共 1 個文件"), std::string::npos) << r.out;  // setup.exe alone
  EXPECT_EQ(Convert({"-t", "BigToGb", "-r", dir / "tree/top.txt"}).exitCode, 2);
}

// A walk drops no file whose extension is only a part of one in the ignore
// list (".C" of ".CAB"), and says how many it did leave out.
TEST(MarloConvert, AWalkLeavesOutWholeExtensionsOnlyAndCountsThem) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "csrc");
  for (const char* name : {"main.c", "util.h", "notes.t", "run.m", "readme.d", "page.p", "x.r",
                           "setup.exe", "lib.DLL"})
    WriteFile(dir / ("csrc/" + std::string(name)), "/* \xD6\xD0\xCE\xC4 */\n");
  const auto r =
      Convert({"-t", "GbkToBig", "-r", "--ignore", kDefaultIgnoreFileTypes, dir / "csrc"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("共 7 個文件: 7 個轉換成功, 0 個已跳過, 0 個失敗; 2 個文件按忽略列表跳過\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(dir / "csrc/GbkToBig/main.c"), "/* \xA4\xA4\xA4\xE5 */\n");
}

// What a run says names what it read, and a list reaching into the target
// folder (find . after an earlier run) does not convert that run's output
// again, nested a level deeper.
TEST(MarloConvert, NamesWhatItReadsAndLeavesItsTargetAlone) {
  TempFolder dir;
  WriteFile(dir / "a.txt", "x\xB3");  // no Big5, no GB2312 text
  auto r = Convert({"-t", "GbToBig", "--strict", "-o", "-", dir / "a.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(dir / "a.txt"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("標準輸入"), std::string::npos) << r.err;
  WriteFile(dir / "b.txt", kBig5);
  std::filesystem::create_directories(dir / "out");
  WriteFile(dir / "out/b.txt", kGb);  // an earlier run's
  ProcessOptions list;
  list.input = "b.txt\nout/b.txt\n";
  list.workingDirectory = dir.path();
  r = Convert({"-t", "BigToGb", "--files-from", "-", "-o", "out", "-e", "overwrite"}, list);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("1 個轉換成功, 0 個已跳過, 0 個失敗; 1 個文件在目標文件夾中, 已跳過"),
            std::string::npos)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "out/out"));
}

// A list is read as it comes: from a pipe whose writer pauses, the names
// so far convert and are reported at once, not when the list ends.
TEST(MarloConvert, AListConvertsAsItComes) {
  TempFolder dir;
  WriteFile(dir / "a.txt", kBig5);
  WriteFile(dir / "b.txt", kBig5);
  ::mkfifo((dir / "list").c_str(), 0600);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execl(MARLO_CONVERT_EXE, MARLO_CONVERT_EXE, "-t", "BigToGb", "--files-from",
            (dir / "list").c_str(), "-o", (dir / "out").c_str(), nullptr);
    ::_exit(127);
  }
  const int list = ::open((dir / "list").c_str(), O_WRONLY);
  ASSERT_GE(list, 0);
  const std::string first = dir / "a.txt\n";
  ASSERT_EQ(::write(list, first.data(), first.size()), ssize_t(first.size()));
  // The writer keeps the list open: a.txt must come into place meanwhile.
  bool placed = false;
  for (int k = 0; k < 600 && !placed; ++k) {  // up to a minute on a busy machine
    placed = std::filesystem::exists(dir / "out/a.txt");
    if (!placed) ::usleep(100000);
  }
  const std::string second = dir / "b.txt\n";
  ASSERT_EQ(::write(list, second.data(), second.size()), ssize_t(second.size()));
  ::close(list);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(placed) << "a.txt waited for the list's end";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadFile(dir / "out/b.txt"), kGb);
}

// A script's run does not change with the window's stored choices: the
// stored ignore list is the window's; binary files are left out however
// they are named, and counted.
TEST(MarloConvert, NoHiddenStateAndNoBinaryFileConverted) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "home/.config/Marlo");
  WriteFile(dir / "home/.config/Marlo/Marlo.conf", "[Configs]\nIgnoreFileTypes=.TXT\n");
  std::filesystem::create_directories(dir / "tree");
  for (const char* name : {"a.txt", "b.txt", "c.exe"})
    WriteFile(dir / ("tree/" + std::string(name)), kBig5);
  WriteFile(dir / "tree/d.bin", std::string("BIN\0", 4));
  auto r = RunProcess({"/usr/bin/env", "HOME=" + dir / "home", MARLO_CONVERT_EXE, "-t", "BigToGb",
                       "-r", dir / "tree", "-o", dir / "out"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("2 個轉換成功, 0 個已跳過, 0 個失敗; 1 個文件按忽略列表跳過; 1 個二進制"),
            std::string::npos)
      << r.out;
  r = Convert({"-t", "BigToGb", "-r", dir / "tree", "-o", dir / "all", "--ignore-none"});
  EXPECT_NE(r.out.find("3 個轉換成功, 0 個已跳過, 0 個失敗; 1 個二進制"), std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(dir / "all/c.exe"), kGb);
  r = Convert({"-t", "BigToGb", "-o", dir / "named", dir / "tree/a.txt", dir / "tree/d.bin"});
  EXPECT_NE(r.out.find("1 個轉換成功, 0 個已跳過, 0 個失敗; 1 個二進制"), std::string::npos)
      << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "named/d.bin"));
  ProcessOptions list;
  list.input = dir / "tree/d.bin\n" + dir / "tree/b.txt" + "\n";
  r = Convert({"-t", "BigToGb", "--files-from", "-", "-o", dir / "listed"}, list);
  EXPECT_NE(r.out.find("1 個轉換成功, 0 個已跳過, 0 個失敗; 1 個二進制"), std::string::npos)
      << r.out;
}

// A subfolder that cannot be read is a failed row and a failed run: its
// files would otherwise be missing from the target without a word.
TEST(MarloConvert, AnUnreadableSubfolderFailsTheRun) {
  TempFolder dir;
  namespace fs = std::filesystem;
  fs::create_directories(dir / "tree/locked");
  WriteFile(dir / "tree/top.txt", kBig5);
  WriteFile(dir / "tree/locked/hidden.txt", kBig5);
  ::chmod(dir.path().c_str(), 0777);
  ::chmod((dir / "tree").c_str(), 0777);
  ::chmod((dir / "tree/locked").c_str(), 0);
  ProcessOptions options;
  options.unprivileged = true;  // root reads any folder
  const auto r = Convert({"-t", "BigToGb", "-r", dir / "tree"}, options);
  ::chmod((dir / "tree/locked").c_str(), 0755);
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("locked\t-\t無法讀取文件夾 \"" + dir / "tree/locked" + "\": 沒有權限"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("共 2 個文件: 1 個轉換成功, 0 個已跳過, 1 個失敗"), std::string::npos)
      << r.out;
  EXPECT_EQ(ReadFile(dir / "tree/BigToGb/top.txt"), kGb);
}

// Bytes that are not the type's source code warn; --strict fails the file
// and writes nothing.
TEST(MarloConvert, InputOfAnotherCodeWarnsOrFailsWhenStrict) {
  TempFolder dir;
  WriteFile(dir / "utf8.txt", "這是 UTF-8 的中文文本。\n");
  WriteFile(dir / "big5.txt", kBig5);
  auto r = Convert({"-t", "BigToGb", "-o", dir / "out", dir / "utf8.txt", dir / "big5.txt"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("utf8.txt: 看起來不是 Big5 文本"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("big5.txt:"), std::string::npos) << r.err;
  // --on-doubt: the doubted file left alone (a skipped row saying why) or
  // failed; the other converts either way.
  r = Convert({"-t", "BigToGb", "--on-doubt", "skip", "-o", dir / "skip", dir / "utf8.txt",
               dir / "big5.txt"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("utf8.txt\t0s\t已跳過: 看起來不是 Big5 文本"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("1 個轉換成功, 1 個已跳過, 0 個失敗"), std::string::npos) << r.out;
  EXPECT_FALSE(std::filesystem::exists(dir / "skip/utf8.txt"));
  EXPECT_EQ(ReadFile(dir / "skip/big5.txt"), kGb);
  r = Convert({"-t", "BigToGb", "--on-doubt", "fail", "-o", dir / "fail", dir / "utf8.txt",
               dir / "big5.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "fail/utf8.txt"));
  EXPECT_EQ(ReadFile(dir / "fail/big5.txt"), kGb);
  EXPECT_EQ(Convert({"-t", "BigToGb", "--on-doubt", "maybe", dir / "big5.txt"}).exitCode, 2);
  r = Convert(
      {"-t", "BigToGb", "--strict", "-o", dir / "strict", dir / "utf8.txt", dir / "big5.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "strict/utf8.txt"));
  EXPECT_EQ(ReadFile(dir / "strict/big5.txt"), kGb);
  ProcessOptions options;
  options.input = ReadFile(dir / "utf8.txt");
  r = Convert({"-t", "BigToGb", "--strict"}, options);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  // From a long file the failure comes while pieces are still being read
  // ahead; the reading must stop with it.
  std::string longer;
  while (longer.size() < (4u << 20)) longer += options.input;
  WriteFile(dir / "long-utf8.txt", longer);
  ProcessOptions fromFile;
  fromFile.inputPath = dir / "long-utf8.txt";
  r = Convert({"-t", "BigToGb", "--strict"}, fromFile);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
}

TEST(MarloConvert, UsageErrorsSayWhatToDo) {
  auto r = Convert({"-t", "NoSuchType", "a.txt"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--list-types"), std::string::npos);
  r = Convert({"a.txt"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("-t 方式"), std::string::npos);
  EXPECT_EQ(Convert({"-t", "1", "-e", "maybe", "a.txt"}).exitCode, 2);
  EXPECT_EQ(Convert({"--bogus"}).exitCode, 2);
  for (const char* jobs : {"0", "x", "257"})
    EXPECT_EQ(Convert({"-t", "1", "-j", jobs}).exitCode, 2);
  r = Convert({"-t", "GbkToBig", "--phrases"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--phrases 只能與 BigToGb、GbToBig 或 GbToBigToGbk"), std::string::npos);
  r = Convert({"--list-types"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("13\tGbToBigToGbk\tGB -->>Big5 -->>GBK\t\n"), std::string::npos);
  EXPECT_NE(r.out.find("1\tBigToGb\tBig5 -->> GB\t--from big5 --to gb2312\n"), std::string::npos);
  EXPECT_EQ(Convert({"--help"}).exitCode, 0);
  EXPECT_NE(Convert({"--version"}).out.find("marlo-convert "), std::string::npos);
}

// Every option --help names is in the man page and in the completion.
TEST(MarloConvert, HelpManPageAndCompletionNameTheSameOptions) {
  const std::string help = Convert({"--help"}).out;
  const std::string page = ReadFile(std::string(MARLO_SOURCE_DIR) + "/packaging/marlo-convert.1");
  const std::string completion =
      ReadFile(std::string(MARLO_SOURCE_DIR) + "/packaging/marlo-convert.bash-completion");
  ASSERT_FALSE(page.empty() || completion.empty());
  size_t options = 0;
  for (size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
    size_t end = at + 2;
    while (end < help.size() && (std::islower(uint8_t(help[end])) || help[end] == '-' ||
                                 std::isdigit(uint8_t(help[end]))))
      ++end;
    const std::string option = help.substr(at, end - at);
    if (option.size() < 3) continue;
    ++options;
    std::string roff;  // "--list-types" is written "\-\-list\-types" there
    for (const char c : option) roff += c == '-' ? std::string("\\-") : std::string(1, c);
    EXPECT_NE(page.find(roff), std::string::npos) << option << " is not in the man page";
    EXPECT_TRUE(completion.find(" " + option + " ") != std::string::npos ||
                completion.find(" " + option + "\"") != std::string::npos)
        << option << " is not in the completion";
  }
  EXPECT_GE(options, 14u);
}

// With -o, files keep the relative paths they were given: two of one name
// in different folders both convert, and the report tells them apart. A
// path that climbs out of the target with ".." keeps its name alone.
TEST(MarloConvert, GivenRelativePathsAreKeptUnderTheTarget) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "a");
  std::filesystem::create_directories(dir / "b");
  std::filesystem::create_directories(dir / "up");
  WriteFile(dir / "a/x.txt", kBig5);
  WriteFile(dir / "b/x.txt", kBig5);
  WriteFile(dir / "up/y.txt", kBig5);
  ProcessOptions options;
  options.workingDirectory = (dir / "b");
  const auto r = Convert({"-t", "BigToGb", "-o", "../out", "../a/x.txt", "../up/y.txt"}, options);
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_EQ(ReadFile(dir / "out/x.txt"), kGb);
  EXPECT_EQ(ReadFile(dir / "out/y.txt"), kGb);
  const auto s = Convert({"-t", "BigToGb", "-o", "out2", "a/x.txt", "b/x.txt"}, [&] {
    ProcessOptions here;
    here.workingDirectory = dir.path().string();
    return here;
  }());
  EXPECT_EQ(s.exitCode, 0) << s.out << s.err;
  EXPECT_EQ(ReadFile(dir / "out2/a/x.txt"), kGb);
  EXPECT_EQ(ReadFile(dir / "out2/b/x.txt"), kGb);
  EXPECT_NE(s.out.find("a/x.txt\t"), std::string::npos) << s.out;
  EXPECT_NE(s.out.find("b/x.txt\t"), std::string::npos) << s.out;
}

// -o - converts one file to standard output: the text and nothing else
// there, the counts on standard error, as the filter does.
TEST(MarloConvert, DashOutputConvertsOneFileToStandardOutput) {
  TempFolder dir;
  WriteFile(dir / "in.txt", kBig5);
  WriteFile(dir / "emoji.txt", "軟體\xF0\x9F\x98\x80");
  auto r = Convert({"-t", "BigToGb", "-o", "-", dir / "in.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, kGb);
  EXPECT_EQ(r.err, "");
  r = Convert({"-t", "GbkToBig", "--from-utf8", "-o", "-", dir / "emoji.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "\xB3\x6E\xC5\xE9\xA1\x40");
  EXPECT_EQ(r.err, "marlo-convert: " + dir / "emoji.txt" + ": 1 個字符無法用 GBK 表示,已替換\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-o", "-", dir / "in.txt", dir / "in.txt"},
        std::vector<std::string>{"-o", "-"},
        std::vector<std::string>{"-o", "-", "-r", dir.path()}}) {
    std::vector<std::string> full = {"-t", "BigToGb"};
    full.insert(full.end(), args.begin(), args.end());
    r = Convert(full);
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_NE(r.err.find("-o - 把一個文件轉換到標準輸出"), std::string::npos) << r.err;
  }
  r = Convert({"-t", "BigToGb", "-o", "-", dir / "missing.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  r = Convert({"-t", "BigToGb", "-o", "-", dir.path()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("不是普通文件"), std::string::npos) << r.err;
}

// -o is the folder the converted files go into: where it cannot mean that
// (the filter writes to standard output; a name that is a file, or with one
// input a name of its extension) it is a usage error, and nothing is made.
TEST(MarloConvert, AnOutputThatIsNoFolderIsAskedAbout) {
  TempFolder dir;
  WriteFile(dir / "in.txt", kBig5);
  WriteFile(dir / "taken.dat", "mine");
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"-o", dir / "out"}, "-o 只能與文件一起使用"},
      {{"-o", dir / "out", "-"}, "-o 只能與文件一起使用"},
      {{"-o", dir / "out.txt", dir / "in.txt"}, "卻像是一個文件"},
      {{"-o", dir / "taken.dat", dir / "in.txt"}, "卻像是一個文件"},
      {{"-o", dir / "taken.dat", dir / "in.txt", dir / "in.txt"}, "卻像是一個文件"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"-t", "BigToGb"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = Convert(args);
    EXPECT_EQ(r.exitCode, 2) << c.args[1];
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
  EXPECT_EQ(ReadFile(dir / "taken.dat"), "mine");
  // A folder of that name, or another extension, is a folder.
  std::filesystem::create_directory(dir / "out.txt");
  EXPECT_EQ(Convert({"-t", "BigToGb", "-o", dir / "out.txt", dir / "in.txt"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "out.txt/in.txt"), kGb);
  EXPECT_EQ(Convert({"-t", "BigToGb", "-o", dir / "gb.d", dir / "in.txt"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "gb.d/in.txt"), kGb);
}

// The report and the errors speak the locale's language by gettext's rules:
// LC_ALL, then LC_MESSAGES, then LANG, as the C library picks the locale;
// English under C (scripts, servers, containers); LANGUAGE first where the
// locale is not C.
TEST(MarloConvert, SpeaksTheLocalesLanguage) {
  // What an unknown type and a missing file say.
  const char* traditional[] = {"未知的轉換方式 'Nope'",
                               "無法打開文件 \"missing.txt\": 文件或文件夾不存在"};
  const char* simplified[] = {"未知的转换方式 'Nope'",
                              "无法打开文件 \"missing.txt\": 文件或文件夹不存在"};
  const char* english[] = {"unknown conversion type 'Nope'",
                           "Cannot open file \"missing.txt\": no such file or folder"};
  const std::pair<std::vector<std::string>, const char**> cases[] = {
      {{"LANG=zh_CN.UTF-8"}, simplified},
      {{"LANG=zh_SG.UTF-8"}, simplified},
      {{"LANG=zh_TW.UTF-8"}, traditional},
      {{"LANG=zh_HK.Big5HKSCS"}, traditional},
      {{"LANG=en_US.UTF-8"}, english},
      {{"LANG=en_GB"}, english},
      {{"LANG=C"}, english},
      {{"LC_ALL=C.UTF-8"}, english},
      {{"LANG=POSIX"}, english},
      {{}, english},
      {{"LANG=fr_FR.UTF-8"}, traditional},
      {{"LANG=zh_TW.UTF-8", "LANGUAGE=zh_CN:en"}, simplified},
      {{"LANG=fr_FR.UTF-8", "LANGUAGE=fr:en"}, english},
      {{"LANG=en_US.UTF-8", "LANGUAGE=de:zh_TW"}, traditional},
      {{"LANG=en_US.UTF-8", "LANGUAGE=de"}, english},
      {{"LANG=C", "LANGUAGE=zh_CN"}, english},
      {{"LANG=zh_CN.UTF-8", "LC_MESSAGES=en_US.UTF-8"}, english},
      {{"LC_MESSAGES=en_US.UTF-8", "LC_ALL=zh_CN.UTF-8"}, simplified},
      {{"LC_ALL=", "LANG=en_US.UTF-8"}, english},
  };
  const TempFolder folder;
  for (const auto& [environment, expected] : cases) {
    std::vector<std::string> command = {"/usr/bin/env", "-u",   "LC_ALL", "-u",      "LC_MESSAGES",
                                        "-u",           "LANG", "-u",     "LANGUAGE"};
    command.insert(command.end(), environment.begin(), environment.end());
    command.push_back(MARLO_CONVERT_EXE);
    auto run = [&](std::vector<std::string> args) {
      std::vector<std::string> full = command;
      full.insert(full.end(), args.begin(), args.end());
      ProcessOptions options;
      options.workingDirectory = folder.path().string();
      return RunProcess(full, options);
    };
    const std::string where = ::testing::PrintToString(environment);
    const auto usage = run({"-t", "Nope", "a.txt"});
    EXPECT_EQ(usage.exitCode, 2) << where;
    EXPECT_NE(usage.err.find(expected[0]), std::string::npos) << where << usage.err;
    const auto failed = run({"-t", "BigToGb", "-o", "out", "missing.txt"});
    EXPECT_EQ(failed.exitCode, 1) << where;
    EXPECT_NE(failed.out.find(expected[1]), std::string::npos) << where << failed.out;
  }
}

}  // namespace

ProcessOptions Fed(const std::string& input) {
  ProcessOptions options;
  options.input = input;
  return options;
}

// A conversion named by its codes converts as glibc's iconv does between
// those codes (on text both codes hold), and a mistyped name is answered
// with the one it most likely meant.
TEST(MarloConvert, CodesNameAConversionAsIconvWouldConvert) {
  const std::string text = "這是繁體中文，轉換。ABC 123\r\n";
  auto encoded = [&](const char* code) {
    const Glibc to(code, "UTF-8");
    std::string bytes;
    for (size_t at = 0; at < text.size();) {
      size_t length = 1;
      while (at + length < text.size() && (uint8_t(text[at + length]) & 0xC0) == 0x80) ++length;
      bytes += to(text.substr(at, length)).value();
      at += length;
    }
    return bytes;
  };
  const struct {
    const char* from;
    const char* to;
    const char* glibcFrom;
    const char* glibcTo;
  } pairs[] = {{"big5", "utf-8", "BIG5", "UTF-8"}, {"BIG-5", "UTF8", "BIG5", "UTF-8"},
               {"utf-8", "big5", "UTF-8", "BIG5"}, {"utf-8", "gbk", "UTF-8", "GBK"},
               {"gbk", "utf-8", "GBK", "UTF-8"},   {"big5", "cp936", "BIG5", "GBK"},
               {"gbk", "cp950", "GBK", "BIG5"}};
  for (const auto& pair : pairs) {
    const auto r = Convert({"--from", pair.from, "--to", pair.to}, Fed(encoded(pair.glibcFrom)));
    EXPECT_EQ(r.exitCode, 0) << pair.from << " " << pair.to << r.err;
    EXPECT_EQ(r.out, encoded(pair.glibcTo)) << pair.from << " " << pair.to;
  }
  // Where the codes differ in their characters, the pair is the type.
  EXPECT_EQ(Convert({"-f", "big5", "-t", "gb2312"}, Fed(kBig5)).out,
            Convert({"-t", "BigToGb"}, Fed(kBig5)).out);
  EXPECT_EQ(Convert({"-f", "big5", "-t", "gb2312"}, Fed(kBig5)).out, kGb);

  const struct {
    std::vector<std::string> args;
    const char* says;
  } mistakes[] = {{{"-f", "bgi5", "-t", "gb2312"}, "是不是 big5?"},
                  {{"--from", "utf-8", "--to", "utf16-el"}, "是不是 utf-16le?"},
                  {{"--from", "ucs-2le", "--to", "big5"}, "沒有讀寫 UTF-16 的轉換方式"},
                  {{"-t", "BigTGb"}, "是不是 BigToGb?"},
                  {{"-f", "utf-8", "-t", "cns11643"}, "沒有從 utf-8 到 cns11643 的轉換方式"},
                  {{"--to", "big5", "-t", "GbToBig"}, "--to 與 -t 只能用一個"},
                  {{"--from", "big5"}, "--from 和 --to 要一起使用"},
                  {{"-f", "big5", "-f", "gbk", "-t", "gb2312"}, "--from 給了兩次"},
                  {{"-f", "big5", "--to", "gb2312", "--to-utf8"}, "--to-utf8 與 gb2312 矛盾"},
                  {{"-f", "big5", "--to", "gb2312", "--from-utf8"}, "--from-utf8 與 big5 矛盾"}};
  for (const auto& mistake : mistakes) {
    const auto r = Convert(mistake.args, Fed(kBig5));
    EXPECT_EQ(r.exitCode, 2) << mistake.says;
    EXPECT_NE(r.err.find(mistake.says), std::string::npos) << r.err;
  }
  EXPECT_EQ(Convert({"-t", "xyzzy"}, Fed(kBig5)).err.find("是不是"), std::string::npos);
}

// A character a type's table cannot write is replaced with a word, through
// the filter, files and trees alike, and --strict refuses it. GBK text
// named by its code into Big5 means its characters.
TEST(MarloConvert, NothingIsReplacedWithoutAWord) {
  const Glibc gbk("GBK", "UTF-8"), big5("BIG5", "UTF-8");
  const std::string text = *gbk("这个软件\n");
  const std::string blank = "\xA1\x40";
  auto r = Convert({"-t", "GbkToBig"}, Fed(text));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, blank + blank + blank + *big5("件\n"));
  EXPECT_NE(r.err.find("3 個字符無法用 Big5 表示,已替換"), std::string::npos) << r.err;
  r = Convert({"-t", "GbkToBig", "--strict"}, Fed(text));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("有字符無法用 Big5 表示"), std::string::npos) << r.err;
  // From UTF-8: U+2015 and é are GBK's, not Big5's.
  r = Convert({"-t", "GbkToBig", "--from-utf8"}, Fed("\u2015\u00E9"));
  EXPECT_EQ(r.out, blank + blank);
  EXPECT_NE(r.err.find("2 個字符無法用 Big5 表示,已替換"), std::string::npos) << r.err;
  r = Convert({"-f", "gbk", "-t", "big5"}, Fed(text + *gbk("繁體字\n")));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, *big5("這個軟件\n") + *big5("繁體字\n"));
  EXPECT_EQ(r.err, "");

  // Files and trees: each row's line says it; strict writes nothing.
  TempFolder dir;
  const std::string trad = "\xA5\xED\xB3\x6F\r\n";  // 伕 (GB2312 lacks it) 這
  std::filesystem::create_directory(dir / "tree");
  WriteFile(dir / "tree/a.txt", trad);
  r = Convert({"-t", "BigToGb", "-r", dir / "tree"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(ReadFile(dir / "tree/BigToGb/a.txt"), "\xA1\xA1\xD5\xE2\r\n");
  EXPECT_NE(r.err.find("a.txt: 1 個字符無法用 GB2312 表示,已替換"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("1 個轉換成功, 0 個已跳過, 0 個失敗; 其中 1 個有警告"), std::string::npos)
      << r.out;
  r = Convert({"-t", "BigToGb", "--strict", "-o", dir / "strict", dir / "tree/a.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "strict/a.txt"));

  // A name must deliver what it says: EUC-TW is no CNS form of ours.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-f", "big5", "-t", "euc-tw"},
        {"--from", "EUC-TW", "--to", "big5"}}) {
    r = Convert(args, Fed(kBig5));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("不能讀寫 EUC-TW"), std::string::npos) << r.err;
  }
  for (const char* from : {"gbk", "utf-8"}) {
    r = Convert({"-f", from, "-t", "gb2312"}, Fed(kGb));
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("請用 --to gbk"), std::string::npos) << r.err;
  }
}

// --files-from takes the names find prints, a line each or NUL-separated,
// and each keeps its relative path under the target: two x.txt both convert.
TEST(MarloConvert, FilesFromKeepsEachNamesRelativePath) {
  TempFolder dir;
  for (const char* folder : {"a", "b", "c"}) std::filesystem::create_directories(dir / folder);
  for (const char* name : {"a/x.txt", "b/x.txt", "c/two\nlines.txt"}) WriteFile(dir / name, kBig5);
  ProcessOptions options;
  options.workingDirectory = dir.path().string();
  options.input = std::string("./a/x.txt") + '\0' + "b/x.txt" + '\0' + "c/two\nlines.txt" + '\0';
  auto r = Convert({"-t", "BigToGb", "--files-from", "-", "-0"}, options);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* name : {"a/x.txt", "b/x.txt", "c/two\nlines.txt"})
    EXPECT_EQ(ReadFile(dir / (std::string("BigToGb/") + name)), kGb) << name;
  EXPECT_NE(r.out.find("共 3 個文件: 3 個轉換成功"), std::string::npos) << r.out;

  // A line each, from a file, into -o.
  WriteFile(dir / "list", "a/x.txt\nb/x.txt\n");
  r = Convert({"-t", "BigToGb", "--files-from", dir / "list", "-o", dir / "out"}, options);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir / "out/a/x.txt"), kGb);
  EXPECT_EQ(ReadFile(dir / "out/b/x.txt"), kGb);
  EXPECT_EQ(Convert({"-t", "BigToGb", "--files-from", dir / "missing"}).exitCode, 2);
  EXPECT_EQ(Convert({"-t", "BigToGb", "-0", "a/x.txt"}).exitCode, 2);
  EXPECT_EQ(Convert({"-t", "BigToGb", "--files-from", "-", "-r", "a"}).exitCode, 2);
}

// -r skips binary files by their bytes, says how many, and walks a tree
// while converting it: the tree's order, and a stop that says the rest of
// the tree was not reached.
TEST(MarloConvert, ATreeWalkSkipsBinaryFilesAndSaysSo) {
  TempFolder dir;
  std::filesystem::create_directories(dir / "tree/sub");
  WriteFile(dir / "tree/a.txt", kBig5);
  WriteFile(dir / "tree/sub/b.txt", kBig5);
  WriteFile(dir / "tree/image.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  WriteFile(dir / "tree/late-nul.txt", std::string(5000, 'a') + std::string(1, '\0'));
  // Links lead out of the tree: left out and counted, like binary files.
  WriteFile(dir / "secret.txt", kBig5);
  std::filesystem::create_symlink(dir / "secret.txt", dir / "tree/z.txt");
  std::filesystem::create_directory_symlink(dir.path(), dir / "tree/up");
  auto r = Convert({"-t", "BigToGb", "-r", dir / "tree", "--ignore", ".exe"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir / "tree/BigToGb/sub/b.txt"), kGb);
  EXPECT_FALSE(std::filesystem::exists(dir / "tree/BigToGb/image.png"));
  EXPECT_FALSE(std::filesystem::exists(dir / "tree/BigToGb/z.txt"));
  EXPECT_NE(r.out.find("共 3 個文件: 3 個轉換成功, 0 個已跳過, 0 個失敗; 1 個二進制文件 (含 NUL "
                       "字節) 已跳過; 2 個符號鏈接已跳過"),
            std::string::npos)
      << r.out;
  // Listed by find, a link is a name of the tree's too: not followed, nor
  // a folder on the way that is one.
  WriteFile(dir / "secret-b5.txt", kBig5);
  ProcessOptions viaLink;
  viaLink.input = "tree/up/secret-b5.txt\ntree/a.txt\n";
  viaLink.workingDirectory = dir.path();
  r = Convert({"-t", "BigToGb", "--files-from", "-", "-o", "via"}, viaLink);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("是符號鏈接,沒有跟隨"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "via/tree/up/secret-b5.txt"));
  EXPECT_EQ(ReadFile(dir / "via/tree/a.txt"), kGb);
  // Listed by find, a link is a name of the tree's too: not followed.
  r = Convert({"-t", "BigToGb", "--files-from", "-", "-o", dir / "listed"},
              Fed(dir / "tree/z.txt\n" + (dir / "tree/a.txt") + "\n"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("是符號鏈接,沒有跟隨"), std::string::npos) << r.err;
  // NUL bytes are text to a type that reads the UCS form.
  r = Convert({"-t", "UscToBig", "-r", dir / "tree", "-o", dir / "ucs", "--ignore", ".exe"});
  EXPECT_TRUE(std::filesystem::exists(dir / "ucs/image.png")) << r.out;
}

}  // namespace marlo
