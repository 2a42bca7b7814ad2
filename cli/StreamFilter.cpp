// SPDX-License-Identifier: Apache-2.0
#include "StreamFilter.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "ConvStream.h"
#include "ConversionTypes.h"

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

std::string FilterStream(const ConvMarlo& engine, int32_t type, int inputFd, int outputFd) {
  ConvStream stream(engine, OperationsOf(type));
  std::vector<char> piece(kPieceSize);
  while (true) {
    ssize_t n = ::read(inputFd, piece.data(), piece.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::string("cannot read standard input: ") + std::strerror(errno);
    const std::string_view out = stream.Feed(std::string_view(piece.data(), size_t(n)), n == 0);
    if (!WriteFully(outputFd, out))
      return std::string("cannot write standard output: ") + std::strerror(errno);
    if (n == 0) return {};
  }
}

}  // namespace marlo::cli
