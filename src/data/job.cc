#include "data/job.h"

namespace orvane::data {
namespace {

constexpr qint64 kProgressSteps = 1000;

}  // namespace

void JobControl::Report(qint64 done, qint64 total) {
  if (!progress_) return;
  const qint64 step = total > 0 ? done * kProgressSteps / total : kProgressSteps;
  if (step == last_step_) return;
  last_step_ = step;
  progress_(done, total);
}

void JobThread::Start(std::function<void(JobControl&)> work, Progress progress) {
  Stop();
  running_ = true;
  thread_ = std::jthread(
      [this, work = std::move(work), progress = std::move(progress)](const std::stop_token& stop) {
        JobControl control(stop, progress);
        work(control);
        running_ = false;
      });
}

}  // namespace orvane::data
