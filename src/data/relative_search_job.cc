#include "data/relative_search_job.h"

namespace orvane::data {

void SearchJob::Start(Query query, std::unique_ptr<DataSource> source, Done done,
                      Progress progress) {
  Stop();
  running_ = true;
  thread_ = std::jthread([this, query = std::move(query), source = std::move(source),
                          done = std::move(done),
                          progress = std::move(progress)](const std::stop_token& stop) {
    SearchResult result = Search(query, *source, stop, progress);
    running_ = false;
    done(std::move(result));
  });
}

void SearchJob::Wait() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace orvane::data
