#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <atomic>
#include <optional>
#include <stop_token>
#include <thread>

namespace orvane::data {

// Find lists this many offsets and counts the rest.
inline constexpr qsizetype kListedFinds = 1000;

struct FindResult {
  QList<qint64> offsets;  // the first kListedFinds, in order
  qint64 total = 0;
  bool stopped = false;  // cancelled before the end of the file
  QString error;         // the file could not be read; what was found before is kept
};

// Counts every offset where `pattern` occurs in `bytes`, overlapping ones too, adding
// `base` to each; the bytes of a block too close to its end to hold the pattern are left to
// the next block.
void FindInBlock(QByteArrayView bytes, QByteArrayView pattern, qint64 base, FindResult& result);

// Every offset at which the file holds `pattern`, read in blocks with the file opened only to be
// read. `searched`, when given, follows how many bytes have been looked at; a stop request ends
// the search after the block at hand.
[[nodiscard]] FindResult FindInFile(const QString& path, QByteArrayView pattern,
                                    const std::stop_token& stop = {},
                                    std::atomic<qint64>* searched = nullptr);

// One Find at a time on a worker thread, so a long search leaves the window free. The data it
// searches is the file on disk and a copy of the pattern: nothing the window changes. A new
// Start, Cancel and the destructor stop a running search and wait for it, a block at most.
class FindTask {
 public:
  FindTask() = default;
  ~FindTask() { Cancel(); }
  FindTask(const FindTask&) = delete;
  FindTask& operator=(const FindTask&) = delete;

  void Start(const QString& path, const QByteArray& pattern);
  void Cancel();
  [[nodiscard]] bool Running() const { return thread_.joinable() && !finished_.load(); }
  [[nodiscard]] qint64 Searched() const { return searched_.load(); }
  // The result once the search has ended, given once.
  [[nodiscard]] std::optional<FindResult> Take();

 private:
  void Run(const std::stop_token& stop, const QString& path, const QByteArray& pattern);

  std::jthread thread_;
  std::atomic<qint64> searched_{0};
  std::atomic<bool> finished_{false};
  FindResult result_;  // the worker's until finished_ is set
};

}  // namespace orvane::data
