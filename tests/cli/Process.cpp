// SPDX-License-Identifier: Apache-2.0
#include "tests/cli/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

namespace marlo::test {

namespace {

std::vector<char*> Argv(const std::vector<std::string>& argv) {
  std::vector<char*> pointers;
  for (const std::string& a : argv) pointers.push_back(const_cast<char*>(a.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

// A copy of the program that nobody can run: a clone in root's private
// home (mode 700) is out of its reach. One copy a program, removed at exit.
std::string ReachableByNobody(const std::string& program) {
  static std::map<std::string, std::string> copies;
  static const std::string folder = [] {
    char pattern[] = "/tmp/marlo-nobody-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) return std::string();
    ::chmod(made, 0755);
    static const std::string kept = made;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(kept, ignored);
    });
    return kept;
  }();
  if (folder.empty()) return program;
  auto [it, added] = copies.emplace(program, "");
  if (added) {
    const std::string copy = folder + "/" + std::filesystem::path(program).filename().string();
    std::error_code error;
    std::filesystem::copy_file(program, copy, std::filesystem::copy_options::overwrite_existing,
                               error);
    ::chmod(copy.c_str(), 0755);
    it->second = error ? program : copy;
  }
  return it->second;
}

int WaitExit(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& given, const ProcessOptions& options) {
  std::vector<std::string> argv = given;
  if (options.unprivileged && ::geteuid() == 0 && !argv.empty())
    argv[0] = ReachableByNobody(argv[0]);
  int in[2], out[2], err[2];
  if (::pipe2(in, O_CLOEXEC) || ::pipe2(out, O_CLOEXEC) || ::pipe2(err, O_CLOEXEC)) return {};
  // A program that exits before reading all its input must not take the
  // test down with it: the write fails with EPIPE instead.
  ::signal(SIGPIPE, SIG_IGN);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGPIPE, SIG_DFL);  // the program meets a closed pipe as it would anywhere
    if (!options.inputPath.empty()) {
      const int file = ::open(options.inputPath.c_str(), O_RDONLY);
      ::dup2(file, 0);
    } else {
      ::dup2(in[0], 0);
    }
    ::dup2(out[1], 1);
    if (!options.outputPath.empty()) {
      const int file = ::open(options.outputPath.c_str(), O_WRONLY);
      ::dup2(file, 1);
    }
    if (options.closeOutput) ::close(1);
    if (options.closeInput) ::close(0);
    ::dup2(err[1], 2);
    if (!options.workingDirectory.empty() && ::chdir(options.workingDirectory.c_str()) != 0)
      ::_exit(126);
    if (options.unprivileged && ::geteuid() == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(126);
    }
    auto args = Argv(argv);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);
  ProcessResult result;
  size_t written = 0;
  if (options.input.empty()) ::close(in[1]);
  pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {in[1], POLLOUT, 0}};
  int open = 2;
  while (open > 0 || written < options.input.size()) {
    const nfds_t count = written < options.input.size() ? 3 : 2;
    if (::poll(fds, count, 10000) <= 0) break;
    for (int k = 0; k < 2; ++k) {
      if (fds[k].fd < 0 || !(fds[k].revents & (POLLIN | POLLHUP))) continue;
      char buffer[65536];
      const ssize_t n = ::read(fds[k].fd, buffer, sizeof buffer);
      if (n <= 0) {
        ::close(fds[k].fd);
        fds[k].fd = -1;
        --open;
      } else {
        (k == 0 ? result.out : result.err).append(buffer, size_t(n));
      }
    }
    if (count == 3 && (fds[2].revents & (POLLOUT | POLLERR))) {
      const ssize_t n = ::write(in[1], options.input.data() + written,
                                std::min<size_t>(65536, options.input.size() - written));
      written = n > 0 ? written + size_t(n) : options.input.size();
      if (written == options.input.size()) ::close(in[1]);
    }
  }
  result.exitCode = WaitExit(pid);
  return result;
}

ProcessResult RunOnTerminal(const std::vector<std::string>& argv, const std::string& typed) {
  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    auto args = Argv(argv);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  ProcessResult result;
  size_t typedSoFar = 0, answered = 0;
  while (true) {
    pollfd fd = {master, POLLIN, 0};
    if (::poll(&fd, 1, 10000) <= 0) break;
    char buffer[4096];
    const ssize_t n = ::read(master, buffer, sizeof buffer);
    if (n <= 0) break;  // the child closed the terminal
    result.out.append(buffer, size_t(n));
    // Answer each question as it comes, one typed line per question.
    size_t asked = 0;
    for (size_t at = result.out.find("[Y/n]"); at != std::string::npos;
         at = result.out.find("[Y/n]", at + 1))
      ++asked;
    while (answered < asked && typedSoFar < typed.size()) {
      const size_t lineEnd = typed.find('\n', typedSoFar);
      const std::string line = typed.substr(typedSoFar, lineEnd - typedSoFar + 1);
      if (::write(master, line.data(), line.size()) < 0) break;
      typedSoFar = lineEnd + 1;
      ++answered;
    }
  }
  ::close(master);
  result.exitCode = WaitExit(pid);
  return result;
}

}  // namespace marlo::test
