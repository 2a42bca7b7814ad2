// SPDX-License-Identifier: Apache-2.0
#include "cli/PieceReader.h"

#include "batch/WorkerPool.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace marlo::cli {

PieceReader::PieceReader(int fd, size_t pieceSize, size_t depth) : fd_(fd) {
  struct stat st {};
  regular_ = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  slots_.resize(regular_ ? depth : 1);
  for (Slot& slot : slots_) slot.bytes = ReadBuffer(pieceSize);
  // A small file is read before a thread would have started; on a single
  // usable processor a second thread only takes turns with the converter.
  if (!regular_ || depth < 2 || uint64_t(st.st_size) <= 2 * pieceSize || UsableProcessors() < 2)
    return;
  try {
    thread_ = std::thread(&PieceReader::ReadAheadLoop, this);
  } catch (const std::system_error&) {
    // No thread to be had: read when asked, as for a pipe.
  }
}

PieceReader::~PieceReader() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  slotsFreed_.notify_one();
  thread_.join();
}

void PieceReader::Fill(int fd, Slot& slot, bool wholePiece) {
  slot.size = 0;
  slot.error = 0;
  while (slot.size < slot.bytes.size()) {
    const ssize_t n = ::read(fd, slot.bytes.data() + slot.size, slot.bytes.size() - slot.size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      // Bytes already read go out first; the next read meets the error again.
      if (slot.size == 0) slot.error = errno;
      return;
    }
    if (n == 0) return;
    slot.size += size_t(n);
    // A pipe hands over what it has; waiting for a whole piece would hold
    // back output that could already be written.
    if (!wholePiece) return;
  }
}

void PieceReader::ReadAheadLoop() {
  while (true) {
    Slot* slot = nullptr;
    {
      std::unique_lock lock(mutex_);
      if (FreeSlots() == 0) {
        // Sleep until half the slots are free, then fill them in one go.
        readerWaiting_ = true;
        slotsFreed_.wait(lock, [&] { return stopping_ || FreeSlots() >= RefillSlots(); });
        readerWaiting_ = false;
      }
      if (stopping_) return;
      slot = &slots_[filled_ % slots_.size()];
    }
    Fill(fd_, *slot, true);
    const bool end = slot->size == 0 || slot->error != 0;
    bool wake = false;
    {
      std::lock_guard lock(mutex_);
      ++filled_;
      wake = takerWaiting_;
    }
    if (wake) pieceFilled_.notify_one();
    if (end) return;
  }
}

bool PieceReader::Next(std::string_view& piece, int& error) {
  if (ended_) {
    // The reading thread has stopped; asking again must not wait for it.
    piece = {};
    error = endError_;
    return error == 0;
  }
  Slot* slot = nullptr;
  if (!thread_.joinable()) {
    slot = &slots_[0];
    Fill(fd_, *slot, regular_);
  } else {
    std::unique_lock lock(mutex_);
    holding_ = false;
    if (readerWaiting_ && FreeSlots() >= RefillSlots()) slotsFreed_.notify_one();
    if (filled_ == taken_) {
      takerWaiting_ = true;
      pieceFilled_.wait(lock, [&] { return filled_ > taken_; });
      takerWaiting_ = false;
    }
    slot = &slots_[taken_ % slots_.size()];
    ++taken_;
    holding_ = true;
  }
  error = slot->error;
  piece = std::string_view(slot->bytes.data(), slot->size);
  if (slot->size == 0 || error != 0) {
    ended_ = true;
    endError_ = error;
  }
  return error == 0;
}

}  // namespace marlo::cli
