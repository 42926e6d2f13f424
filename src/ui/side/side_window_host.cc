#include "ui/side/side_window_host.h"

#include "session/session.h"
#include "ui/side/frm_book.h"
#include "ui/side/frm_check.h"
#include "ui/side/frm_data.h"
#include "ui/side/frm_extra.h"
#include "ui/side/frm_ov_about.h"
#include "ui/side/frm_readme.h"

namespace orvane::ui::side {
namespace {

// Creates the window on first use; a closed window is gone and is made anew.
template <typename Window, typename Make>
Window* Ensure(QPointer<Window>& window, Make make) {
  if (window.isNull()) {
    window = make();
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  return window;
}

}  // namespace

SideWindowHost::SideWindowHost(session::Session& session) : session_(session) {
  connect(&session_, &session::Session::tableReplaced, this, &SideWindowHost::TableReplaced);
}

SideWindowHost::~SideWindowHost() {
  // Deleted now, not later: the managers refer to the session.
  delete book_.data();
  delete extra_.data();
  delete readme_.data();
  delete about_.data();
  delete data_.data();
  delete check_.data();
}

frmBook* SideWindowHost::BookmarksManager() const { return book_; }
frmExtra* SideWindowHost::ExtraLinesManager() const { return extra_; }
frmReadme* SideWindowHost::Readme() const { return readme_; }
frmOVAbout* SideWindowHost::About() const { return about_; }
frmData* SideWindowHost::GameData() const { return data_; }
frmCheck* SideWindowHost::TableCheck() const { return check_; }

void SideWindowHost::ShowBookmarksManager() {
  Present(Ensure(book_, [this] { return new frmBook(session_); }));
}

void SideWindowHost::ShowExtraLinesManager() {
  Present(Ensure(extra_, [this] { return new frmExtra(session_); }));
}

void SideWindowHost::ShowReadme() {
  Present(Ensure(readme_, [] { return new frmReadme(); }));
}

void SideWindowHost::ShowAbout() {
  Present(Ensure(about_, [] { return new frmOVAbout(); }));
}

void SideWindowHost::ShowGameData() {
  const bool made = data_.isNull();
  frmData* window = Ensure(data_, [this] { return new frmData(session_); });
  if (made) {
    connect(window, &frmData::closedAt, this, [this](const QString& path, qint64 start) {
      data_path_ = path;
      data_start_ = start;
    });
  }
  Present(window);
  if (made && !data_path_.isEmpty()) window->Reopen(data_path_, data_start_);
}

void SideWindowHost::ShowTableCheck() {
  frmCheck* window = Ensure(check_, [this] { return new frmCheck(session_); });
  Present(window);
  window->Run(data_ ? data_->Path() : QString());
}

void SideWindowHost::TableReplaced() {
  // The Extra Lines Manager follows its working copy, which the commands start over.
  if (book_) book_->Form_Load();
}

void SideWindowHost::CloseAll() {
  for (QWidget* window :
       {static_cast<QWidget*>(book_.data()), static_cast<QWidget*>(extra_.data()),
        static_cast<QWidget*>(readme_.data()), static_cast<QWidget*>(about_.data()),
        static_cast<QWidget*>(data_.data()), static_cast<QWidget*>(check_.data())}) {
    if (window != nullptr) window->close();
  }
}

void SideWindowHost::Present(QWidget* window) {
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace orvane::ui::side
