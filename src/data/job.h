#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <stop_token>
#include <thread>
#include <utility>

namespace orvane::data {

// How far work has come: called on the working thread.
using Progress = std::function<void(qint64 done, qint64 total)>;

// What a job's work is given: whether it is asked to stop, and where to say how far it is. The
// progress is passed on only when it has moved by a thousandth, so a listener is never flooded.
class JobControl {
 public:
  JobControl() = default;
  JobControl(std::stop_token stop, Progress progress)
      : stop_(std::move(stop)), progress_(std::move(progress)) {}

  [[nodiscard]] bool StopRequested() const { return stop_.stop_requested(); }
  [[nodiscard]] const std::stop_token& StopToken() const { return stop_; }
  void Report(qint64 done, qint64 total);
  // Report as a Progress, for work that takes one.
  [[nodiscard]] Progress Reporter() {
    return [this](qint64 done, qint64 total) { Report(done, total); };
  }

 private:
  std::stop_token stop_;
  Progress progress_;
  qint64 last_step_ = -1;
};

// The thread under every job: one piece of work at a time, stopped by request. Its calls come
// from one thread, the owner's.
class JobThread {
 public:
  JobThread() = default;
  JobThread(const JobThread&) = delete;
  JobThread& operator=(const JobThread&) = delete;
  ~JobThread() { Stop(); }

  // Work still running is stopped and waited for first.
  void Start(std::function<void(JobControl&)> work, Progress progress);
  // Asks the work to stop and returns at once.
  void Cancel() { thread_.request_stop(); }
  // Waits for the work to end.
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }
  void Stop() {
    Cancel();
    Wait();
  }
  // Until the work has returned.
  [[nodiscard]] bool Running() const { return running_.load(); }

 private:
  std::atomic<bool> running_ = false;
  std::jthread thread_;
};

// Work off the owner's thread that ends in a result: a find, a search, and later a check of the
// table or the recognition of a font. `done` is called on the working thread once for each
// Start, also for work that was stopped (which then says so in its result), and before the
// next work starts; it must not call back into the job. Destroying the job stops its work and
// waits for it: no thread outlives it.
template <typename Result>
class Job {
 public:
  using Work = std::function<Result(JobControl&)>;
  using Done = std::function<void(Result)>;

  void Start(Work work, Done done, const Progress& progress = {}) {
    thread_.Start([work = std::move(work),
                   done = std::move(done)](JobControl& control) { done(work(control)); },
                  progress);
  }
  void Cancel() { thread_.Cancel(); }
  void Wait() { thread_.Wait(); }
  void Stop() { thread_.Stop(); }
  [[nodiscard]] bool Running() const { return thread_.Running(); }

 private:
  JobThread thread_;
};

}  // namespace orvane::data
