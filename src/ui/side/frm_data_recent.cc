// The Game Data window's recent data files, the one list it keeps between runs.
#include "session/session.h"
#include "ui/side/frm_data.h"
#include "ui/side/hex_view.h"
#include "ui/side/side_widgets.h"

#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QToolButton>

namespace orvane::ui::side {
namespace {

constexpr char kRecentSetting[] = "RecentDataFiles";
constexpr qsizetype kRecentFiles = 8;

QSettings Settings() { return QSettings(QStringLiteral("Orvane"), QStringLiteral("Orvane")); }

QStringList RecentFiles() { return Settings().value(QLatin1String(kRecentSetting)).toStringList(); }

void KeepRecentFiles(const QStringList& files) {
  Settings().setValue(QLatin1String(kRecentSetting), files);
}

}  // namespace

QToolButton* frmData::BuildRecentButton(QWidget* parent) {
  cmdRecent_ = new QToolButton(parent);
  cmdRecent_->setObjectName(QStringLiteral("cmdRecent"));
  cmdRecent_->setText(QStringLiteral("Re&cent"));
  cmdRecent_->setToolTip(QStringLiteral("The last data files opened"));
  cmdRecent_->setPopupMode(QToolButton::InstantPopup);
  cmdRecent_->setMenu(new QMenu(cmdRecent_));
  cmdRecent_->menu()->setObjectName(QStringLiteral("mnuRecent"));
  ShowRecentFiles();
  return cmdRecent_;
}

void frmData::ShowRecentFiles() {
  QMenu* menu = cmdRecent_->menu();
  menu->clear();
  const QStringList files = RecentFiles();
  for (const QString& file : files) {
    QAction* item = menu->addAction(QString(file).replace(u'&', QStringLiteral("&&")));
    item->setData(file);
    connect(item, &QAction::triggered, this, [this, file] { mnuRecent_Click(file); });
  }
  cmdRecent_->setEnabled(!files.isEmpty());
}

void frmData::RememberFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  KeepRecentFiles(files.first(std::min(kRecentFiles, files.size())));
  ShowRecentFiles();
}

void frmData::mnuRecent_Click(const QString& path) {
  // Checked when chosen: it may have gone since it was opened, in this run or an earlier one.
  if (!QFileInfo::exists(path)) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    KeepRecentFiles(files);
    ShowRecentFiles();
    ShowError(
        session_.Answers(),
        QStringLiteral("%1 is no longer there; it is taken off the recent data files.").arg(path));
    return;
  }
  OpenFile(path);
}

void frmData::Reopen(const QString& path, qint64 start) {
  mnuRecent_Click(path);
  if (path_ == path)
    hexData_->GoTo(std::clamp<qint64>(start, 0, std::max<qint64>(0, reader_.Size() - 1)));
}

}  // namespace orvane::ui::side
