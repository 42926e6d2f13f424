#pragma once

#include "check/table_check.h"
#include "data/watched_job.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

// The check of the whole table: its findings grouped by kind with their counts, each with its
// lines; a double-click puts the cursor on the finding's code. The check runs on a worker thread
// on a snapshot of the table, with the Game Data window's file when one is open, and ends with
// the window.
class frmCheck : public QWidget {
  Q_OBJECT

 public:
  explicit frmCheck(session::Session& session, QWidget* parent = nullptr);
  ~frmCheck() override;
  frmCheck(const frmCheck&) = delete;
  frmCheck& operator=(const frmCheck&) = delete;

  // Checks the table as it is now, and the strings of the data file when a path is given.
  void Run(const QString& data_path);

  [[nodiscard]] QTreeWidget* Findings() const { return trvFindings_; }
  [[nodiscard]] bool Busy() const { return check_.Busy(); }

 signals:
  // A check ended, with findings or not, or was cancelled.
  void checkFinished();

 private:
  void cmdCheck_Click();
  void cmdCancel_Click();
  void trvFindings_DblClick(QTreeWidgetItem* item);
  void ShowResult(const check::CheckResult& result);
  void ShowState();

  session::Session& session_;
  QString data_path_;

  QTreeWidget* trvFindings_ = nullptr;
  QLabel* lblCheck_ = nullptr;
  QProgressBar* prgCheck_ = nullptr;
  QPushButton* cmdCheck_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;

  // Last, so that it is stopped first: its results go to the members above.
  data::WatchedJob<check::CheckResult> check_;
};

}  // namespace orvane::ui::side
