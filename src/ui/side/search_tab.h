#pragma once

#include "data/relative_search_rank.h"
#include "data/watched_job.h"

#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace orvane::data {
class DocumentLookup;
}

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
  // The lookup is the window's, kept with the table; both must outlive the tab.
  SearchTab(session::Session& session, const data::DocumentLookup& lookup,
            QWidget* parent = nullptr);
  ~SearchTab() override;
  SearchTab(const SearchTab&) = delete;
  SearchTab& operator=(const SearchTab&) = delete;

  // The data file to search, or none; what was found in another file goes.
  void SetData(const QString& path, bool open);
  // The table changed: the candidates are ranked and read again.
  void TableChanged();
  // Ends a running search and waits for its thread.
  void Stop();
  [[nodiscard]] bool Searching() const { return job_.Busy(); }

 signals:
  // A candidate was chosen: its first hit; `show` asks for the reading of it.
  void goTo(qint64 offset, bool show);
  // A search ended: with its candidates, with why it found none, or cancelled.
  void searchFinished();

 private:
  void BuildQueryRows(QGridLayout* grid);
  void BuildResultRows(QGridLayout* grid);
  void cmdSearch_Click();
  void cmdCancel_Click();
  void cmdApply_Click();
  void lstCandidates_Select(bool show);

  void ShowResult(data::WordSearch found);
  void ShowCandidates();
  void ShowState();
  void ShowSelected();
  [[nodiscard]] const data::RankedCandidate* Selected() const;

  session::Session& session_;
  const data::DocumentLookup& lookup_;
  QString path_;
  bool open_ = false;
  std::optional<data::Query> query_;         // of the search running or shown
  std::vector<data::Candidate> candidates_;  // as found
  std::vector<data::RankedCandidate> ranked_;

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

  // Last, so that it is stopped first: its results go to the members above.
  data::WatchedJob<data::WordSearch> job_;
};

}  // namespace orvane::ui::side
