// SPDX-License-Identifier: Apache-2.0
// The program's file access: folder and file tests, folder creation, and
// whole-file reading and writing of raw bytes (no decoding, no byte-order
// mark, no line-end change). Every failure throws FileError with a
// description that names the path and the reason.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace marlo::textfile {

class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

bool FolderExists(const std::filesystem::path& path);
// True only for a regular file (or a link to one).
bool FileExists(const std::filesystem::path& path);
// Creates one folder level; the parent must exist.
void CreateFolder(const std::filesystem::path& path);
void DeleteFile(const std::filesystem::path& path);

// Reads a whole regular file. A file of length zero, a folder, a device or a
// pipe, and a file larger than maxBytes fail.
std::string ReadAll(const std::filesystem::path& path, uint64_t maxBytes = UINT64_MAX);

// Writes a file so that it is never seen half-written: the bytes go to a
// temporary file beside the target, which Close renames over it. If Close is
// never reached, the target keeps its earlier content and the temporary file
// is removed.
class TextWriter {
 public:
  explicit TextWriter(std::filesystem::path target);
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void Write(std::string_view bytes);
  void WriteLine(std::string_view bytes);  // followed by CR LF
  void Close();

 private:
  [[noreturn]] void Fail(int error);
  void Discard();

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::FILE* file_ = nullptr;
};

// Writes the whole content at once through a TextWriter.
void WriteAll(const std::filesystem::path& path, std::string_view bytes);

}  // namespace marlo::textfile
