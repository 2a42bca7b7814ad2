// SPDX-License-Identifier: Apache-2.0
#include "batch/ConversionRun.h"

#include "batch/ReadBuffer.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <deque>
#include <filesystem>
#include <future>
#include <map>
#include <new>
#include <system_error>

#include "batch/ConversionTypes.h"
#include "batch/InputCheck.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"
#include "batch/WorkerPool.h"

namespace marlo {

namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// Pieces of a file through the conversion, in bounded memory.
constexpr size_t kPieceSize = 1 << 17;

// A batch of written files reaches the disk at this many, or this long
// after its first.
constexpr size_t kBatchFiles = 256;
constexpr std::chrono::milliseconds kBatchTime(500);

// Each file of a batch keeps its temporary target open until the batch is
// synced: a batch leaves room under the process's limit of descriptors for
// the files in flight (a source and a target each), a tree's open folders,
// the standard streams and whatever the host holds.
size_t BatchFilesFor(size_t jobs) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
    return kBatchFiles;
  const size_t reserve = 64 + 4 * jobs;
  const size_t open = size_t(limit.rlim_cur);
  return open > reserve + 1 ? std::min(kBatchFiles, (open - reserve) / 2) : 1;
}

RunRow FailedRow(const std::string& fileName, Failure failure) {
  RunRow row;
  row.outcome = RowOutcome::kFailed;
  row.fileName = fileName;
  row.failure = std::move(failure);
  return row;
}

Failure OutOfMemory() { return {FileAction::kRead, FailureReason::kOutOfMemory, {}}; }

Failure Unexpected(const std::string& path, const std::exception& e) {
  return {FileAction::kRead, FailureReason::kUnexpected, path, 0, 0, e.what()};
}

}  // namespace

void ConversionRun::Convert(textfile::TextReader& reader, textfile::TextWriter* writer,
                            const std::string& path, RunRow& row) const {
  TextEnds ends = settings_.ends;
  // The start tells how to read the file: read it first, then feed it.
  std::string start;
  bool ended = false;
  // One buffer for every file a thread converts: a fresh one per file
  // costs a mapping of the memory each time.
  thread_local ReadBuffer piece(kPieceSize);
  if (settings_.detectUtf8 && !ends.fromUtf8) {
    while (start.size() < kCheckedBytes && !ended) {
      const size_t n =
          reader.Read(piece.data(), std::min(piece.size(), kCheckedBytes - start.size()));
      start.append(piece.data(), n);
      ended = n == 0;
    }
    ends.fromUtf8 = LooksLikeUtf8(start, ended);
  }
  row.readAsUtf8 = ends.fromUtf8 && !settings_.ends.fromUtf8;
  ConversionPipeline pipeline(engine_, settings_.convType, ends, settings_.checkInput,
                              settings_.strict, settings_.phrases, secondThread_);
  try {
    // A doubted file goes no further than its start: what was written
    // aside is dropped with the writer.
    auto refuseDoubted = [&] {
      if (pipeline.verdict() && settings_.onDoubt != OnDoubt::kConvert)
        throw InputError({.action = FileAction::kRead,
                          .reason = FailureReason::kNotThisCode,
                          .verdict = pipeline.verdict()});
    };
    if (!start.empty() || ended) {
      const std::string_view out = pipeline.Feed(start, ended);
      if (writer) writer->Write(out);
      std::string().swap(start);
      refuseDoubted();
    }
    for (bool last = ended; !last;) {
      const size_t n = reader.Read(piece.data(), piece.size());
      last = n == 0;
      const std::string_view out = pipeline.Feed(std::string_view(piece.data(), n), last);
      if (writer) writer->Write(out);
      refuseDoubted();
    }
  } catch (const InputError& e) {
    Failure failure = e.failure();
    failure.path = path;
    throw textfile::FileError(std::move(failure));
  }
  row.verdict = pipeline.verdict();
  row.invalidSequences = pipeline.invalid();
  row.replacedCharacters = pipeline.replaced();
  row.unconvertedCharacters = pipeline.unconverted();
}

int64_t ConversionRun::SystemClock() { return int64_t(std::time(nullptr)); }

ConversionRun::ConversionRun(const ConvMarlo& engine, RunSettings settings, Clock clock)
    : engine_(engine),
      settings_(std::move(settings)),
      clock_(std::move(clock)),
      // Files one at a time, or a single file, leave a processor free for
      // a file's phrases.
      secondThread_(
          settings_.phrases &&
          (settings_.jobs <= 1 || (settings_.entries.size() == 1 && !settings_.moreEntries)) &&
          UsableProcessors() >= 2) {}

std::optional<ExistingFile> ExistingFileAt(int32_t index) {
  if (index < int32_t(ExistingFile::kSkip) || index > int32_t(ExistingFile::kOverwrite))
    return std::nullopt;
  return ExistingFile(index);
}

std::optional<RunOutcome> ConversionRun::Refusal(RunHost& host, const std::string& folder) {
  auto refuse = [&host](const std::string& words, RunOutcome outcome) {
    host.ShowError(words);
    host.SetBusy(false);
    host.RunEnded(outcome);
    return outcome;
  };
  // Without its tables the engine would write zero-filled files.
  if (!engine_.IsReady()) return refuse(text::Tr(text::kEngineNotReady), RunOutcome::kAborted);
  if (settings_.ends.toUtf8 && !WritesUtf8(settings_.convType))
    return refuse(text::Fill(text::Tr(text::kNoUtf8Output), {GetConvTypeName(settings_.convType)}),
                  RunOutcome::kAborted);
  if (folder.empty()) return refuse(text::Tr(text::kNoTargetFolder), RunOutcome::kNoTargetFolder);
  try {
    if (!textfile::FolderExists(folder)) textfile::CreateFolder(folder);
  } catch (const std::exception& e) {
    return refuse(DescribeError(e), RunOutcome::kAborted);
  }
  return std::nullopt;
}

// Takes the files in flight oldest first and reports their rows in that
// order; written files wait for one sync a batch before they take their
// place and are reported.
class ConversionRun::InOrderRows {
 public:
  InOrderRows(RunHost& host, size_t jobs)
      : host_(host), jobs_(jobs), batchFiles_(BatchFilesFor(jobs)) {}

  void Add(std::future<Converted> file) {
    inFlight_.push_back(std::move(file));
    while (inFlight_.size() >= jobs_) ReportOldest();
  }

  void Drain() {
    while (!inFlight_.empty()) ReportOldest();
    Commit();
  }

 private:
  void Report(const RunRow& row) {
    host_.AddRow(row);
    if (row.outcome != RowOutcome::kFailed) host_.SetProgressValue(++done_);
  }

  void Commit() {
    CommitBatch(batch_);
    for (const Converted& converted : batch_) Report(converted.row);
    batch_.clear();
  }

  void ReportOldest() {
    Converted converted = inFlight_.front().get();
    inFlight_.pop_front();
    // An unbatched row first puts the batch before it in place: rows keep
    // the list's order.
    if (!converted.file->unsynced) {
      Commit();
      Report(converted.row);
      return;
    }
    if (batch_.empty()) batchStart_ = std::chrono::steady_clock::now();
    batch_.push_back(std::move(converted));
    // Small files go by the hundred; a slow one does not hold back the
    // rows of the others for long.
    if (batch_.size() >= batchFiles_ || std::chrono::steady_clock::now() - batchStart_ > kBatchTime)
      Commit();
  }

  RunHost& host_;
  size_t jobs_;
  size_t batchFiles_;
  int32_t done_ = 0;
  std::deque<std::future<Converted>> inFlight_;
  std::vector<Converted> batch_;
  std::chrono::steady_clock::time_point batchStart_;
};

RunOutcome ConversionRun::Run(RunHost& host) {
  const std::string folder = TrimBlanks(settings_.targetFolderText);
  if (const auto refused = Refusal(host, folder)) return *refused;

  host.SetBusy(true);
  const bool streamed = bool(settings_.moreEntries);
  const auto listed = int32_t(settings_.entries.size());
  host.RunStarted(streamed ? -1 : listed);  // a stream's length is known at its end
  if (!streamed) host.SetProgressMax(listed);
  const size_t jobs = size_t(std::max(settings_.jobs, 1));
  WorkerPool pool(jobs > 1 ? jobs : 0);
  InOrderRows rows(host, jobs);
  size_t nextListed = 0;
  auto nextEntry = [&](RunEntry& entry, bool& fromList) {
    fromList = nextListed < settings_.entries.size();
    if (fromList) {
      entry = settings_.entries[nextListed++];
      return true;
    }
    return streamed && settings_.moreEntries(entry);
  };
  RunEntry entry;
  for (bool fromList = false; nextEntry(entry, fromList);) {
    host.Yield();
    if (host.StopRequested()) {
      rows.Drain();
      host.SetBusy(false);
      host.RunEnded(RunOutcome::kStopped);
      return RunOutcome::kStopped;
    }
    if (entry.fullPath.empty() && !entry.failure) {  // none yet
      rows.Drain();
      continue;
    }
    ++taken_;
    host.CurrentFile(entry.fileName);
    auto file = std::make_shared<PreparedFile>(Prepare(host, std::move(entry), folder, fromList));
    rows.Add(pool.Run<Converted>([this, file] {
      RunRow row = ConvertPrepared(*file);
      return Converted{std::move(row), file};
    }));
  }
  rows.Drain();
  host.SetProgressValue(0);
  host.CurrentFile("");
  host.SetBusy(false);
  host.RunEnded(RunOutcome::kFinished);
  return RunOutcome::kFinished;
}

void ConversionRun::CommitBatch(std::vector<Converted>& batch) {
  // One sync for each file system the batch wrote to. A writer whose sync
  // failed is closed by it: its device is taken first.
  std::vector<uint64_t> devices;
  for (const Converted& converted : batch) devices.push_back(converted.file->unsynced->Device());
  std::map<uint64_t, std::optional<Failure>> synced;
  for (size_t k = 0; k < batch.size(); ++k) {
    if (synced.count(devices[k])) continue;
    try {
      batch[k].file->unsynced->SyncFileSystem();
      synced[devices[k]] = std::nullopt;
    } catch (const textfile::FileError& e) {
      synced[devices[k]] = e.failure();
    }
  }
  for (size_t k = 0; k < batch.size(); ++k) {
    Converted& converted = batch[k];
    // The writer goes here: one not put in place takes its file with it.
    const std::unique_ptr<textfile::TextWriter> writer = std::move(converted.file->unsynced);
    const std::optional<Failure>& failure = synced[devices[k]];
    const std::string& name = converted.row.fileName;
    try {
      if (failure) {
        Failure forThisFile = *failure;
        forThisFile.path = converted.row.targetPath;
        throw textfile::FileError(std::move(forThisFile));
      }
      if (!writer->Close(converted.file->mayReplace, /*onDisk=*/true))
        converted.row.outcome = RowOutcome::kSkipped;
    } catch (const std::bad_alloc&) {
      converted.row = FailedRow(name, OutOfMemory());
    } catch (const textfile::FileError& e) {
      converted.row = FailedRow(name, e.failure());
    } catch (const std::exception& e) {
      converted.row = FailedRow(name, Unexpected(converted.file->entry.fullPath, e));
    }
  }
  // The renames and links live in the folders' entries: they reach the
  // disk too before a row says its file was converted. Where that fails,
  // the row cannot say so.
  namespace fs = std::filesystem;
  std::map<uint64_t, std::string> placed;  // a target folder on each device
  for (size_t k = 0; k < batch.size(); ++k)
    if (batch[k].row.outcome == RowOutcome::kConverted)
      placed.emplace(devices[k], fs::path(batch[k].row.targetPath).parent_path().string());
  for (const auto& [device, folder] : placed) {
    try {
      textfile::SyncFileSystemOf(folder);
    } catch (const textfile::FileError& e) {
      for (size_t k = 0; k < batch.size(); ++k) {
        if (devices[k] != device || batch[k].row.outcome != RowOutcome::kConverted) continue;
        Failure failure = e.failure();
        failure.path = batch[k].row.targetPath;
        batch[k].row = FailedRow(batch[k].row.fileName, std::move(failure));
      }
    }
  }
}

ConversionRun::PreparedFile ConversionRun::Prepare(RunHost& host, RunEntry given,
                                                   const std::string& folder, bool listed) {
  PreparedFile file;
  file.entry = std::move(given);
  const RunEntry& entry = file.entry;
  if (entry.failure) {
    file.failed = FailedRow(entry.fileName, *entry.failure);
    return file;
  }
  try {
    file.target = folder + "/" + entry.fileName;
    // A file of a folder tree goes to the same place in the target's tree.
    for (size_t slash = entry.fileName.find('/'); slash != std::string::npos;
         slash = entry.fileName.find('/', slash + 1))
      textfile::CreateFolder(folder + "/" + entry.fileName.substr(0, slash));
    // The existing-file option is about files that were there before the
    // run; a target an earlier entry writes is never dropped or replaced
    // by a later one.
    if (listed && claimed_.count(file.target))
      throw textfile::FileError({FileAction::kWrite, FailureReason::kSameNameInRun, file.target});
    file.reader = std::make_unique<textfile::TextReader>(
        entry.fullPath, textfile::OpenRule{entry.below.get(), entry.fileName, entry.noFollow});

    // Whether the target is written is settled before converting: the
    // output then goes straight into the temporary target, never whole into
    // memory, and a target that stays as it was is not written even aside.
    file.mayReplace = settings_.handleExistFile == ExistingFile::kOverwrite;
    if (textfile::FileExists(file.target)) {
      if (settings_.handleExistFile == ExistingFile::kSkip) file.outcome = RowOutcome::kSkipped;
      if (settings_.handleExistFile == ExistingFile::kAsk) {
        file.mayReplace = Overwrites(host, file.target);
        if (!file.mayReplace) file.outcome = RowOutcome::kDeclined;
      }
    }
    if (file.outcome == RowOutcome::kConverted) {
      if (IsSameFile(file.target, entry.fullPath))
        throw textfile::FileError(
            {FileAction::kWrite, FailureReason::kTargetIsSource, file.target});
      // A new target is as private as its source: a 0600 source gives no
      // 0644 copy.
      struct stat info;
      file.mode = ::stat(entry.fullPath.c_str(), &info) == 0
                      ? unsigned(info.st_mode) & textfile::DefaultFileMode()
                      : textfile::DefaultFileMode();
      if (listed) claimed_.insert(file.target);
    }
  } catch (const std::bad_alloc&) {
    file.failed = FailedRow(entry.fileName, OutOfMemory());
  } catch (const textfile::FileError& e) {
    file.failed = FailedRow(entry.fileName, e.failure());
  } catch (const std::exception& e) {
    file.failed = FailedRow(entry.fileName, Unexpected(entry.fullPath, e));
  }
  return file;
}

bool ConversionRun::Overwrites(RunHost& host, const std::string& target) {
  if (overwriteAll_) return *overwriteAll_;
  switch (host.AskOverwrite(target)) {
    case OverwriteAnswer::kOverwrite:
      return true;
    case OverwriteAnswer::kSkip:
      return false;
    case OverwriteAnswer::kOverwriteAll:
      overwriteAll_ = true;
      return true;
    case OverwriteAnswer::kSkipAll:
      overwriteAll_ = false;
      return false;
  }
  return false;
}

RunRow ConversionRun::ConvertPrepared(PreparedFile& file) const {
  if (file.failed) return *file.failed;
  const RunEntry& entry = file.entry;
  try {
    std::unique_ptr<textfile::TextWriter> writer;
    if (file.outcome == RowOutcome::kConverted)
      writer = std::make_unique<textfile::TextWriter>(file.target, file.mode);
    const int64_t start = clock_();
    RunRow row;
    Convert(*file.reader, writer.get(), entry.fullPath, row);
    const int64_t end = clock_();
    if (writer && settings_.syncInBatches)
      file.unsynced = std::move(writer);  // put in place with its batch
    else if (writer && !writer->Close(file.mayReplace))
      file.outcome = RowOutcome::kSkipped;
    file.reader.reset();  // closes the source while other files are still on their way
    row.outcome = file.outcome;
    row.fileName = entry.fileName;
    row.seconds = std::to_string(end - start);
    row.targetPath = file.target;
    return row;
  } catch (const std::bad_alloc&) {
    return FailedRow(entry.fileName, OutOfMemory());
  } catch (const textfile::FileError& e) {
    // A doubted file left alone is skipped, not failed: its row says why.
    if (settings_.onDoubt == OnDoubt::kSkip && !settings_.strict &&
        e.failure().reason == FailureReason::kNotThisCode) {
      RunRow row;
      row.outcome = RowOutcome::kSkipped;
      row.fileName = entry.fileName;
      row.seconds = "0";
      row.verdict = e.failure().verdict;
      return row;
    }
    return FailedRow(entry.fileName, e.failure());
  } catch (const std::exception& e) {
    return FailedRow(entry.fileName, Unexpected(entry.fullPath, e));
  }
}

}  // namespace marlo
