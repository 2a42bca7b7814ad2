// SPDX-License-Identifier: Apache-2.0
// marlo-convert: the conversion run for scripts and servers.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "batch/CodePairs.h"
#include "batch/ConversionRun.h"
#include "batch/ConversionTypes.h"
#include "batch/Language.h"
#include "batch/SourceSelection.h"
#include "batch/TextFile.h"
#include "batch/UserTexts.h"
#include "cli/CommandLine.h"
#include "cli/NameList.h"
#include "cli/StreamFilter.h"
#include "cli/TerminalHost.h"
#include "engine/ConvMarlo.h"

namespace {

std::atomic<bool> stopRequested{false};

// The first interrupt stops between files, so no file is left half done; a
// second one ends the program at once, without leaving a temporary file.
void OnInterrupt(int signal) {
  if (!stopRequested.exchange(true)) return;
  marlo::textfile::RemoveTemporaryFiles();
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

struct StandardStreams {
  bool inputOpen = true;
  bool outputOpen = true;
};

// A standard stream closed by the caller would otherwise be the next file
// opened: the report would be written into a converted file. It gets
// /dev/null instead, and the caller learns which were closed.
StandardStreams KeepStandardStreamsOpen() {
  StandardStreams streams;
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDIN_FILENO) streams.inputOpen = false;
    if (fd == STDOUT_FILENO) streams.outputOpen = false;
    const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (null >= 0 && null != fd) {
      ::dup2(null, fd);
      ::close(null);
    }
  }
  return streams;
}

// A file's name under the target folder: with -o, the relative path it was
// given (a/x.txt and b/x.txt both convert, into a/ and b/, and the report
// names them so), as -r keeps the tree; otherwise, and for a path that
// starts at the root or climbs out with "..", its name alone.
std::string TargetName(const std::string& file, bool keepPath) {
  const std::filesystem::path given = std::filesystem::path(file).lexically_normal();
  if (keepPath && given.is_relative() && given.has_filename()) {
    bool climbs = false;
    for (const auto& part : given) climbs = climbs || part == "..";
    if (!climbs) return given.string();
  }
  return std::filesystem::path(file).filename().string();
}

std::string FolderOf(const std::string& file) {
  const std::string folder = std::filesystem::path(file).parent_path().string();
  return folder.empty() ? "." : folder;
}

// The file, open for reading: -1 with errno set when it cannot be opened,
// -2 when it is no regular file (a folder, a device).
int OpenRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -2;
  }
  ::fcntl(fd, F_SETFL, 0);  // blocking reads from here on
  return fd;
}

int UsageError(const std::string& message) {
  std::cerr << "marlo-convert: " << message << "\n"
            << marlo::text::Tr(marlo::text::kTryHelp) << "\n";
  return 2;
}

marlo::TextEnds Ends(const marlo::cli::Options& options) {
  return {options.fromUtf8, options.toUtf8, options.lossy, options.gbkByCharacter};
}

// The run's last line: what was taken, converted, skipped and failed, and
// what was left out. False when the report did not reach its reader.
bool PrintReport(const marlo::cli::TerminalHost& host, marlo::RunOutcome outcome, int64_t taken,
                 size_t listed, bool walked, size_t ignored, size_t binary, size_t links,
                 size_t inTarget) {
  const int64_t handled = host.converted() + host.skipped() + host.failed();
  using marlo::text::Fill;
  std::cout << Fill(marlo::text::Tr(marlo::text::kRunReport),
                    {std::to_string(taken), std::to_string(host.converted()),
                     std::to_string(host.skipped()), std::to_string(host.failed())});
  // A walk that stopped does not know what it did not reach.
  if (outcome == marlo::RunOutcome::kStopped)
    std::cout << (walked ? std::string(marlo::text::Tr(marlo::text::kRunReportStoppedWalk))
                         : Fill(marlo::text::Tr(marlo::text::kRunReportStopped),
                                {std::to_string(int64_t(listed) - handled)}));
  // As the window's summary: a doubtful file is no plain success.
  if (host.doubtful())
    std::cout << Fill(marlo::text::Tr(marlo::text::kConvertedWithWarnings),
                      {std::to_string(host.doubtful())});
  if (ignored)
    std::cout << Fill(marlo::text::Tr(marlo::text::kIgnoredByList), {std::to_string(ignored)});
  if (binary)
    std::cout << Fill(marlo::text::Tr(marlo::text::kBinarySkipped), {std::to_string(binary)});
  if (links)
    std::cout << Fill(marlo::text::Tr(marlo::text::kLinksSkipped), {std::to_string(links)});
  if (inTarget)
    std::cout << Fill(marlo::text::Tr(marlo::text::kInTargetSkipped), {std::to_string(inTarget)});
  std::cout << "\n" << std::flush;
  // A report that did not reach its reader is no success.
  if (!std::cout) {
    std::cerr << "marlo-convert: "
              << Fill(marlo::text::Tr(marlo::text::kCannotWriteReport),
                      {std::strerror(errno ? errno : EIO)})
              << "\n";
    return false;
  }
  return true;
}

int ConvertFiles(const marlo::ConvMarlo& engine, const marlo::cli::Options& options) {
  // --files-from: the list is read as the run goes; nothing named, nothing
  // to do (as xargs -r).
  std::unique_ptr<marlo::cli::NameList> names;
  std::string firstName;
  if (options.filesFrom) {
    try {
      names = std::make_unique<marlo::cli::NameList>(*options.filesFrom,
                                                     options.nulSeparated ? '\0' : '\n');
    } catch (const std::system_error& e) {
      std::cerr << "marlo-convert: "
                << marlo::text::Fill(
                       marlo::text::Tr(marlo::text::kCannotReadFileList),
                       {*options.filesFrom == "-"
                            ? std::string(marlo::text::Tr(marlo::text::kStandardInput))
                            : *options.filesFrom,
                        std::strerror(e.code().value())})
                << "\n";
      return 2;
    }
    if (!names->Next(firstName)) {
      if (names->error() == 0) return 0;
      std::cerr << "marlo-convert: "
                << marlo::text::Fill(marlo::text::Tr(marlo::text::kCannotReadFileList),
                                     {*options.filesFrom, std::strerror(names->error())})
                << "\n";
      return 2;
    }
  }
  marlo::RunSettings settings;
  settings.ends = Ends(options);
  settings.checkInput = true;
  settings.strict = options.strict;
  settings.onDoubt = options.onDoubt;
  settings.phrases = options.phrases;
  settings.convType = options.type;
  settings.handleExistFile = options.handleExistFile;
  settings.jobs =
      options.jobs > 0 ? options.jobs : int32_t(std::max(1u, std::thread::hardware_concurrency()));
  // A list's names are paths from here: the default target is here too,
  // and each name keeps its path below it.
  const std::string firstFolder = options.filesFrom   ? std::string(".")
                                  : options.recursive ? options.files.front()
                                                      : FolderOf(options.files.front());
  settings.targetFolderText = options.targetFolder.empty()
                                  ? marlo::DefaultTargetFolder(firstFolder, options.type)
                                  : options.targetFolder;
  // Each file reaches the disk before its target is replaced, a batch of
  // files at a time: an fsync per file would cost more than converting it.
  settings.syncInBatches = true;
  size_t ignored = 0, binary = 0, links = 0, inTarget = 0;
  // NUL bytes are text in the UCS form, and nothing else a type reads.
  const bool skipBinary =
      options.fromUtf8 || marlo::TypeInfo(options.type).source != marlo::ByteForm::kUcs;
  std::optional<marlo::TreeWalker> walk;  // one tree: walked while it converts
  if (options.recursive) {
    // Whole extensions: a walk must not drop main.c because ".CAB" holds ".C".
    // The window's stored list is the window's: a script's run does not
    // change with what someone chose there.
    const marlo::IgnoreList ignoreList(
        options.ignoreList ? *options.ignoreList : marlo::kDefaultIgnoreFileTypes,
        marlo::IgnoreList::Rule::kWholeExtension);
    const marlo::TreeWalkRules rules{settings.targetFolderText, false, skipBinary};
    for (const std::string& folder : options.files)
      if (!std::filesystem::is_directory(folder))
        return UsageError(marlo::text::Fill(marlo::text::Tr(marlo::text::kNotAFolder), {folder}));
    if (options.files.size() == 1) {
      walk.emplace(options.files.front(), ignoreList, rules);
      settings.moreEntries = [&walk](marlo::RunEntry& entry) { return walk->Next(entry); };
    } else {
      // Trees side by side may hold the same names: listed first, so that
      // the run can tell when two would write one target.
      for (const std::string& folder : options.files) {
        marlo::TreeListing listing = marlo::ListTree(folder, ignoreList, rules);
        for (marlo::RunEntry& entry : listing.entries) settings.entries.push_back(std::move(entry));
        ignored += listing.ignoredFiles;
        binary += listing.binaryFiles;
        links += listing.links;
      }
    }
  } else if (names) {
    // A list's names came from a walk of someone's tree (find): a name
    // there that is a link is not followed. They may reach into the target
    // folder (find . lists what an earlier run wrote there): converting
    // those again would nest them. Taken as the list comes, as a tree is
    // walked, each keeping its path below the target.
    std::error_code unknown;
    const std::string target =
        std::filesystem::weakly_canonical(settings.targetFolderText, unknown).string() + "/";
    const auto here = std::make_shared<const marlo::textfile::FolderHandle>(".");
    settings.moreEntries = [&, target, here,
                            pending = std::move(firstName)](marlo::RunEntry& entry) mutable {
      for (std::string name;;) {
        if (!pending.empty()) {
          name = std::exchange(pending, std::string());
        } else {
          // A writer that pauses (a pipe kept open) leaves the run time to
          // put in place, and report, what it has converted so far.
          const auto got = names->Take(name, 500);
          if (got == marlo::cli::NameList::Got::kIdle) {
            entry = {};
            return true;
          }
          if (got == marlo::cli::NameList::Got::kEnd) break;
        }
        if (std::filesystem::weakly_canonical(name, unknown).string().starts_with(target)) {
          ++inTarget;
          continue;
        }
        if (skipBinary && marlo::LooksBinary(AT_FDCWD, name, true)) {
          ++binary;
          continue;
        }
        entry = {name, TargetName(name, true), {}, {}, true};
        // A name below here, as find . lists it, is opened from here one
        // name at a time: no link on its way is followed either.
        if (std::filesystem::path(name).is_relative() &&
            entry.fileName == std::filesystem::path(name).lexically_normal().string())
          entry.below = here;
        return true;
      }
      if (names->error() != 0) {  // the list broke off: said in a failed row
        entry = {*options.filesFrom, *options.filesFrom,
                 marlo::Failure{marlo::FileAction::kRead, marlo::FailureReason::kSystem,
                                *options.filesFrom, names->error()}};
        names.reset();
        return true;
      }
      return false;
    };
  } else {
    for (const std::string& file : options.files) {
      if (skipBinary && marlo::LooksBinary(AT_FDCWD, file, false)) {
        ++binary;
        continue;
      }
      settings.entries.push_back(
          {file, TargetName(file, !options.targetFolder.empty()), {}, {}, false});
    }
  }

  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal, OnInterrupt);
  marlo::cli::TerminalHost host(stopRequested, options.type);
  const size_t listed = settings.entries.size();
  marlo::ConversionRun run(engine, std::move(settings));
  const marlo::RunOutcome outcome = run.Run(host);
  if (outcome != marlo::RunOutcome::kFinished && outcome != marlo::RunOutcome::kStopped) return 1;
  if (walk) {
    ignored = walk->ignoredFiles();
    binary = walk->binaryFiles();
    links = walk->links();
  }
  if (!PrintReport(host, outcome, run.EntriesTaken(), listed, walk || options.filesFrom, ignored,
                   binary, links, inTarget))
    return 1;
  if (outcome == marlo::RunOutcome::kStopped) return 130;
  return host.failed() == 0 ? 0 : 1;
}

// Each type with its number, identifier and caption; a fourth column: the
// same conversion named by its codes.
void ListTypes() {
  for (const marlo::ConversionType& type : marlo::ConversionTypes()) {
    std::cout << marlo::IndexOf(type.type) << "\t" << type.identifier << "\t" << type.caption
              << "\t";
    const char* separator = "";
    for (const marlo::CodePair& pair : marlo::CodePairs())
      if (pair.type == type.type) {
        std::cout << separator << "--from " << pair.from << " --to " << pair.to;
        if (pair.gbkByCharacter) std::cout << " " << marlo::text::Tr(marlo::text::kByCharacter);
        separator = ", ";
      }
    std::cout << "\n";
  }
}

// Standard input (or with -o -, the one file) converted to standard output.
int Filter(const marlo::ConvMarlo& engine, const marlo::cli::Options& options,
           const StandardStreams& streams) {
  // A closed stream is no empty text: converting it would report a
  // success that wrote nothing anywhere.
  if ((!streams.inputOpen && !options.toStandardOutput) || !streams.outputOpen) {
    std::cerr << "marlo-convert: "
              << (streams.outputOpen ? marlo::text::Tr(marlo::text::kStandardInputClosed)
                                     : marlo::text::Tr(marlo::text::kStandardOutputClosed))
              << "\n";
    return 1;
  }
  // -o -: the one file instead of standard input.
  const std::string input = options.toStandardOutput
                                ? options.files.front()
                                : std::string(marlo::text::Tr(marlo::text::kStandardInput));
  int inputFd = STDIN_FILENO;
  if (options.toStandardOutput) {
    inputFd = OpenRegularFile(input);
    if (inputFd < 0) {
      std::cerr << "marlo-convert: "
                << marlo::Describe(
                       inputFd == -1 ? marlo::Failure{marlo::FileAction::kOpen,
                                                      marlo::FailureReason::kSystem, input, errno}
                                     : marlo::Failure{marlo::FileAction::kOpen,
                                                      marlo::FailureReason::kNotRegularFile, input})
                << "\n";
      return 1;
    }
  }
  marlo::cli::FilterCounts counts;
  const std::optional<marlo::Failure> failure =
      marlo::cli::FilterStream(engine, options.type, Ends(options), options.strict, options.phrases,
                               inputFd, STDOUT_FILENO, counts, input);
  if (inputFd != STDIN_FILENO) ::close(inputFd);
  if (counts.replaced) marlo::cli::ReportReplaced(input, counts.replaced, options.type);
  if (counts.unconverted) marlo::cli::ReportUnconverted(input, counts.unconverted, options.type);
  if (counts.invalid) marlo::cli::ReportInvalid(input, counts.invalid);
  if (!failure) return 0;
  std::cerr << "marlo-convert: " << marlo::Describe(*failure) << "\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const StandardStreams streams = KeepStandardStreamsOpen();
  marlo::SetLanguage(marlo::CommandLineLanguage());
  const auto parsed = marlo::cli::ParseCommandLine(argc, argv);
  if (!parsed.options) return UsageError(parsed.error);
  marlo::cli::Options options = *parsed.options;
  using Action = marlo::cli::Options::Action;
  switch (options.action) {
    case Action::kHelp:
      std::cout << marlo::cli::UsageText();
      return 0;
    case Action::kVersion:
      std::cout << "marlo-convert " << MARLO_VERSION << "\n";
      return 0;
    case Action::kListTypes:
      ListTypes();
      return 0;
    case Action::kConvert:
    case Action::kFilter:
      break;
  }

  marlo::ConvMarlo engine;
  try {
    engine.InitMe();
  } catch (const std::exception& e) {
    std::cerr << "marlo-convert: " << marlo::text::Tr(marlo::text::kEngineNotReady) << " ("
              << e.what() << ")\n";
    return 1;
  }
  if (options.action == Action::kFilter) return Filter(engine, options, streams);
  // A reader of the report that goes away (| head) must not end the run
  // halfway: every file converts, and the status says the report was lost.
  ::signal(SIGPIPE, SIG_IGN);
  const int status = ConvertFiles(engine, options);
  if (!streams.outputOpen) {
    std::cerr << "marlo-convert: " << marlo::text::Tr(marlo::text::kStandardOutputClosed)
              << marlo::text::Tr(marlo::text::kReportLost) << "\n";
    return status == 0 ? 1 : status;
  }
  return status;
}
