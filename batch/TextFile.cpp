// SPDX-License-Identifier: Apache-2.0
#include "batch/TextFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <mutex>
#include <new>
#include <optional>
#include <regex>
#include <set>

#include "batch/UserTexts.h"

namespace marlo::textfile {

namespace fs = std::filesystem;

FileError::FileError(Failure failure)
    : std::runtime_error("marlo::FileError (its words: Describe(failure()))"),
      failure_(std::move(failure)) {}

namespace {

[[noreturn]] void Throw(FileAction action, const fs::path& path, FailureReason reason) {
  throw FileError({action, reason, path.string()});
}

[[noreturn]] void ThrowErrno(FileAction action, const fs::path& path, int error) {
  throw FileError({action, FailureReason::kSystem, path.string(), error});
}

constexpr FileAction kCannotOpen = FileAction::kOpen;
constexpr FileAction kCannotRead = FileAction::kRead;
constexpr FileAction kCannotWrite = FileAction::kWrite;

// The process's file mode mask, read without changing it: setting it to 0
// for a moment, the only other way, would let a file or folder another
// thread makes meanwhile (a run with -j) come out writable by anyone.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Umask:", 0) == 0) return mode_t(std::stoul(line.substr(6), nullptr, 8));
  // Without /proc: once, before any worker runs, as the first file is
  // prepared on the run's own thread.
  static const mode_t mask = [] {
    const mode_t old = ::umask(0);
    ::umask(old);
    return old;
  }();
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
  if (::mkdir(path.c_str(), 0777) == 0) return;
  const int error = errno;
  // Another run may have made it between our look and our mkdir.
  if (error == EEXIST && FolderExists(path)) return;
  ThrowErrno(FileAction::kCreateFolder, path, error);
}

void SyncFileSystemOf(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) ThrowErrno(kCannotWrite, folder, errno);
  const int synced = ::syncfs(fd);
  const int error = errno;
  ::close(fd);
  if (synced != 0) ThrowErrno(kCannotWrite, folder, error);
}

void DeleteFile(const fs::path& path) {
  if (::unlink(path.c_str()) != 0) ThrowErrno(FileAction::kDelete, path, errno);
}

FolderHandle::FolderHandle(const fs::path& path)
    : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (fd_ < 0) ThrowErrno(FileAction::kReadFolder, path, errno);
}

FolderHandle::~FolderHandle() { ::close(fd_); }

namespace {

// A link met where O_NOFOLLOW stands: its own words, not "too many levels
// of symbolic links".
[[noreturn]] void ThrowOpen(const fs::path& path, int error) {
  if (error == ELOOP) Throw(kCannotOpen, path, FailureReason::kSymbolicLink);
  ThrowErrno(kCannotOpen, path, error);
}

// Opens relative below folder one name at a time, refusing a link in any
// place: the kernel resolves nothing the walk did not see.
int OpenBelow(int folder, std::string_view relative, const fs::path& path) {
  constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;
  int at = folder;
  for (;;) {
    const size_t slash = relative.find('/');
    const std::string name(relative.substr(0, slash));
    const int next =
        slash == std::string_view::npos
            ? ::openat(at, name.c_str(), kReadFlags)
            : ::openat(at, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    if (at != folder) ::close(at);
    // A folder that became a link fails as ELOOP or as no folder.
    if (next < 0)
      ThrowOpen(path, slash != std::string_view::npos && error == ENOTDIR ? ELOOP : error);
    if (slash == std::string_view::npos) return next;
    at = next;
    relative.remove_prefix(slash + 1);
  }
}

}  // namespace

TextReader::TextReader(fs::path path, const OpenRule& rule) : path_(std::move(path)) {
  if (rule.below) {
    fd_ = OpenBelow(rule.below->fd(), rule.relative, path_);
  } else {
    fd_ =
        ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | (rule.noFollow ? O_NOFOLLOW : 0));
    if (fd_ < 0) ThrowOpen(path_, errno);
  }
  struct stat info;
  if (::fstat(fd_, &info) != 0) {
    const int error = errno;
    ::close(fd_);
    ThrowErrno(kCannotRead, path_, error);
  }
  if (!S_ISREG(info.st_mode) || info.st_size == 0) {
    ::close(fd_);
    Throw(kCannotRead, path_,
          S_ISREG(info.st_mode) ? FailureReason::kEmptyFile : FailureReason::kNotRegularFile);
  }
  size_ = uint64_t(info.st_size);
}

TextReader::~TextReader() { ::close(fd_); }

size_t TextReader::Read(char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd_, buffer + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno(kCannotRead, path_, errno);
    if (n == 0) break;
    done += size_t(n);
  }
  return done;
}

std::string ReadAll(const fs::path& path, uint64_t maxBytes) {
  TextReader reader(path);
  if (reader.size() > maxBytes) Throw(kCannotRead, path, FailureReason::kFileTooLarge);
  std::string content;
  try {
    content.resize(size_t(reader.size()));
  } catch (const std::bad_alloc&) {
    Throw(kCannotRead, path, FailureReason::kFileTooLarge);
  } catch (const std::length_error&) {
    Throw(kCannotRead, path, FailureReason::kFileTooLarge);
  }
  // The kernel copies into bytes that do not start on a 64-byte boundary
  // several times slower (see ReadBuffer): a first short read brings the
  // rest up to one.
  const size_t head =
      std::min(content.size(), size_t(-reinterpret_cast<uintptr_t>(content.data()) & 63));
  size_t got = reader.Read(content.data(), head);
  if (got == head) got += reader.Read(content.data() + head, content.size() - head);
  content.resize(got);  // the file may have shrunk
  if (content.empty()) Throw(kCannotRead, path, FailureReason::kEmptyFile);
  return content;
}

unsigned DefaultFileMode() { return 0666 & ~CurrentUmask(); }

namespace {

// The hidden names of writers under way, for a signal handler to remove.
// Slots hold pointers into the writers' own strings. A writer holds one
// name at a time and a run has at most 256 workers: twice that is never
// all taken.
std::array<std::atomic<const char*>, 512> pendingNames{};

void Remember(const std::string& name) {
  for (auto& slot : pendingNames) {
    const char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, name.c_str())) return;
  }
}

void Forget(const std::string& name) {
  for (auto& slot : pendingNames) {
    const char* mine = name.c_str();
    if (slot.compare_exchange_strong(mine, nullptr)) return;
  }
}

// The first eight hex digits of this boot's identity: a process number
// means something only within one boot.
const std::string& BootTag() {
  static const std::string tag = [] {
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(file, id);
    return id.size() >= 8 ? id.substr(0, 8) : std::string("00000000");
  }();
  return tag;
}

// A name of bounded length, whatever the target's (a target name of up to
// 255 bytes must stay convertible), that says whose it is:
// ".marlo-<process>-<boot>-<ten letters>".
std::string HiddenName(const fs::path& folder) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  static std::atomic<uint64_t> counter{0};
  uint64_t seed = uint64_t(::getpid()) * 0x9E3779B97F4A7C15ull ^ uint64_t(::time(nullptr)) ^
                  (counter++ * 0xBF58476D1CE4E5B9ull) ^
                  uint64_t(reinterpret_cast<uintptr_t>(&seed));
  std::string name = ".marlo-" + std::to_string(::getpid()) + "-" + BootTag() + "-";
  for (int k = 0; k < 10; ++k) {
    name += kLetters[seed % 36];
    seed = seed / 36 ^ (seed << 29);
  }
  return (folder / name).string();
}

// What a hidden name says of its writer: its process, when the name is of
// this boot (a boot of unknown identity, without /proc, says nothing of
// it). Nothing when the name is not exactly one of ours.
struct HiddenWriter {
  std::optional<pid_t> process;
};
std::optional<HiddenWriter> WriterOf(const std::string& name) {
  static const std::regex pattern("\\.marlo-([0-9]{1,10})-([0-9a-f]{8})-[a-z0-9]{10}");
  std::smatch match;
  if (!std::regex_match(name, match, pattern)) return std::nullopt;
  const bool unknownBoot = match[2] == "00000000" || BootTag() == "00000000";
  if (!unknownBoot && match[2] != BootTag()) return std::nullopt;
  const unsigned long pid = std::stoul(match[1]);
  if (pid == 0 || pid > 0x7FFFFFFF) return std::nullopt;
  return HiddenWriter{unknownBoot ? std::nullopt : std::optional(pid_t(pid))};
}

// A writer holds its file locked from before the file has a name until it
// is closed, in whatever process namespace it runs: a file whose lock can
// be had is a dead writer's.
bool LockForWriting(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

// Removes a hidden file when provably nobody's: its lock can be had, and it
// has no other name (a target that took it as its own). The name is still
// the file that was locked when it goes.
void RemoveIfDead(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  struct stat locked, named;
  if (LockForWriting(fd) && ::fstat(fd, &locked) == 0 && S_ISREG(locked.st_mode) &&
      locked.st_nlink == 1 && ::lstat(path.c_str(), &named) == 0 && named.st_dev == locked.st_dev &&
      named.st_ino == locked.st_ino)
    ::unlink(path.c_str());
  ::close(fd);
}

bool UnnamedFilesWork() {
  // Linking an unnamed file goes through /proc; without it, use names.
  static const bool proc = ::access("/proc/self/fd", X_OK) == 0;
  return proc;
}

// A rename that fails with EEXIST where the target exists. A file system
// without the kernel's own (RENAME_NOREPLACE) gets a link and an unlink,
// which keep the same promise.
bool RenameWithoutReplacing(const std::string& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

// What a killed writer left in the folder, removed (see TextWriter).
void RemoveLeftovers(const fs::path& folder) {
  // Once per folder and process: a run writes many files into one folder.
  static std::mutex mutex;
  static std::set<std::string> cleaned;
  {
    const std::lock_guard lock(mutex);
    if (!cleaned.insert(fs::absolute(folder).lexically_normal().string()).second) return;
  }
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const std::optional<HiddenWriter> writer = WriterOf(name);
    if (!writer || writer->process == ::getpid()) continue;
    // Only a plain file of this user, never what a link points at: a shared
    // folder may hold other users' files.
    struct stat info;
    if (::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid())
      continue;
    // A writer of this namespace that lives is at it; one elsewhere, or
    // of an older version, is told by its lock.
    if (writer->process && (::kill(*writer->process, 0) == 0 || errno != ESRCH)) continue;
    RemoveIfDead(it->path());
  }
}

}  // namespace

TextWriter::TextWriter(fs::path target, unsigned newFileMode) : target_(std::move(target)) {
  folder_ = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
  // What a killed writer left here, a run of this user's cleans up.
  RemoveLeftovers(folder_);
  // Keep the permissions of the file being replaced.
  struct stat existing;
  replacing_ = ::stat(target_.c_str(), &existing) == 0;
  const mode_t mode = replacing_ && S_ISREG(existing.st_mode) ? existing.st_mode & 07777
                                                              : mode_t(newFileMode & 07777);
  if (UnnamedFilesWork()) {
    fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
      ThrowErrno(kCannotWrite, target_, errno);
    unnamed_ = fd_ >= 0;
    if (unnamed_) LockForWriting(fd_);  // before it has a name to be found by
  }
  if (fd_ < 0) {
    for (int attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
      temporary_ = HiddenName(folder_);
      Remember(temporary_);
      fd_ = ::open(temporary_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
      if (fd_ < 0) {
        const int error = errno;
        Forget(temporary_);
        temporary_.clear();
        if (error != EEXIST) ThrowErrno(kCannotWrite, target_, error);
        continue;
      }
      // Between the open and the lock another run's clean-up may have
      // taken the file for a dead writer's: then it is not ours to use.
      struct stat mine;
      if (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd_);
        fd_ = -1;
      } else if (::fstat(fd_, &mine) == 0 && mine.st_nlink == 0) {
        ::close(fd_);
        fd_ = -1;
      }
      if (fd_ < 0) {
        Forget(temporary_);
        temporary_.clear();
      }
    }
    if (fd_ < 0) ThrowErrno(kCannotWrite, target_, EEXIST);
  }
  if (::fchmod(fd_, mode) != 0) Fail(errno);
}

TextWriter::~TextWriter() { Discard(); }

void TextWriter::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    Forget(temporary_);
    temporary_.clear();
  }
}

bool TextWriter::KeepOthers() {
  // Only another's file is kept: a folder or anything else in the target's
  // place fails as the rename over it would.
  struct stat there;
  if (::lstat(target_.c_str(), &there) == 0 && !S_ISREG(there.st_mode))
    Fail(S_ISDIR(there.st_mode) ? EISDIR : EEXIST);
  Discard();
  return false;
}

void TextWriter::Fail(int error) {
  Discard();
  ThrowErrno(kCannotWrite, target_, error);
}

void TextWriter::Write(std::string_view bytes) {
  if (fd_ < 0) Fail(EBADF);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    done += size_t(n);
  }
}

void TextWriter::WriteLine(std::string_view bytes) {
  Write(bytes);
  Write("\r\n");
}

void TextWriter::LinkIntoFolder() {
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary_ = HiddenName(folder_);
    Remember(temporary_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return;
    const int error = errno;
    Forget(temporary_);
    temporary_.clear();
    if (error != EEXIST) Fail(error);
  }
  Fail(EEXIST);
}

void TextWriter::SyncFileSystem() {
  if (fd_ < 0) Fail(EBADF);
  if (::syncfs(fd_) != 0) Fail(errno);
}

uint64_t TextWriter::Device() const {
  struct stat info;
  return fd_ >= 0 && ::fstat(fd_, &info) == 0 ? uint64_t(info.st_dev) : 0;
}

bool TextWriter::Close(bool mayReplace, bool onDisk) {
  if (fd_ < 0) Fail(EBADF);
  // On disk before it replaces anything: a crash leaves the earlier file.
  if (!onDisk && ::fsync(fd_) != 0) Fail(errno);
  if (replacing_ && !mayReplace) return KeepOthers();
  if (unnamed_ && !replacing_) {
    // Nothing to replace: the file takes its name at once, and no moment
    // exists in which a kill leaves it under another.
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      const int closed = ::close(fd_);
      fd_ = -1;
      if (closed != 0) {
        ::unlink(target_.c_str());
        ThrowErrno(kCannotWrite, target_, errno);
      }
      return true;
    }
    if (errno != EEXIST) Fail(errno);  // one appeared meanwhile: replace it as below
    if (!mayReplace) return KeepOthers();
  }
  // No name can link over an existing file, so the file gets a hidden name
  // for the moment of the rename.
  if (unnamed_) LinkIntoFolder();
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) Fail(errno);
  if (mayReplace ? ::rename(temporary_.c_str(), target_.c_str()) != 0
                 : !RenameWithoutReplacing(temporary_, target_)) {
    if (errno != EEXIST) Fail(errno);
    return KeepOthers();
  }
  Forget(temporary_);
  temporary_.clear();
  return true;
}

void WriteAll(const fs::path& path, std::string_view bytes, unsigned newFileMode) {
  TextWriter writer(path, newFileMode);
  writer.Write(bytes);
  writer.Close();
}

void RemoveTemporaryFiles() noexcept {
  for (auto& slot : pendingNames)
    if (const char* name = slot.load()) ::unlink(name);
}

}  // namespace marlo::textfile
