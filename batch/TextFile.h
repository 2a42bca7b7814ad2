// SPDX-License-Identifier: Apache-2.0
// The program's file access: folder and file tests, folder creation, and
// whole-file reading and writing of raw bytes (no decoding, no byte-order
// mark, no line-end change). Every failure throws FileError, which carries
// what was being done, the path and the reason.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "batch/Failure.h"

namespace marlo::textfile {

class FileError : public std::runtime_error {
 public:
  explicit FileError(Failure failure);
  const Failure& failure() const { return failure_; }

 private:
  Failure failure_;
};

bool FolderExists(const std::filesystem::path& path);
// Brings the file system holding a folder to disk, its folders' entries
// (renames, links) with it. Throws FileError.
void SyncFileSystemOf(const std::filesystem::path& folder);
// True only for a regular file (or a link to one).
bool FileExists(const std::filesystem::path& path);
// Creates one folder level; the parent must exist. A folder that is there
// already, made by someone else meanwhile too, is no failure.
void CreateFolder(const std::filesystem::path& path);
void DeleteFile(const std::filesystem::path& path);

// A folder held open: files below it are opened from it, one name at a
// time, so that no link put in the place of a folder or file since it was
// listed leads out of it.
class FolderHandle {
 public:
  // Opens a folder the user named (a link to one is followed). Throws
  // FileError.
  explicit FolderHandle(const std::filesystem::path& path);
  // Takes over a folder descriptor.
  explicit FolderHandle(int fd) : fd_(fd) {}
  ~FolderHandle();
  FolderHandle(const FolderHandle&) = delete;
  FolderHandle& operator=(const FolderHandle&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Where a reader opens its file: by the path as it stands, by the path with
// a link in its last place refused, or below a held folder by a relative
// path with a link in any place refused (FailureReason::kSymbolicLink).
struct OpenRule {
  const FolderHandle* below = nullptr;
  std::string_view relative;  // with below: the path under it ("sub/a.txt")
  bool noFollow = false;      // without below: the last name may not be a link
};

// Reads a regular file piece by piece. Opening fails for a file of length
// zero, a folder, a device or a pipe (without waiting for a writer).
class TextReader {
 public:
  explicit TextReader(std::filesystem::path path, const OpenRule& rule = {});
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  uint64_t size() const { return size_; }  // when opened
  // Fills up to size bytes; 0 at the end. Throws FileError.
  size_t Read(char* buffer, size_t size);

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  uint64_t size_ = 0;
};

// Reads a whole regular file, as TextReader opens it; a file larger than
// maxBytes fails too.
std::string ReadAll(const std::filesystem::path& path, uint64_t maxBytes = UINT64_MAX);

// The permission bits a new target gets when none are given: the usual ones.
unsigned DefaultFileMode();

// Writes a file so that it is never seen half-written: the bytes go to an
// unnamed temporary file in the target's folder, which Close links into
// place: straight to the target's name when it is new, else under a hidden
// name renamed over the target. Where the file system has no unnamed files,
// a hidden temporary file stands in, removed on failure and by
// RemoveTemporaryFiles. A hidden name says whose it is
// (".marlo-<process>-<boot>-…"): what a killed process left (a kill between
// link and rename) the next writer into the folder removes, when it is a
// plain file of the same user whose process is gone. If Close is never
// reached, the target keeps its earlier content. A replaced target keeps
// its permission bits; a new one gets newFileMode.
class TextWriter {
 public:
  explicit TextWriter(std::filesystem::path target, unsigned newFileMode = DefaultFileMode());
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void Write(std::string_view bytes);
  void WriteLine(std::string_view bytes);  // followed by CR LF
  // Puts the file in place. Unless mayReplace, a target that has appeared
  // since (another run finishing first) stays as it is, the file written
  // here is dropped, and Close says false. The bytes reach the disk first;
  // with onDisk the caller has made sure of that already (SyncFileSystem
  // after the last Write), which a batch of files does once for all.
  bool Close(bool mayReplace = true, bool onDisk = false);
  // Writes every file system's data that holds this file to disk (syncfs):
  // one call puts a whole batch of files there.
  void SyncFileSystem();
  // Which file system the file is on.
  uint64_t Device() const;

 private:
  [[noreturn]] void Fail(int error);
  void Discard();
  // Close without replacing what is in the target's place.
  bool KeepOthers();
  // Gives the open file a hidden name beside the target, for the rename.
  void LinkIntoFolder();

  std::filesystem::path target_;
  std::filesystem::path folder_;
  std::string temporary_;  // the hidden name while there is one
  int fd_ = -1;
  bool unnamed_ = false;
  bool replacing_ = false;  // a target was there when the writer opened
};

// Writes the whole content at once through a TextWriter.
void WriteAll(const std::filesystem::path& path, std::string_view bytes,
              unsigned newFileMode = DefaultFileMode());

// Removes the hidden temporary files of writers under way. Safe to call
// from a signal handler that then ends the process.
void RemoveTemporaryFiles() noexcept;

}  // namespace marlo::textfile
