#pragma once

#include "ui/side_windows.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

class frmBook;
class frmCheck;
class frmData;
class frmExtra;
class frmOVAbout;
class frmReadme;

// Owns the side windows: each is created on first show, without an owner so the main
// window stays usable, brought to the front when shown again and destroyed when closed. The
// managers are rebuilt when the session's table is replaced; the Game Data window opens again
// on the file and place it closed on. The session must outlive it.
class SideWindowHost : public QObject, public SideWindows {
  Q_OBJECT

 public:
  explicit SideWindowHost(session::Session& session);
  ~SideWindowHost() override;
  SideWindowHost(const SideWindowHost&) = delete;
  SideWindowHost& operator=(const SideWindowHost&) = delete;

  void ShowBookmarksManager() override;
  void ShowExtraLinesManager() override;
  void ShowReadme() override;
  void ShowAbout() override;
  void ShowGameData() override;
  void ShowTableCheck() override;
  void CloseAll() override;

  // The open windows, or null; for tests and for the main window's checks.
  [[nodiscard]] frmBook* BookmarksManager() const;
  [[nodiscard]] frmExtra* ExtraLinesManager() const;
  [[nodiscard]] frmReadme* Readme() const;
  [[nodiscard]] frmOVAbout* About() const;
  [[nodiscard]] frmData* GameData() const;
  [[nodiscard]] frmCheck* TableCheck() const;

 private:
  static void Present(QWidget* window);
  void TableReplaced();

  session::Session& session_;
  QPointer<frmBook> book_;
  QPointer<frmExtra> extra_;
  QPointer<frmReadme> readme_;
  QPointer<frmOVAbout> about_;
  QPointer<frmData> data_;
  QPointer<frmCheck> check_;
  // Where the Game Data window was when it closed, to open there again in this run.
  QString data_path_;
  qint64 data_start_ = 0;
};

}  // namespace orvane::ui::side
