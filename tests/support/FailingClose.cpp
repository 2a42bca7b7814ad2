// SPDX-License-Identifier: Apache-2.0
// Loaded with LD_PRELOAD: close() of a file in the folder named by
// MARLO_FAIL_CLOSE_IN closes it, then reports EIO, as a network or full
// file system may do only when the file is closed.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int close(int fd) {
  using Close = int (*)(int);
  static const Close realClose = reinterpret_cast<Close>(::dlsym(RTLD_NEXT, "close"));
  const char* folder = std::getenv("MARLO_FAIL_CLOSE_IN");
  char target[4096];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = folder ? ::readlink(link.c_str(), target, sizeof target - 1) : -1;
  const int result = realClose(fd);
  if (n > 0 && std::strncmp(target, folder, std::strlen(folder)) == 0) {
    errno = EIO;
    return -1;
  }
  return result;
}
