// SPDX-License-Identifier: Apache-2.0
// The names of a --files-from list, read as they come: a list of millions
// of names costs no more memory than one piece of it, and a list from a
// pipe that stays open converts what it has named so far.
#pragma once

#include <string>

namespace marlo::cli {

class NameList {
 public:
  // The list at path ("-": standard input); separator '\n' as find -print
  // writes names, '\0' as find -print0. Throws std::system_error when the
  // list cannot be opened.
  NameList(const std::string& path, char separator);
  ~NameList();
  NameList(const NameList&) = delete;
  NameList& operator=(const NameList&) = delete;

  // The next name, empty ones passed over; false at the list's end, or on
  // a read error, which error() then holds (errno).
  bool Next(std::string& name) { return Take(name, -1) == Got::kName; }
  // The same, waiting at most waitMs for the list's writer (-1: as long as
  // it takes): kIdle when it wrote nothing meanwhile.
  enum class Got { kName, kEnd, kIdle };
  Got Take(std::string& name, int waitMs);
  int error() const { return error_; }

 private:
  bool Fill(int waitMs, bool& idle);

  int fd_;
  bool own_;
  char separator_;
  std::string buffer_;
  size_t at_ = 0;
  bool ended_ = false;
  int error_ = 0;
};

}  // namespace marlo::cli
