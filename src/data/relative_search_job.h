#pragma once

#include "data/relative_search.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace orvane::data {

// Runs one search at a time on a thread of its own, on a query and a source it owns, so that
// nothing the caller changes meanwhile reaches it. Destroying the job stops the search and waits
// for its thread: none is left running. Its own calls come from one thread, the owner's.
class SearchJob {
 public:
  // Called once for each Start, on the searching thread, with the result (cancelled when it was
  // stopped). It must not call back into the job.
  using Done = std::function<void(SearchResult)>;

  SearchJob() = default;
  SearchJob(const SearchJob&) = delete;
  SearchJob& operator=(const SearchJob&) = delete;
  ~SearchJob() { Stop(); }

  // A search still running is stopped first: its Done comes, cancelled, before this one starts.
  void Start(Query query, std::unique_ptr<DataSource> source, Done done, Progress progress = {});
  // Asks the search to stop after the block in hand, and returns at once.
  void Cancel() { thread_.request_stop(); }
  // Waits for the search to end.
  void Wait();
  // Cancels and waits.
  void Stop() {
    Cancel();
    Wait();
  }
  [[nodiscard]] bool Running() const { return running_.load(); }

 private:
  std::atomic<bool> running_ = false;
  std::jthread thread_;
};

}  // namespace orvane::data
