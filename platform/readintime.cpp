// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/readintime.h"

#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <set>
#include <system_error>
#include <thread>

#include "platform/mounttable.h"

namespace {
constexpr std::chrono::seconds kIdleWorkerLifetime{30};  // an idle program keeps no spare thread for long
constexpr std::chrono::milliseconds kProgressLook{250};  // how often a waiter looks for signs of life

thread_local std::optional<TReadClock::time_point> tSharedDeadline;

struct TReadJob {
  std::function<void(TReadProgress&)> Read;
  TReadProgress Progress;
  bool Done = false;    // guarded by the pool's lock
  bool Missed = false;  // its waiter gave up; Place is then remembered as unanswering
  std::string Place;
};

// The workers and what they share with the waiters. The workers co-own it,
// so one still waiting in the kernel when the program ends touches nothing freed.
struct TReadPool {
  std::mutex Lock;
  std::condition_variable Work;      // a job is queued
  std::condition_variable Finished;  // a job is done
  std::deque<std::shared_ptr<TReadJob>> Queue;
  int Idle = 0;
  std::multiset<std::string> Unanswering;  // one entry per missed read still running
};

const std::shared_ptr<TReadPool>& Pool() {
  static const std::shared_ptr<TReadPool> pool = std::make_shared<TReadPool>();
  return pool;
}

bool Under(const std::string& path, const std::string& place) {
  if (place == "/") return true;
  return path == place ||
         (path.size() > place.size() && path.compare(0, place.size(), place) == 0 && path[place.size()] == '/');
}

bool UnansweringLocked(const TReadPool& pool, const std::string& path) {
  for (const std::string& place : pool.Unanswering)
    if (Under(path, place)) return true;
  return false;
}

// What to remember when a read hangs at `path`: its whole mount when that
// may wait on a server; else (a link out of a local folder, a dying disk)
// only the path itself, so the rest of a local disk stays readable.
std::string UnansweringPlaceOf(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const std::optional<TMount> mount = MountThatMayNotAnswerOn(path);
  return mount && !mount->Type.empty() ? mount->Point : path;
}

void Work(std::shared_ptr<TReadPool> pool) {
  std::unique_lock<std::mutex> lock(pool->Lock);
  for (;;) {
    ++pool->Idle;
    const bool got = pool->Work.wait_for(lock, kIdleWorkerLifetime, [&] { return !pool->Queue.empty(); });
    --pool->Idle;
    if (!got) return;
    std::shared_ptr<TReadJob> job = std::move(pool->Queue.front());
    pool->Queue.pop_front();
    lock.unlock();
    job->Read(job->Progress);
    job->Read = nullptr;  // what the read owned goes now, not with the waiter's last look
    lock.lock();
    job->Done = true;
    if (job->Missed) pool->Unanswering.erase(pool->Unanswering.find(job->Place));
    pool->Finished.notify_all();
  }
}

// Whether `path`, or the mount that may not answer it leads onto, lies
// where a read still waits.
bool IsUnansweringAt(const std::string& path, const std::optional<TMount>& mount) {
  const std::shared_ptr<TReadPool>& pool = Pool();
  std::lock_guard<std::mutex> guard(pool->Lock);
  if (pool->Unanswering.empty()) return false;
  return UnansweringLocked(*pool, path) || (mount && UnansweringLocked(*pool, mount->Point));
}

TReadClock::time_point DeadlineFromNow() {
  const TReadClock::time_point now = TReadClock::now();
  if (!tSharedDeadline) return now + kFolderReadTimeout;
  return std::max(*tSharedDeadline, now + kLateReadGrace);
}
}  // namespace

TReadDeadline::TReadDeadline(std::chrono::milliseconds timeout) : FSaved(tSharedDeadline) {
  const TReadClock::time_point mine = TReadClock::now() + timeout;
  tSharedDeadline = FSaved ? std::min(*FSaved, mine) : mine;
}

TReadDeadline::~TReadDeadline() { tSharedDeadline = FSaved; }

void TReadProgress::Touch(const std::string& path) {
  std::lock_guard<std::mutex> guard(FLock);
  FTouching = path;
}

std::string TReadProgress::Touching() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FTouching;
}

bool ReadInTime(const std::string& path, std::function<void(TReadProgress&)> read) {
  const std::optional<TMount> mount = MountThatMayNotAnswerOn(path);
  if (IsUnansweringAt(path, mount)) return false;
  if (!mount) {
    TReadProgress here;
    here.FDirect = true;
    read(here);
    return true;
  }
  TReadClock::time_point deadline = DeadlineFromNow();
  const std::shared_ptr<TReadPool>& pool = Pool();
  auto job = std::make_shared<TReadJob>();
  job->Read = std::move(read);
  std::unique_lock<std::mutex> lock(pool->Lock);
  if (UnansweringLocked(*pool, path)) return false;
  pool->Queue.push_back(job);
  if (pool->Idle < int(pool->Queue.size())) {
    try {
      std::thread(Work, pool).detach();
    } catch (const std::system_error&) {
      // No thread to be had: the read waits for a busy worker, within the deadline.
    }
  } else {
    pool->Work.notify_one();
  }
  // A read still answering, only slowly, is waited for a full timeout from
  // its last step; the steps are looked at a few times a second.
  std::uint64_t steps = 0;
  for (;;) {
    const TReadClock::time_point wake = std::min(deadline, TReadClock::now() + kProgressLook);
    if (pool->Finished.wait_until(lock, wake, [&] { return job->Done; })) return true;
    const TReadClock::time_point now = TReadClock::now();
    if (const std::uint64_t seen = job->Progress.Steps(); seen != steps) {
      steps = seen;
      deadline = std::max(deadline, now + kFolderReadTimeout);
    } else if (now >= deadline) {
      break;
    }
  }
  lock.unlock();
  const std::string touching = job->Progress.Touching();
  const std::string place = UnansweringPlaceOf(touching.empty() ? path : touching);
  lock.lock();
  if (job->Done) return true;
  // A job never started (no thread) is taken back; a running one is left to finish.
  for (auto it = pool->Queue.begin(); it != pool->Queue.end(); ++it)
    if (*it == job) {
      pool->Queue.erase(it);
      return false;
    }
  job->Missed = true;
  job->Place = place;
  pool->Unanswering.insert(place);
  return false;
}

bool IsUnanswering(const std::string& path) {
  {
    const std::shared_ptr<TReadPool>& pool = Pool();
    std::lock_guard<std::mutex> guard(pool->Lock);
    if (pool->Unanswering.empty()) return false;  // the usual case: no look at the links
  }
  return IsUnansweringAt(path, MountThatMayNotAnswerOn(path));
}

int UnansweredReads() {
  const std::shared_ptr<TReadPool>& pool = Pool();
  std::lock_guard<std::mutex> guard(pool->Lock);
  return int(pool->Unanswering.size());
}

bool ChangeDirectoryInTime(const std::string& dir) {
  struct TChange {
    std::mutex Lock;
    bool Changed = false, GivenUp = false;
  };
  auto change = std::make_shared<TChange>();
  char* cwd = getcwd(nullptr, 0);
  const std::string back = cwd ? cwd : "";
  free(cwd);
  ReadInTime(dir, [dir, back, change](TReadProgress&) {
    const bool changed = chdir(dir.c_str()) == 0;
    const std::lock_guard<std::mutex> guard(change->Lock);
    if (changed && change->GivenUp && !back.empty() && chdir(back.c_str()) != 0) {
      // The old directory went meanwhile: every path the program uses is whole.
    }
    change->Changed = changed && !change->GivenUp;
  });
  // Decided under the lock: a change that ends just after the deadline is
  // either seen here or undone there, never both nor neither.
  const std::lock_guard<std::mutex> guard(change->Lock);
  change->GivenUp = !change->Changed;
  return change->Changed;
}
