// SPDX-License-Identifier: Apache-2.0
#include "TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include "UserTexts.h"

namespace marlo::textfile {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Throw(const char* what, const fs::path& path, const std::string& reason) {
  std::string message = what;
  message.append(" \"").append(path.string()).append("\": ").append(reason);
  throw FileError(message);
}

[[noreturn]] void ThrowErrno(const char* what, const fs::path& path, int error) {
  Throw(what, path, std::strerror(error));
}

using text::kCannotOpen;
using text::kCannotRead;
using text::kCannotWrite;

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

bool FolderExists(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool FileExists(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

void CreateFolder(const fs::path& path) {
  if (::mkdir(path.c_str(), 0777) != 0) ThrowErrno(text::kCannotCreateFolder, path, errno);
}

void DeleteFile(const fs::path& path) {
  if (::unlink(path.c_str()) != 0) ThrowErrno(text::kCannotDelete, path, errno);
}

std::string ReadAll(const fs::path& path, uint64_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) ThrowErrno(kCannotOpen, path, errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};

  struct stat info;
  if (::fstat(fd, &info) != 0) ThrowErrno(kCannotRead, path, errno);
  if (!S_ISREG(info.st_mode)) Throw(kCannotRead, path, text::kNotRegularFile);
  if (info.st_size == 0) Throw(kCannotRead, path, text::kEmptyFile);
  if (uint64_t(info.st_size) > maxBytes) Throw(kCannotRead, path, text::kFileTooLarge);

  std::string content;
  try {
    content.resize(size_t(info.st_size));
  } catch (const std::bad_alloc&) {
    Throw(kCannotRead, path, text::kFileTooLarge);
  } catch (const std::length_error&) {
    Throw(kCannotRead, path, text::kFileTooLarge);
  }
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = ::read(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno(kCannotRead, path, errno);
    if (n == 0) break;  // the file shrank while being read
    done += size_t(n);
  }
  content.resize(done);
  if (content.empty()) Throw(kCannotRead, path, text::kEmptyFile);
  return content;
}

TextWriter::TextWriter(fs::path target) : target_(std::move(target)) {
  const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
  std::string hiddenName = ".";
  hiddenName.append(target_.filename().string()).append(".marlo-XXXXXX");
  std::string pattern = (folder / hiddenName).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) ThrowErrno(kCannotWrite, target_, errno);
  temporary_ = pattern;
  // Keep the permissions of the file being replaced; a new file gets the
  // usual ones.
  struct stat existing;
  const mode_t mode = ::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)
                          ? existing.st_mode & 07777
                          : 0666 & ~CurrentUmask();
  ::fchmod(fd, mode);
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
}

TextWriter::~TextWriter() { Discard(); }

void TextWriter::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

void TextWriter::Fail(int error) {
  Discard();
  ThrowErrno(kCannotWrite, target_, error);
}

void TextWriter::Write(std::string_view bytes) {
  if (!file_) Fail(EBADF);
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
    Fail(errno ? errno : EIO);
}

void TextWriter::WriteLine(std::string_view bytes) {
  Write(bytes);
  Write("\r\n");
}

void TextWriter::Close() {
  if (!file_) Fail(EBADF);
  errno = 0;
  if (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) Fail(errno ? errno : EIO);
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) Fail(errno ? errno : EIO);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  temporary_.clear();
}

void WriteAll(const fs::path& path, std::string_view bytes) {
  TextWriter writer(path);
  writer.Write(bytes);
  writer.Close();
}

}  // namespace marlo::textfile
