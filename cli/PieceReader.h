// SPDX-License-Identifier: Apache-2.0
// Reads standard input piece by piece. From a regular file it reads on a
// second thread, a few pieces ahead, so the kernel's copy into our buffers
// runs while the previous piece is converted; from a pipe or terminal it
// reads when asked, since a read there may wait for ever and a thread stuck
// in it could not be stopped.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "batch/ReadBuffer.h"

namespace marlo::cli {

class PieceReader {
 public:
  PieceReader(int fd, size_t pieceSize, size_t depth = 8);
  ~PieceReader();
  PieceReader(const PieceReader&) = delete;
  PieceReader& operator=(const PieceReader&) = delete;

  // The next piece, empty at the end of the input. It stays valid until the
  // next call. A failed read returns false with its errno in error.
  bool Next(std::string_view& piece, int& error);

 private:
  struct Slot {
    ReadBuffer bytes;
    size_t size = 0;
    int error = 0;  // errno of a failed read
  };

  // Fills one slot: a whole piece unless the input ends first, or with
  // wholePiece false whatever one read brings.
  static void Fill(int fd, Slot& slot, bool wholePiece);
  void ReadAheadLoop();

  const int fd_;
  bool regular_ = false;
  bool ended_ = false;  // the end or an error was handed out
  int endError_ = 0;
  std::vector<Slot> slots_;
  // The reading thread sleeps until this many slots are free.
  size_t RefillSlots() const { return slots_.size() / 2; }
  // Slots neither waiting to be taken nor held.
  size_t FreeSlots() const { return slots_.size() - (filled_ - taken_) - (holding_ ? 1 : 0); }

  std::mutex mutex_;
  std::condition_variable slotsFreed_;   // the reading thread waits on it
  std::condition_variable pieceFilled_;  // Next waits on it
  size_t filled_ = 0;                    // slots filled so far, counted from the start
  size_t taken_ = 0;                     // slots handed out
  bool holding_ = false;                 // the last slot handed out is still in use
  bool stopping_ = false;
  // Only a thread that sleeps is woken: on a virtual machine a wake-up
  // costs about as much as reading a piece.
  bool readerWaiting_ = false;
  bool takerWaiting_ = false;
  std::thread thread_;
};

}  // namespace marlo::cli
