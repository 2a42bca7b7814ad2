// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionRun.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <random>

#include "batch/ConversionTypes.h"
#include "batch/UserTexts.h"
#include "tests/engine/TestSupport.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TypeOracle.h"

namespace marlo {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

// Records what the run shows, and answers as told.
class RecordingHost : public RunHost {
 public:
  std::vector<RunRow> rows;
  std::vector<std::string> errors, questions, log;
  std::deque<OverwriteAnswer> answers;
  int stopAfterRows = -1;
  int32_t progressMax = -1, progressValue = -1;
  bool busy = false;
  RunOutcome ended{};

  void Yield() override { log.push_back("yield"); }
  bool StopRequested() override { return stopAfterRows >= 0 && int(rows.size()) >= stopAfterRows; }
  OverwriteAnswer AskOverwrite(const std::string& target) override {
    questions.push_back(target);
    const OverwriteAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void SetBusy(bool on) override {
    busy = on;
    log.push_back(on ? "busy" : "idle");
  }
  void AddRow(const RunRow& row) override { rows.push_back(row); }
  void SetProgressMax(int32_t max) override { progressMax = max; }
  void SetProgressValue(int32_t value) override { progressValue = value; }
  void RunEnded(RunOutcome outcome) override { ended = outcome; }
};

class ConversionRunTest : public testing::Test {
 protected:
  RunSettings Settings(std::vector<std::string> names, ExistingFile option = ExistingFile::kSkip) {
    RunSettings s;
    for (const auto& name : names) s.entries.push_back({source / name, name});
    s.convType = ConvType::kBigToGb;
    s.targetFolderText = target.path().string();
    s.handleExistFile = option;
    return s;
  }
  RunOutcome Run(const RunSettings& settings,
                 ConversionRun::Clock clock = ConversionRun::SystemClock) {
    return ConversionRun(test::Engine(), settings, std::move(clock)).Run(host);
  }

  TempFolder source, target;
  RecordingHost host;
};

TEST_F(ConversionRunTest, ConvertsEachFileIntoTheTargetFolder) {
  WriteFile(source / "a.txt", "\xB3\x6F\r\n");
  WriteFile(source / "b.txt", "plain");
  EXPECT_EQ(Run(Settings({"a.txt", "b.txt"})), RunOutcome::kFinished);
  EXPECT_EQ(ReadFile(target / "a.txt"), "\xD5\xE2\r\n");
  EXPECT_EQ(ReadFile(target / "b.txt"), "plain");
  ASSERT_EQ(host.rows.size(), 2u);
  EXPECT_EQ(host.rows[0].outcome, RowOutcome::kConverted);
  EXPECT_EQ(RowDescription(host.rows[0]), "轉換成功");
  EXPECT_EQ(host.rows[0].targetPath, target.path().string() + "/a.txt");
  EXPECT_EQ(host.progressMax, 2);
  EXPECT_EQ(host.progressValue, 0);  // reset after a finished run
  EXPECT_EQ(host.log, (std::vector<std::string>{"busy", "yield", "yield", "idle"}));
  EXPECT_EQ(ReadFile(source / "a.txt"), "\xB3\x6F\r\n");  // sources stay
}

TEST_F(ConversionRunTest, BlankTargetFolderChangesNothing) {
  WriteFile(source / "a.txt", "x");
  RunSettings s = Settings({"a.txt"});
  s.targetFolderText = "   ";
  EXPECT_EQ(Run(s), RunOutcome::kNoTargetFolder);
  EXPECT_EQ(host.errors, std::vector<std::string>{"請輸入目標路徑!"});
  EXPECT_TRUE(host.rows.empty());
  EXPECT_EQ(host.progressMax, -1);
}

// BigToCNS writes CNS codes, which no decoder of the engine reads: asked for
// UTF-8 output, the run refuses before it writes anything.
TEST_F(ConversionRunTest, BigToCnsIntoUtf8IsRefusedWhole) {
  WriteFile(source / "a.txt", "\xA4\x40");
  RunSettings s = Settings({"a.txt"});
  s.convType = ConvType::kBigToCns;
  s.ends.toUtf8 = true;
  EXPECT_EQ(Run(s), RunOutcome::kAborted);
  EXPECT_EQ(host.errors,
            std::vector<std::string>{"BigToCNS 寫出的是 CNS 11643 碼, 不能輸出為 UTF-8"});
  EXPECT_TRUE(host.rows.empty());
  EXPECT_FALSE(std::filesystem::exists(target / "a.txt"));
}

TEST_F(ConversionRunTest, AnEngineWithoutTablesConvertsNothing) {
  WriteFile(source / "a.txt", "\xB3\x6F");
  const ConvMarlo notStarted;
  EXPECT_EQ(ConversionRun(notStarted, Settings({"a.txt"})).Run(host), RunOutcome::kAborted);
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_TRUE(host.rows.empty());
  EXPECT_FALSE(std::filesystem::exists(target / "a.txt"));
}

TEST_F(ConversionRunTest, CreatesOneMissingFolderLevelOnly) {
  WriteFile(source / "a.txt", "x");
  RunSettings s = Settings({"a.txt"});
  s.targetFolderText = "  " + target / "BigToGb" + " ";  // blanks are trimmed
  EXPECT_EQ(Run(s), RunOutcome::kFinished);
  EXPECT_EQ(ReadFile(target / "BigToGb/a.txt"), "x");

  RecordingHost second;
  s.targetFolderText = target / "missing/BigToGb";
  EXPECT_EQ(ConversionRun(test::Engine(), s).Run(second), RunOutcome::kAborted);
  ASSERT_EQ(second.errors.size(), 1u);
  EXPECT_NE(second.errors[0].find(target / "missing/BigToGb"), std::string::npos);
  EXPECT_TRUE(second.rows.empty());
}

TEST_F(ConversionRunTest, ExistingTargetsAreSkippedAskedOrOverwritten) {
  WriteFile(source / "a.txt", "\xB3\x6F");
  WriteFile(source / "b.txt", "\xB3\x6F");
  // The numbers as the window and the settings store give them.
  for (const ExistingFile option :
       {ExistingFile::kSkip, ExistingFile::kAsk, ExistingFile::kOverwrite}) {
    WriteFile(target / "a.txt", "old a");
    WriteFile(target / "b.txt", "old b");
    host = RecordingHost();
    host.answers = {OverwriteAnswer::kSkip, OverwriteAnswer::kOverwrite};
    Run(Settings({"a.txt", "b.txt"}, option));
    ASSERT_EQ(host.rows.size(), 2u);
    const RowOutcome expected[3][2] = {{RowOutcome::kSkipped, RowOutcome::kSkipped},
                                       {RowOutcome::kDeclined, RowOutcome::kConverted},
                                       {RowOutcome::kConverted, RowOutcome::kConverted}};
    for (size_t row = 0; row < 2; ++row) {
      EXPECT_EQ(host.rows[row].outcome, expected[size_t(option)][row]);
      // Only a written target says 轉換成功.
      EXPECT_EQ(RowDescription(host.rows[row]),
                expected[size_t(option)][row] == RowOutcome::kConverted ? "轉換成功"
                                                                        : "已跳過(目標文件已存在)");
    }
    const bool asked = option == ExistingFile::kAsk;
    EXPECT_EQ(host.questions.size(), asked ? 2u : 0u);
    EXPECT_EQ(ReadFile(target / "a.txt"),
              option == ExistingFile::kOverwrite ? "\xD5\xE2" : "old a");
    EXPECT_EQ(ReadFile(target / "b.txt"), option == ExistingFile::kSkip ? "old b" : "\xD5\xE2");
  }
}

// An "all" answer holds for the rest of the run, and only for it.
TEST_F(ConversionRunTest, AnAllAnswerHoldsForTheRestOfTheRun) {
  const struct {
    OverwriteAnswer first;
    size_t questions;
    const char* c;  // what c.txt holds after the run
  } cases[] = {{OverwriteAnswer::kOverwriteAll, 1, "\xD5\xE2"},
               {OverwriteAnswer::kSkipAll, 1, "old"},
               {OverwriteAnswer::kOverwrite, 3, "old"}};
  for (const auto& c : cases) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      WriteFile(source / name, "\xB3\x6F");
      WriteFile(target / name, "old");
    }
    host = RecordingHost();
    host.answers = {c.first, OverwriteAnswer::kSkip, OverwriteAnswer::kSkip};
    Run(Settings({"a.txt", "b.txt", "c.txt"}, ExistingFile::kAsk));
    EXPECT_EQ(host.questions.size(), c.questions);
    EXPECT_EQ(host.questions[0], target / "a.txt");
    EXPECT_EQ(ReadFile(target / "c.txt"), c.c);
    host = RecordingHost();  // a new run asks again
    host.answers = {OverwriteAnswer::kSkip, OverwriteAnswer::kSkip, OverwriteAnswer::kSkip};
    Run(Settings({"a.txt", "b.txt", "c.txt"}, ExistingFile::kAsk));
    EXPECT_EQ(host.questions.size(), 3u);
  }
}

TEST_F(ConversionRunTest, SameNameFromTwoFoldersMeetsTheExistingFileOption) {
  TempFolder other;
  WriteFile(source / "a.txt", "first");
  WriteFile(other / "a.txt", "second");
  RunSettings s = Settings({"a.txt"});
  s.entries.push_back({other / "a.txt", "a.txt"});
  Run(s);
  EXPECT_EQ(ReadFile(target / "a.txt"), "first");
}

// A target that appears while its file converts (another run finishing
// first) is another's: only "overwrite" replaces it, as the user said of
// every target; "skip" and "ask" (which asked nothing of it) keep it, and the
// row says skipped. The clock is read between converting and writing.
TEST_F(ConversionRunTest, ATargetThatAppearsMeanwhileIsReplacedOnlyByOverwrite) {
  const struct {
    ExistingFile option;
    const char* kept;
    RowOutcome outcome;
  } cases[] = {{ExistingFile::kSkip, "theirs", RowOutcome::kSkipped},
               {ExistingFile::kAsk, "theirs", RowOutcome::kSkipped},
               {ExistingFile::kOverwrite, "\xD5\xE2", RowOutcome::kConverted}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.option));
    WriteFile(source / "a.txt", "\xB3\x6F");
    std::filesystem::remove(target / "a.txt");
    host.rows.clear();
    int readings = 0;
    Run(Settings({"a.txt"}, c.option), [&] {
      if (++readings == 2) WriteFile(target / "a.txt", "theirs");
      return int64_t(0);
    });
    ASSERT_EQ(host.rows.size(), 1u);
    EXPECT_EQ(host.rows[0].outcome, c.outcome);
    EXPECT_EQ(ReadFile(target / "a.txt"), c.kept);
    EXPECT_EQ(test::HiddenFiles(target.path()), 0);
    EXPECT_TRUE(host.questions.empty());
  }
}

// What a converted row warns of, each in its words, joined; a failed or
// skipped row warns of nothing.
TEST(RowWords, AConvertedRowWarnsOfEachDoubt) {
  RunRow row;
  row.outcome = RowOutcome::kConverted;
  EXPECT_EQ(RowWarnings(row, ConvType::kGbToBig), "");
  row.replacedCharacters = 2;
  EXPECT_EQ(RowWarnings(row, ConvType::kGbToBig), "2 個字符無法用 GB2312 表示,已替換");
  EXPECT_EQ(RowWarnings(row, ConvType::kGbkToBig), "2 個字符無法用 GBK 表示,已替換");
  EXPECT_EQ(RowWarnings(row, ConvType::kUscToBig), "2 個字符無法用 Big5 表示,已替換");
  row.invalidSequences = 3;
  row.verdict = CodeVerdict{SourceCode::kBig5, 0.0345, SourceCode::kGb2312};
  EXPECT_EQ(RowWarnings(row, ConvType::kBigToGb),
            "看起來不是 Big5 文本: 3.5% 的非 ASCII 字符無效,像是 GB2312 文本; "
            "2 個字符無法用 Big5 表示,已替換; 3 個無效的 UTF-8 序列已替換");
  row.outcome = RowOutcome::kSkipped;
  EXPECT_EQ(RowWarnings(row, ConvType::kBigToGb), "");
}

TEST_F(ConversionRunTest, SecondsCountWholeSecondBoundaries) {
  WriteFile(source / "a.txt", "x");
  WriteFile(source / "b.txt", "x");
  std::deque<int64_t> readings = {100, 100, 200, 201};
  Run(Settings({"a.txt", "b.txt"}), [&] {
    const int64_t t = readings.front();
    readings.pop_front();
    return t;
  });
  EXPECT_EQ(host.rows[0].seconds, "0");
  EXPECT_EQ(host.rows[1].seconds, "1");
}

// The seconds cover reading and converting, not writing.
TEST_F(ConversionRunTest, TheClockIsReadBeforeTheTargetIsWritten) {
  WriteFile(source / "a.txt", "x");
  std::vector<bool> targetExisted;
  Run(Settings({"a.txt"}), [&] {
    targetExisted.push_back(std::filesystem::exists(target / "a.txt"));
    return int64_t(0);
  });
  EXPECT_EQ(targetExisted, (std::vector<bool>{false, false}));
  EXPECT_EQ(ReadFile(target / "a.txt"), "x");
}

TEST_F(ConversionRunTest, AFailedFileDoesNotAdvanceTheBar) {
  WriteFile(source / "b.txt", "x");
  host.stopAfterRows = 1;
  Run(Settings({"missing.txt", "b.txt"}));
  ASSERT_EQ(host.rows.size(), 1u);
  EXPECT_EQ(host.rows[0].outcome, RowOutcome::kFailed);
  EXPECT_EQ(host.progressValue, -1);  // never set
}

TEST_F(ConversionRunTest, StopTakesEffectBetweenFiles) {
  WriteFile(source / "a.txt", "x");
  WriteFile(source / "b.txt", "x");
  host.stopAfterRows = 1;
  EXPECT_EQ(Run(Settings({"a.txt", "b.txt"})), RunOutcome::kStopped);
  EXPECT_EQ(host.rows.size(), 1u);
  EXPECT_EQ(host.ended, RunOutcome::kStopped);
  EXPECT_FALSE(host.busy);
  EXPECT_EQ(host.progressValue, 1);  // the bar keeps its value
  EXPECT_FALSE(test::ReadFile(target / "b.txt").size());
}

TEST_F(ConversionRunTest, AFailingFileGetsAFailedRowAndTheRunGoesOn) {
  WriteFile(source / "empty.txt", "");
  std::filesystem::create_directory(source / "folder.txt");
  WriteFile(source / "ok.txt", "x");
  std::filesystem::create_directory(target / "taken.txt");
  WriteFile(source / "taken.txt", "y");
  RunSettings s = Settings({"empty.txt", "missing.txt", "folder.txt", "taken.txt", "ok.txt"});
  EXPECT_EQ(Run(s), RunOutcome::kFinished);
  ASSERT_EQ(host.rows.size(), 5u);
  for (size_t k = 0; k < 4; ++k) {
    SCOPED_TRACE(host.rows[k].fileName + ": " + RowDescription(host.rows[k]));
    EXPECT_EQ(host.rows[k].outcome, RowOutcome::kFailed);
    EXPECT_EQ(host.rows[k].seconds, "");
    EXPECT_NE(RowDescription(host.rows[k]).find(host.rows[k].fileName), std::string::npos);
  }
  EXPECT_EQ(host.rows[4].outcome, RowOutcome::kConverted);
  EXPECT_TRUE(std::filesystem::is_directory(target / "taken.txt"));
}

// Files convert piece by piece, in bounded memory, to the bytes of the
// whole file at once, for each kind of step chain.
TEST_F(ConversionRunTest, LargeFilesGiveTheBytesOfAWholeConversion) {
  std::mt19937 rng(7);
  std::string bytes;
  while (bytes.size() < (5u << 19)) bytes += test::RandomBytes(rng, 4096) + "\xB3\x6F\xA4";
  WriteFile(source / "big.txt", bytes);
  using enum ConvType;
  for (const ConvType type : {kBigToGb, kGbkToUscWide, kUscToGbkNarrow, kGbToBigToGbk}) {
    SCOPED_TRACE(IndexOf(type));
    RunSettings s = Settings({"big.txt"}, ExistingFile::kOverwrite);
    s.convType = type;
    host = RecordingHost();
    Run(s);
    ASSERT_EQ(host.rows.size(), 1u);
    EXPECT_TRUE(ReadFile(target / "big.txt") ==
                ConvertWithType(test::Engine(), type, bytes)->strResult);
  }
}

// Files converted at once report in list order, with the rows and bytes of
// one at a time: failures, questions and same-name clashes included.
TEST_F(ConversionRunTest, ManyFilesAtOnceReportInListOrder) {
  std::vector<std::string> names;
  std::mt19937 rng(5);
  for (int i = 0; i < 40; ++i) {
    const std::string name = "f" + std::to_string(i) + ".txt";
    // Sizes vary so that later files often finish first.
    WriteFile(source / name, std::string(size_t(rng() % 300000), '\xB3') + "\x6F" + name);
    names.push_back(name);
  }
  names.insert(names.begin() + 7, "missing.txt");
  std::filesystem::create_directory(source / "sub");
  WriteFile(source / "sub/f3.txt", "other");
  WriteFile(target / "f9.txt", "kept");
  auto settings = Settings(names, ExistingFile::kAsk);
  settings.entries.insert(settings.entries.begin() + 20, {source / "sub/f3.txt", "f3.txt"});

  std::vector<std::vector<std::string>> reports;
  std::vector<std::string> bytes;
  for (const int32_t jobs : {1, 4}) {
    std::filesystem::remove_all(target.path());
    std::filesystem::create_directory(target.path());
    WriteFile(target / "f9.txt", "kept");
    host = RecordingHost();
    host.answers = {OverwriteAnswer::kSkip};
    settings.jobs = jobs;
    ASSERT_EQ(Run(settings), RunOutcome::kFinished);
    std::vector<std::string> report;
    for (const RunRow& row : host.rows)
      report.push_back(row.fileName + " " + std::to_string(int(row.outcome)) + " " +
                       RowDescription(row).substr(0, 12));
    reports.push_back(report);
    std::string all;
    for (const auto& name : names)
      if (std::filesystem::exists(target / name)) all += ReadFile(target / name);
    bytes.push_back(all);
    EXPECT_EQ(host.questions, std::vector<std::string>{target / "f9.txt"});
  }
  ASSERT_EQ(reports[0].size(), 42u);
  EXPECT_EQ(reports[1], reports[0]);
  EXPECT_EQ(bytes[1], bytes[0]);
  EXPECT_EQ(host.rows[7].outcome, RowOutcome::kFailed);     // missing.txt
  EXPECT_EQ(host.rows[10].outcome, RowOutcome::kDeclined);  // f9.txt
  EXPECT_EQ(host.rows[20].outcome, RowOutcome::kFailed);    // the second f3.txt
}

TEST_F(ConversionRunTest, NeverOverwritesItsOwnSource) {
  WriteFile(source / "a.txt", "\xB3\x6F");
  RunSettings s = Settings({"a.txt"}, ExistingFile::kOverwrite);
  s.targetFolderText = source.path().string();
  Run(s);
  EXPECT_EQ(host.rows[0].outcome, RowOutcome::kFailed);
  EXPECT_EQ(ReadFile(source / "a.txt"), "\xB3\x6F");
}

TEST_F(ConversionRunTest, GbToBigToGbkRunsBothConversions) {
  WriteFile(source / "a.txt", "\xD5\xE2");  // 这
  RunSettings s = Settings({"a.txt"});
  s.convType = ConvType::kGbToBigToGbk;
  Run(s);
  const std::string big5 = test::Engine().GBToBig("\xD5\xE2")->strResult;
  EXPECT_EQ(ReadFile(target / "a.txt"), test::Engine().BigToGbk(big5)->strResult);
  EXPECT_NE(ReadFile(target / "a.txt"), big5);
}

}  // namespace
}  // namespace marlo
