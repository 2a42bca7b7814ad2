// SPDX-License-Identifier: Apache-2.0
#include "StreamFilter.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <vector>

#include "ConvStream.h"
#include "ConversionTypes.h"
#include "InputCheck.h"
#include "UserTexts.h"
#include "Utf8Ends.h"

namespace marlo::cli {

namespace {

constexpr size_t kPieceSize = 1 << 20;

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

}  // namespace

std::string FilterStream(const ConvMarlo& engine, int32_t type, const TextEnds& ends, bool strict,
                         int inputFd, int outputFd, uint64_t& replaced) {
  std::string head;              // the checked start of the input
  bool checked = ends.fromUtf8;  // UTF-8 input is checked by its decoding
  const ConversionType& info = ConversionTypes()[size_t(type)];
  ConvStream stream(engine, OperationsOf(type));
  std::optional<Utf8ToForm> fromUtf8;
  std::optional<FormToUtf8> toUtf8;
  if (ends.fromUtf8) fromUtf8.emplace(engine, info.source, ends.lossy);
  if (ends.toUtf8) toUtf8.emplace(engine, info.target);
  std::vector<char> piece(ends.fromUtf8 || ends.toUtf8 ? kPieceSize / 4 : kPieceSize);
  while (true) {
    ssize_t n = ::read(inputFd, piece.data(), piece.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::string("cannot read standard input: ") + std::strerror(errno);
    const bool last = n == 0;
    std::string_view in(piece.data(), size_t(n));
    if (!checked) {
      head.append(in.substr(0, kCheckedBytes - head.size()));
      checked = last || head.size() >= kCheckedBytes;
      // Strict stops before writing what failed; a warning waits for the
      // whole head, unless the input ends first.
      if (strict || checked) {
        const std::string warning = CheckMessage(engine, type, head);
        if (!warning.empty() && strict) return "standard input: " + warning + text::kNotConverted;
        if (!warning.empty() && checked)
          std::cerr << "marlo-convert: standard input: " << warning << "\n";
      }
    }
    try {
      if (fromUtf8) in = fromUtf8->Feed(in, last);
    } catch (const Utf8Error& e) {
      return std::string("standard input: ") + e.what();
    }
    std::string_view out = stream.Feed(in, last);
    if (toUtf8) out = toUtf8->Feed(out, last);
    if (!WriteFully(outputFd, out))
      return std::string("cannot write standard output: ") + std::strerror(errno);
    if (last) {
      replaced = fromUtf8 ? fromUtf8->replaced() : 0;
      return {};
    }
  }
}

}  // namespace marlo::cli
