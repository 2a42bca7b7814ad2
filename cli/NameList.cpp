// SPDX-License-Identifier: Apache-2.0
#include "cli/NameList.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace marlo::cli {

NameList::NameList(const std::string& path, char separator)
    : fd_(path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC)),
      own_(path != "-"),
      separator_(separator) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), path);
}

NameList::~NameList() {
  if (own_) ::close(fd_);
}

// Reads what the list has now, up to a piece: a pipe gives what its writer
// wrote, and the names in it convert while the writer goes on.
bool NameList::Fill(int waitMs, bool& idle) {
  buffer_.erase(0, at_);
  at_ = 0;
  pollfd ready{fd_, POLLIN, 0};
  int polled;
  do polled = ::poll(&ready, 1, waitMs);
  while (polled < 0 && errno == EINTR);
  if (polled == 0) {
    idle = true;
    return true;
  }
  constexpr size_t kPiece = 64 * 1024;
  const size_t had = buffer_.size();
  buffer_.resize(had + kPiece);
  ssize_t got;
  do got = ::read(fd_, buffer_.data() + had, kPiece);
  while (got < 0 && errno == EINTR);
  buffer_.resize(had + size_t(got > 0 ? got : 0));
  if (got < 0) error_ = errno;
  return got > 0;
}

NameList::Got NameList::Take(std::string& name, int waitMs) {
  for (;;) {
    const size_t end = buffer_.find(separator_, at_);
    if (end != std::string::npos) {
      name.assign(buffer_, at_, end - at_);
      at_ = end + 1;
      if (!name.empty()) return Got::kName;
      continue;
    }
    bool idle = false;
    if (ended_ || !Fill(waitMs, idle)) {
      ended_ = true;
      // A last name without a separator after it is a name all the same.
      name.assign(buffer_, at_, std::string::npos);
      at_ = buffer_.size();
      return name.empty() ? Got::kEnd : Got::kName;
    }
    if (idle) return Got::kIdle;
  }
}

}  // namespace marlo::cli
