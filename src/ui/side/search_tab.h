#pragma once

#include "data/relative_search_job.h"
#include "data/relative_search_rank.h"

#include <QTimer>
#include <QWidget>

#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

// The Game Data window's relative search: a word found in the data by the differences of its
// letters, on a worker thread, its candidates ranked against the table as it is now and written
// into it as one step. The hits depend on the data alone; what the table says of them is worked
// out again whenever the table changes, so a list is never older than the table.
class SearchTab : public QWidget {
  Q_OBJECT

 public:
  explicit SearchTab(session::Session& session, QWidget* parent = nullptr);
  ~SearchTab() override;
  SearchTab(const SearchTab&) = delete;
  SearchTab& operator=(const SearchTab&) = delete;

  // The data file to search, or none; what was found in another file goes.
  void SetData(const QString& path, bool open);
  // The table changed: the candidates are ranked and read again.
  void TableChanged();
  // Ends a running search and waits for its thread.
  void Stop();
  [[nodiscard]] bool Searching() const { return job_.Running() || timer_.isActive(); }

 signals:
  // A candidate was chosen: its first hit; `show` asks for the reading of it.
  void goTo(qint64 offset, bool show);

 private:
  struct Arrived {
    quint64 search = 0;
    data::SearchResult result;
  };

  void cmdSearch_Click();
  void cmdCancel_Click();
  void cmdApply_Click();
  void SearchTimer_Tick();
  void lstCandidates_Select(bool show);

  void ShowResult(data::SearchResult result);
  void ShowCandidates();
  void ShowState();
  void ShowSelected();
  [[nodiscard]] const data::RankedCandidate* Selected() const;

  session::Session& session_;
  QString path_;
  bool open_ = false;
  std::optional<data::Query> query_;         // of the search running or shown
  std::vector<data::Candidate> candidates_;  // as found
  std::vector<data::RankedCandidate> ranked_;
  qint64 uncounted_hits_ = 0;
  quint64 search_ = 0;  // which Start the window waits for; results of others are dropped
  QTimer timer_;

  std::atomic<qint64> done_{0};
  std::atomic<qint64> total_{1};
  std::mutex arrived_mutex_;
  std::optional<Arrived> arrived_;  // guarded by arrived_mutex_

  QLineEdit* txtWord_ = nullptr;
  QComboBox* cboOrder_ = nullptr;
  QComboBox* cboValues_ = nullptr;
  QPushButton* cmdSearch_ = nullptr;
  QProgressBar* prgSearch_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QLabel* lblSearch_ = nullptr;
  QTreeWidget* lstCandidates_ = nullptr;
  QLabel* lblCandidate_ = nullptr;
  QPushButton* cmdApply_ = nullptr;

  // Last, so that it is destroyed first: its thread writes into the members above.
  data::SearchJob job_;
};

}  // namespace orvane::ui::side
