// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/tfontconfiguration.h"

#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#ifdef BR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace {

// The workers, joined when the program ends.
struct TReader {
  std::mutex Lock;
  std::vector<std::thread> Workers;
  std::shared_future<void> Read;  // valid once a reading was started
  std::atomic<bool> Done{false};  // the reading is over: nothing to wait for
  std::vector<std::function<void()>> Idle;  // for the first wait, see WhileWaiting
  bool Waited = false;                      // the first wait has begun
  ~TReader() {
    for (std::thread& worker : Workers) worker.join();
  }
};

TReader& Reader() {
  static TReader reader;
  return reader;
}

// Moves the new worker off the processor of the thread that starts it, when
// another is allowed. The reading is on the way to the window's first text
// while its starter goes on making the window; a new thread is often queued
// on its starter's processor and waits there until the load is balanced,
// milliseconds later, while the other processor idles.
void KeepApart(std::thread& worker, int starterCpu) {
  cpu_set_t allowed;
  if (starterCpu < 0 || pthread_getaffinity_np(worker.native_handle(), sizeof allowed, &allowed) != 0 ||
      !CPU_ISSET(starterCpu, &allowed))
    return;
  CPU_CLR(starterCpu, &allowed);
  if (CPU_COUNT(&allowed) > 0) pthread_setaffinity_np(worker.native_handle(), sizeof allowed, &allowed);
}

void ReadConfiguration() {
#ifdef BR_HAVE_FONTCONFIG
  // The library keeps the configuration it loads as the current one, which
  // is the one the toolkit's font database asks for later.
  FcInit();
#endif
}

}  // namespace

void TFontConfiguration::Start(std::function<void()> then) {
  TReader& reader = Reader();
  const std::lock_guard<std::mutex> guard(reader.Lock);
  if (reader.Read.valid()) {
    if (then) reader.Workers.emplace_back(std::move(then));
    return;
  }
  std::promise<void> done;
  reader.Read = done.get_future().share();
  reader.Workers.emplace_back([done = std::move(done), then = std::move(then)]() mutable {
    ReadConfiguration();
    done.set_value();
    if (then) then();
  });
  KeepApart(reader.Workers.back(), sched_getcpu());
}

void TFontConfiguration::Wait() {
  TReader& reader = Reader();
  if (reader.Done.load(std::memory_order_acquire)) return;
  std::shared_future<void> read;
  std::vector<std::function<void()>> idle;
  {
    const std::lock_guard<std::mutex> guard(reader.Lock);
    read = reader.Read;
    if (!reader.Waited) idle.swap(reader.Idle);
    reader.Waited = true;
  }
  if (!read.valid()) return;  // none started: the toolkit reads its own
  for (std::function<void()>& work : idle) {
    if (read.wait_for(std::chrono::seconds(0)) == std::future_status::ready) break;
    work();
  }
  read.wait();
  reader.Done.store(true, std::memory_order_release);
}

void TFontConfiguration::WhileWaiting(std::function<void()> work) {
  TReader& reader = Reader();
  const std::lock_guard<std::mutex> guard(reader.Lock);
  if (reader.Read.valid() && !reader.Waited) reader.Idle.push_back(std::move(work));
}
