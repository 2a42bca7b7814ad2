// SPDX-License-Identifier: Apache-2.0
// A fixed number of threads taking work from one queue: a run of a million
// files costs as many threads as it converts at once, not one per file.
#pragma once

#include <sched.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace marlo {

// The processors this process may run on (taskset, a container's CPU set),
// not the machine's.
inline int UsableProcessors() {
  cpu_set_t set;
  CPU_ZERO(&set);
  return ::sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 2;
}

class WorkerPool {
 public:
  // Fewer threads when the system has none to give; none at all means the
  // work runs where it is handed in.
  explicit WorkerPool(size_t threads) {
    for (size_t k = 0; k < threads; ++k) {
      try {
        threads_.emplace_back([this] { Work(); });
      } catch (const std::system_error&) {
        break;
      }
    }
  }
  ~WorkerPool() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      closing_ = true;
    }
    ready_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  template <typename Result>
  std::future<Result> Run(std::function<Result()> work) {
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    if (threads_.empty()) {
      (*task)();
      return result;
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      queue_.emplace_back([task] { (*task)(); });
    }
    ready_.notify_one();
    return result;
  }

 private:
  void Work() {
    for (;;) {
      std::function<void()> next;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return closing_ || !queue_.empty(); });
        if (queue_.empty()) return;  // closing, and nothing left to do
        next = std::move(queue_.front());
        queue_.pop_front();
      }
      next();
    }
  }

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> queue_;
  bool closing_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace marlo
