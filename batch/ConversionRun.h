// SPDX-License-Identifier: Apache-2.0
// The batch conversion run, free of widgets: the main window and the
// command-line converter both drive it through a RunHost.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "batch/ConversionPipeline.h"
#include "batch/Failure.h"
#include "batch/TextFile.h"
#include "engine/ConvMarlo.h"

namespace marlo {

struct RunEntry {
  std::string fullPath;  // the source file
  std::string fileName;  // its name alone: the target file's name
  // Set when the entry is known to fail before the run (a folder of a tree
  // that could not be read): its row says this.
  std::optional<Failure> failure = {};
  // A tree's file is opened below its tree's folder by fileName, its path
  // there, with no link followed anywhere on the way; a listed name
  // (--files-from) with noFollow is not followed where it is a link.
  std::shared_ptr<const textfile::FolderHandle> below = {};
  bool noFollow = false;
};

// What becomes of a file whose bytes look like another code than the type's.
enum class OnDoubt : uint8_t { kConvert, kSkip, kFail };

// What to do when the target file exists already.
// The stored setting and the window's choice are its number.
enum class ExistingFile : uint8_t { kSkip = 0, kAsk = 1, kOverwrite = 2 };
std::optional<ExistingFile> ExistingFileAt(int32_t index);

// Everything the run reads, taken once when it starts.
struct RunSettings {
  std::vector<RunEntry> entries;
  ConvType convType = ConvType::kGbToBig;
  std::string targetFolderText;
  ExistingFile handleExistFile = ExistingFile::kSkip;
  TextEnds ends;
  // Whether the bytes look like the type's source code (marlo-convert);
  // strict fails a file that does not, and writes nothing for it.
  bool checkInput = false;
  bool strict = false;
  // A file the check doubts (it looks like another code): converted with
  // a warning, left alone (its row says why), or failed; strict fails it.
  OnDoubt onDoubt = OnDoubt::kConvert;
  // Simplified ⇄ traditional phrase by phrase (types that take it).
  bool phrases = false;
  // A file that is valid UTF-8 with text beyond ASCII is read as UTF-8 (as
  // ends.fromUtf8 would), any other as the type's code.
  bool detectUtf8 = false;
  // Files converted at once. Whatever the number, the host sees every call
  // from the thread that runs Run, and the rows in list order.
  int32_t jobs = 1;
  // Entries after the listed ones, taken one at a time while the run goes
  // (a walk of a large tree), so that memory holds the files in flight, not
  // the list. Their names must not repeat: unlike listed ones, they are
  // not checked against each other's targets. An entry with no name means
  // none yet (a list whose writer pauses): the run puts in place and
  // reports what it has converted, then asks again.
  std::function<bool(RunEntry&)> moreEntries;
  // Files reach the disk in batches: one syncfs for a batch, then their
  // renames, instead of an fsync each. A crash still leaves each target as
  // it was or whole; rows come a batch at a time.
  bool syncInBatches = false;
};

// What became of one file. Only kConverted wrote the target; a skipped or
// declined target was there already and was left as it was.
enum class RowOutcome { kConverted, kSkipped, kDeclined, kFailed };

// One row of the results list.
struct RunRow {
  RowOutcome outcome = RowOutcome::kFailed;
  std::string fileName;
  std::string seconds;             // whole seconds as text; empty for a failed file
  std::optional<Failure> failure;  // why the file failed; the words: RowDescription
  std::string targetPath;          // empty for a failed file
  // From UTF-8: characters the type's source form cannot hold, replaced.
  uint64_t replacedCharacters = 0;
  // Characters the type's tables cannot write in its target code, replaced.
  uint64_t unconvertedCharacters = 0;
  uint64_t invalidSequences = 0;  // lossy UTF-8: broken sequences replaced
  // The input looked like another code; converted all the same.
  std::optional<CodeVerdict> verdict;
  bool readAsUtf8 = false;  // found to be UTF-8 and read as such (detectUtf8)
};

// The answers to "該文件已經存在,是否覆蓋?"; the "all" ones hold for the
// rest of the run, so a folder of existing targets is not a click per file.
enum class OverwriteAnswer { kOverwrite, kSkip, kOverwriteAll, kSkipAll };

enum class RunOutcome {
  kNoTargetFolder,  // the target folder text was blank
  kAborted,         // the engine had no tables, or the target folder could not be made
  kStopped,         // the stop flag was seen between two files
  kFinished,
};

class RunHost {
 public:
  virtual ~RunHost() = default;
  // Called once before each file; the stop flag is read right after.
  virtual void Yield() {}
  virtual bool StopRequested() { return false; }
  // "該文件已經存在,是否覆蓋?" about this target.
  virtual OverwriteAnswer AskOverwrite(const std::string& targetPath) = 0;
  virtual void ShowError(const std::string& message) = 0;
  virtual void SetBusy(bool /*busy*/) {}
  virtual void RunStarted(int32_t /*fileCount*/) {}
  virtual void CurrentFile(const std::string& /*fileName*/) {}
  virtual void AddRow(const RunRow& row) = 0;
  virtual void SetProgressMax(int32_t /*max*/) {}
  virtual void SetProgressValue(int32_t /*value*/) {}
  virtual void RunEnded(RunOutcome /*outcome*/) {}
};

class ConversionRun {
 public:
  // Wall-clock readings in whole seconds; injectable for tests.
  using Clock = std::function<int64_t()>;
  static int64_t SystemClock();

  ConversionRun(const ConvMarlo& engine, RunSettings settings, Clock clock = SystemClock);
  RunOutcome Run(RunHost& host);
  // How many entries the run took, the streamed ones included.
  int64_t EntriesTaken() const { return taken_; }

 private:
  // One file, settled in list order before it is converted: its target,
  // and whether the target is written. A file that fails here has its row.
  struct PreparedFile {
    RunEntry entry;
    std::string target;
    RowOutcome outcome = RowOutcome::kConverted;
    std::unique_ptr<textfile::TextReader> reader;
    unsigned mode = 0;
    // Whether the target may be replaced: the user said so for this target,
    // or for every one. A target that appears while the file converts is
    // another's, and kept.
    bool mayReplace = false;
    std::optional<RunRow> failed;
    // Written, waiting for its batch to reach the disk (syncInBatches).
    std::unique_ptr<textfile::TextWriter> unsynced;
  };
  struct Converted {
    RunRow row;
    std::shared_ptr<PreparedFile> file;
  };
  class InOrderRows;
  // Says why the run cannot start and ends it, if it cannot: no tables, no
  // UTF-8 for the type, no target folder or one that cannot be made.
  std::optional<RunOutcome> Refusal(RunHost& host, const std::string& folder);
  // listed: from the list, whose targets are checked against each other.
  PreparedFile Prepare(RunHost& host, RunEntry entry, const std::string& folder, bool listed);
  // The user's answer about an existing target, or the "all" one given.
  bool Overwrites(RunHost& host, const std::string& target);
  // Converts a prepared file; touches no host and no shared state.
  RunRow ConvertPrepared(PreparedFile& file) const;
  // Puts a batch of written files in place after one sync of their file
  // systems; a file whose sync or rename fails gets a failed row.
  static void CommitBatch(std::vector<Converted>& batch);
  // Reads, checks and converts the file piece by piece into the writer (or
  // nowhere); fills in the row's counts, warning and reading.
  void Convert(textfile::TextReader& reader, textfile::TextWriter* writer, const std::string& path,
               RunRow& row) const;

  const ConvMarlo& engine_;
  RunSettings settings_;
  Clock clock_;
  std::set<std::string> claimed_;     // the targets this run writes, in list order
  std::optional<bool> overwriteAll_;  // an "all" answer given during this run
  int64_t taken_ = 0;
  const bool secondThread_;  // a file's phrases converted on two threads
};

}  // namespace marlo
