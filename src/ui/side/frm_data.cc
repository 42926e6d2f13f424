#include "ui/side/frm_data.h"

#include "data/offset_text.h"
#include "data/string_reader.h"
#include "session/session.h"
#include "ui/side/font_tab.h"
#include "ui/side/hex_view.h"
#include "ui/side/search_tab.h"
#include "ui/side/side_widgets.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane::ui::side {
namespace {

// The strings pane reads on past the last byte in view to end the string there, up to this.
constexpr qint64 kStringsReadOn = 1024;
// What the window holds of the file for its rows and strings, read at once.
constexpr qint64 kViewBlock = qint64{64} << 10;
constexpr int kOffsetDigits = 8;

}  // namespace

frmData::frmData(session::Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window),
      session_(session),
      lookup_(session.Document()),
      reader_(nullptr, kViewBlock) {
  setObjectName(QStringLiteral("frmData"));
  setWindowTitle(QStringLiteral("Game Data"));
  resize(760, 720);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFileRow());
  tabData_ = new QTabWidget(this);
  tabData_->setObjectName(QStringLiteral("tabData"));
  QWidget* reading = BuildReadingTab();
  tabData_->addTab(reading, QStringLiteral("&Reading"));
  tabSearch_ = new SearchTab(session_, lookup_, tabData_);
  tabData_->addTab(tabSearch_, QStringLiteral("Relative &Search"));
  tabFont_ = new FontTab(session_, nullptr, tabData_);
  tabData_->addTab(tabFont_, QStringLiteral("Fo&nt"));
  layout->addWidget(tabData_, 1);

  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &frmData::watcher_FileChanged);
  connect(&lookup_, &data::DocumentLookup::changed, this, [this] {
    ShowStrings();
    txtText_Change();
    tabSearch_->TableChanged();
  });
  connect(tabSearch_, &SearchTab::goTo, this, [this, reading](qint64 offset, bool show) {
    hexData_->GoTo(offset);
    if (show) tabData_->setCurrentWidget(reading);
  });
  connect(hexData_, &HexView::startChanged, this, &frmData::ShowStrings);
  ShowFile();
}

frmData::~frmData() = default;

QWidget* frmData::BuildFileRow() {
  auto* row = new QWidget(this);
  auto* layout = new QVBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* file_row = new QHBoxLayout();
  auto* cmd_open = new QPushButton(QStringLiteral("&Open Data..."), row);
  cmd_open->setObjectName(QStringLiteral("cmdOpen"));
  lblFile_ = new QLabel(row);
  lblFile_->setObjectName(QStringLiteral("lblFile"));
  lblFile_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* lbl_go_to = new QLabel(QStringLiteral("&Go to"), row);
  txtGoTo_ = new QLineEdit(row);
  txtGoTo_->setObjectName(QStringLiteral("txtGoTo"));
  txtGoTo_->setPlaceholderText(QStringLiteral("offset in hex (1F0, 0x1F0), Enter"));
  txtGoTo_->setMaximumWidth(160);
  lbl_go_to->setBuddy(txtGoTo_);
  file_row->addWidget(cmd_open);
  file_row->addWidget(BuildRecentButton(row));
  file_row->addWidget(lblFile_, 1);
  file_row->addWidget(lbl_go_to);
  file_row->addWidget(txtGoTo_);
  layout->addLayout(file_row);

  fraReload_ = new QWidget(row);
  fraReload_->setObjectName(QStringLiteral("fraReload"));
  auto* reload_row = new QHBoxLayout(fraReload_);
  reload_row->setContentsMargins(0, 0, 0, 0);
  reload_row->addWidget(new QLabel(QStringLiteral("The file has changed on disk."), fraReload_), 1);
  cmdReload_ = new QPushButton(QStringLiteral("&Reload"), fraReload_);
  cmdReload_->setObjectName(QStringLiteral("cmdReload"));
  reload_row->addWidget(cmdReload_);
  fraReload_->hide();
  layout->addWidget(fraReload_);

  connect(cmd_open, &QPushButton::clicked, this, &frmData::cmdOpen_Click);
  connect(cmdReload_, &QPushButton::clicked, this, &frmData::cmdReload_Click);
  connect(txtGoTo_, &QLineEdit::returnPressed, this, &frmData::txtGoTo_Enter);
  return row;
}

QWidget* frmData::BuildReadingTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName(QStringLiteral("tabReading"));
  auto* layout = new QVBoxLayout(tab);
  auto* splitter = new QSplitter(Qt::Vertical, tab);
  hexData_ = new HexView(reader_, lookup_, splitter);
  txtStrings_ = new QPlainTextEdit(splitter);
  txtStrings_->setObjectName(QStringLiteral("txtStrings"));
  txtStrings_->setReadOnly(true);
  // Unread bytes make long words; a line breaks anywhere rather than leave the offset alone.
  txtStrings_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  txtStrings_->setFont(hexData_->font());
  splitter->addWidget(hexData_);
  splitter->addWidget(txtStrings_);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter, 1);
  layout->addWidget(BuildFindPanel());
  return tab;
}

void frmData::cmdOpen_Click() {
  const auto chosen =
      session_.Answers().FileDialog(editing::Answers::FileDialogForm::kOpenData, path_);
  if (chosen) OpenFile(*chosen);
}

void frmData::OpenFile(const QString& path) {
  // A file that cannot be read leaves the one shown as it is.
  data::OpenedSource opened = data::FileSource::Open(path);
  if (!opened.source) {
    ShowError(session_.Answers(), opened.error);
    return;
  }
  find_.Cancel();
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  // An offset typed for another file means nothing in this one.
  if (path != path_) txtGoTo_->clear();
  source_ = std::move(opened.source);
  path_ = path;
  reader_.SetSource(source_.get());
  tabFont_->SetData(path, source_.get());
  watcher_.addPath(path);
  tabSearch_->SetData(path, true);
  hexData_->GoTo(0);
  lstFound_->clear();
  lblFound_->clear();
  RememberFile(path);
  ShowFile();
}

void frmData::cmdReload_Click() {
  const qint64 start = hexData_->Start();
  OpenFile(path_);
  hexData_->GoTo(std::min(start, std::max<qint64>(0, reader_.Size() - 1)));
}

void frmData::watcher_FileChanged(const QString& path) {
  // A file replaced on disk is no longer watched; its new one is.
  if (!watcher_.files().contains(path) && QFileInfo::exists(path)) watcher_.addPath(path);
  fraReload_->show();
  ShowFileName();
  hexData_->FileChanged();
  tabFont_->FileChanged();
  ShowStrings();
}

void frmData::txtGoTo_Enter() {
  using Status = data::TypedOffset::Status;
  const QString typed = txtGoTo_->text().trimmed();
  const data::TypedOffset offset = data::ParseOffset(typed);
  if (offset.status == Status::kEmpty) return;
  if (offset.status == Status::kNotAnOffset) {
    ShowError(session_.Answers(),
              QStringLiteral("'%1' is not an offset in hexadecimal digits.").arg(typed));
    return;
  }
  // A number too large for any offset is past the end of any data.
  if (offset.status == Status::kTooLarge || offset.offset >= reader_.Size()) {
    const QString shown =
        offset.status == Status::kTooLarge ? offset.digits : data::OffsetText(offset.offset);
    ShowError(session_.Answers(),
              QStringLiteral("Offset %1 is past the end of the data (%2 bytes).")
                  .arg(shown)
                  .arg(reader_.Size()));
    return;
  }
  if (tabData_->currentWidget() == tabFont_) {
    tabFont_->GoTo(offset.offset);
  } else {
    hexData_->GoTo(offset.offset);
  }
}

void frmData::ShowFile() {
  fraReload_->hide();
  ShowFileName();
  hexData_->FileChanged();
  ShowStrings();
  ShowFindState();
}

void frmData::ShowFileName() {
  if (!source_) {
    lblFile_->setText(QStringLiteral("No data file"));
    return;
  }
  const qint64 size = reader_.Size();
  lblFile_->setText(
      size == 0
          ? QStringLiteral("%1: empty").arg(path_)
          : QStringLiteral("%1: %2 bytes").arg(path_, QLocale(QLocale::English).toString(size)));
}

void frmData::ShowStrings() {
  const qint64 start = hexData_->Start();
  const qint64 end = start + hexData_->VisibleBytes();
  const QByteArray bytes = reader_.Bytes(start, end - start + kStringsReadOn).toByteArray();
  const QList<data::ReadString> strings =
      data::ReadStrings(lookup_.Lookup(), bytes, start, data::LineBreaks::kNewLine, false);
  QStringList paragraphs;
  const QString indent(kOffsetDigits + 2, u' ');
  for (const data::ReadString& string : strings) {
    if (string.offset >= end) break;
    QString text = string.text;
    text.replace(u'\n', u'\n' + indent);
    // A string the reading stopped in before its end.
    const bool last = &string == &strings.constLast();
    if (last && !string.ended && start + bytes.size() < reader_.Size()) {
      text += u'…';
    } else if (last && string.cut) {
      text += u'\n' + indent + QStringLiteral("(the data ends inside a control code)");
    }
    paragraphs << data::OffsetText(string.offset) + QStringLiteral(": ") + text;
  }
  txtStrings_->setPlainText(paragraphs.join(u'\n'));
}

void frmData::closeEvent(QCloseEvent* event) {
  if (source_) emit closedAt(path_, hexData_->Start());
  find_.Stop();
  tabSearch_->Stop();
  tabFont_->Stop();
  QWidget::closeEvent(event);
}

}  // namespace orvane::ui::side
