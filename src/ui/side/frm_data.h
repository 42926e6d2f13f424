#pragma once

#include "data/block_reader.h"
#include "data/data_source.h"
#include "data/document_lookup.h"
#include "data/find_bytes.h"
#include "data/watched_job.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

class FontTab;
class HexView;
class SearchTab;

// The Game Data window: a data file read through the table as it is edited. Its first tab shows
// the file as a hex view with the table's reading beside it and the strings from the view's
// starting byte below, the bytes the table makes for a typed text, and Find; its second tab is
// the relative search. The file is only ever read; a change on disk is offered for reloading. A
// Find runs on a worker thread and ends with the window.
class frmData : public QWidget {
  Q_OBJECT

 public:
  explicit frmData(session::Session& session, QWidget* parent = nullptr);
  ~frmData() override;
  frmData(const frmData&) = delete;
  frmData& operator=(const frmData&) = delete;

  // Opens the file to read it, or tells the user why it cannot.
  void OpenFile(const QString& path);
  // Opens the file the window showed when it was closed, at the starting byte it had, unless
  // the file has gone meanwhile.
  void Reopen(const QString& path, qint64 start);

  [[nodiscard]] QTabWidget* Tabs() const { return tabData_; }
  [[nodiscard]] HexView* View() const { return hexData_; }
  [[nodiscard]] SearchTab* Search() const { return tabSearch_; }
  [[nodiscard]] FontTab* Font() const { return tabFont_; }
  [[nodiscard]] const data::BlockReader& File() const { return reader_; }
  [[nodiscard]] QString Path() const { return path_; }
  [[nodiscard]] const data::DocumentLookup& Lookup() const { return lookup_; }

 signals:
  // A Find ended: with its offsets, with why it could not run, or cancelled.
  void findFinished();
  // The window closes on this file and starting byte, for a later window to open again.
  void closedAt(const QString& path, qint64 start);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildFileRow();
  QWidget* BuildReadingTab();
  QWidget* BuildFindPanel();
  QToolButton* BuildRecentButton(QWidget* parent);
  void cmdOpen_Click();
  void cmdReload_Click();
  void txtGoTo_Enter();
  void txtText_Change();
  void cmdFind_Click();
  void cmdCancel_Click();
  void lstFound_Click();
  void mnuRecent_Click(const QString& path);
  void watcher_FileChanged(const QString& path);

  void ShowFile();
  void ShowFileName();
  void ShowStrings();
  void ShowFindState();
  void ShowFound(const data::FindResult& result);
  void ShowRecentFiles();
  // Puts the file first in the list of recent data files, kept between runs.
  void RememberFile(const QString& path);

  session::Session& session_;
  data::DocumentLookup lookup_;
  std::unique_ptr<data::FileSource> source_;
  QString path_;
  data::BlockReader reader_;
  QFileSystemWatcher watcher_;
  QByteArray text_bytes_;   // what the Text box makes, or nothing
  QByteArray found_bytes_;  // what the last Find looked for

  QTabWidget* tabData_ = nullptr;
  HexView* hexData_ = nullptr;
  SearchTab* tabSearch_ = nullptr;
  FontTab* tabFont_ = nullptr;
  QToolButton* cmdRecent_ = nullptr;
  QLabel* lblFile_ = nullptr;
  QWidget* fraReload_ = nullptr;
  QPushButton* cmdReload_ = nullptr;
  QLineEdit* txtGoTo_ = nullptr;
  QPlainTextEdit* txtStrings_ = nullptr;
  QLineEdit* txtText_ = nullptr;
  QLabel* lblBytes_ = nullptr;
  QPushButton* cmdFind_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QProgressBar* prgFind_ = nullptr;
  QListWidget* lstFound_ = nullptr;
  QLabel* lblFound_ = nullptr;

  // Last, so that it is stopped first: its results go to the members above.
  data::WatchedJob<data::FindResult> find_;
};

}  // namespace orvane::ui::side
