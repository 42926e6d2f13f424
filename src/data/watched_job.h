#pragma once

#include "data/job.h"

#include <QMetaObject>
#include <QObject>

#include <functional>
#include <memory>
#include <utility>

namespace orvane::data {

// A job whose progress and result come to the thread that made it (a window's) as queued calls
// through its event loop: nothing polls. What the owner sees follows its own calls, not the
// worker's timing: after Cancel or a new Start the earlier work's result never comes, and Busy()
// is false from Cancel on. Destroying it stops the work and drops what was on its way.
template <typename Result>
class WatchedJob {
 public:
  using Done = std::function<void(Result)>;

  WatchedJob() = default;
  WatchedJob(const WatchedJob&) = delete;
  WatchedJob& operator=(const WatchedJob&) = delete;
  ~WatchedJob() { job_.Stop(); }

  // `progress` and `done` are called on this thread.
  void Start(typename Job<Result>::Work work, Done done, Progress progress = {}) {
    job_.Stop();
    const quint64 run = ++run_;
    busy_ = true;
    done_ = std::move(done);
    progress_ = std::move(progress);
    QObject* relay = relay_.get();
    job_.Start(
        std::move(work),
        [this, relay, run](Result result) {
          auto held = std::make_shared<Result>(std::move(result));
          QMetaObject::invokeMethod(
              relay, [this, run, held] { Arrived(run, std::move(*held)); }, Qt::QueuedConnection);
        },
        [this, relay, run](qint64 done_bytes, qint64 total) {
          QMetaObject::invokeMethod(
              relay,
              [this, run, done_bytes, total] {
                if (run == run_ && busy_ && progress_) progress_(done_bytes, total);
              },
              Qt::QueuedConnection);
        });
  }
  // The work is asked to stop; its result is dropped.
  void Cancel() {
    ++run_;
    busy_ = false;
    job_.Cancel();
  }
  // Cancels and waits for the work to end.
  void Stop() {
    Cancel();
    job_.Wait();
  }
  // Started, and neither done nor cancelled.
  [[nodiscard]] bool Busy() const { return busy_; }

 private:
  void Arrived(quint64 run, Result result) {
    if (run != run_ || !busy_) return;
    busy_ = false;
    // Held here: `done` may start the next work, which gives the job a new one.
    const Done done = std::move(done_);
    if (done) done(std::move(result));
  }

  // The receiver of the queued calls: destroyed after the job, it takes those not yet delivered.
  std::unique_ptr<QObject> relay_ = std::make_unique<QObject>();
  quint64 run_ = 0;
  bool busy_ = false;
  Done done_;
  Progress progress_;
  Job<Result> job_;  // last: destroyed first, so no call comes after the members above are gone
};

}  // namespace orvane::data
