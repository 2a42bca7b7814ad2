// SPDX-License-Identifier: Apache-2.0
#include "cli/StreamFilter.h"

#include "cli/TerminalHost.h"

#include "batch/ConversionPipeline.h"
#include "batch/UserTexts.h"
#include "batch/WorkerPool.h"
#include "cli/PieceReader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace marlo::cli {

namespace {

constexpr size_t kPieceSize = 1 << 17;

bool WriteFully(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    done += size_t(n);
  }
  return true;
}

// Whether both ends are one regular file (`< f >> f`): the filter would
// read its own output for ever.
bool SameRegularFile(int inputFd, int outputFd) {
  struct stat in, out;
  return ::fstat(inputFd, &in) == 0 && ::fstat(outputFd, &out) == 0 && S_ISREG(in.st_mode) &&
         in.st_dev == out.st_dev && in.st_ino == out.st_ino;
}

}  // namespace

std::optional<Failure> FilterStream(const ConvMarlo& engine, ConvType type, const TextEnds& ends,
                                    bool strict, bool phrases, int inputFd, int outputFd,
                                    FilterCounts& counts, const std::string& inputName) {
  if (SameRegularFile(inputFd, outputFd))
    return Failure{FileAction::kWriteStream, FailureReason::kTargetIsSource,
                   text::Tr(text::kStandardOutput)};
  // Phrases keep a processor busy where the other types wait on memory: a
  // second processor takes a share of each piece. With only one, the two
  // threads would take turns.
  ConversionPipeline pipeline(engine, type, ends, true, strict, phrases,
                              /*secondThread=*/UsableProcessors() >= 2);
  // UTF-8 runs through three stages: smaller pieces keep them in cache.
  PieceReader reader(inputFd, ends.fromUtf8 || ends.toUtf8 ? kPieceSize / 4 : kPieceSize);
  bool warned = false;
  while (true) {
    std::string_view piece;
    int error = 0;
    if (!reader.Next(piece, error))
      return Failure{FileAction::kReadStream, FailureReason::kSystem, inputName, error};
    const bool last = piece.empty();
    std::string_view out;
    try {
      out = pipeline.Feed(piece, last);
      counts = {pipeline.replaced(), pipeline.unconverted(), pipeline.invalid()};
    } catch (const InputError& e) {
      Failure failure = e.failure();
      failure.action = FileAction::kReadStream;
      failure.path = inputName;
      return failure;
    }
    if (!warned && pipeline.verdict()) {
      std::cerr << "marlo-convert: " << Printable(inputName) << ": "
                << Describe(*pipeline.verdict()) << "\n";
      warned = true;
    }
    if (!WriteFully(outputFd, out))
      return Failure{FileAction::kWriteStream, FailureReason::kSystem,
                     text::Tr(text::kStandardOutput), errno};
    if (last) return std::nullopt;
  }
}

}  // namespace marlo::cli
