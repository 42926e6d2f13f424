#include "ui/frm_orvane.h"

#include "session/session.h"
#include "text/display_text.h"
#include "ui/caps_lock.h"
#include "ui/side_windows.h"
#include "ui/table_grid.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMimeData>

namespace orvane::ui {
namespace {

// The grid's width at 96 dots per inch; it grows where the font needs more.
constexpr int kGridWidth = 532;

}  // namespace

frmOrvane::frmOrvane(session::Session& session, SideWindows& side_windows, QWidget* parent)
    : QMainWindow(parent), session_(session), side_windows_(side_windows) {
  setObjectName(QStringLiteral("frmOrvane"));
  setAcceptDrops(true);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  grid_model_ = new TableGridModel(session_.Document(), session_.State(), this);
  grid_ = new TableGrid(this);
  grid_->setObjectName(QStringLiteral("TableGrid"));
  // The font before the model: each font change would measure every header section again.
  grid_->setFont(ComicFont(11.25));
  grid_->setModel(grid_model_);
  setCentralWidget(grid_);
  BuildMenus();
  BuildToolbar();
  BuildStatusBar();
  ConnectCore();
  Form_Load();
}

frmOrvane::~frmOrvane() = default;

QFont frmOrvane::ComicFont(qreal points) {
  QFont font(QStringLiteral("Comic Sans MS"));
  // Qt does not follow fontconfig's alias of Comic Sans MS, so its like face is named too.
  font.setFamilies({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")});
  font.setPointSizeF(points);
  return font;
}

void frmOrvane::Form_Load() {
  model::TableDocument& document = session_.Document();
  document.SetTablePath(QLatin1String(model::kUnnamed));
  setWindowTitle(document.WindowTitle());
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid_->FitToFont(kGridWidth);
  SetInputMode(kana::InputMode::kAscii);
  SelectCell(session_.State().CursorCode());
  ShowSelectedCode();
  ShowModified(document.IsModified());
  ShowEncoding();
  ShowCapsLock();
  grid_->setFocus();
  // The window is laid out around the grid, which is sized from its font: at any display scale
  // all 17 rows and columns show without scrolling.
  setFixedSize(sizeHint());
}

void frmOrvane::ConnectCore() {
  const model::TableDocument& document = session_.Document();
  connect(&document, &model::TableDocument::cellChanged, this, [this](const model::Code& code) {
    if (code == session_.State().CursorCode()) ShowSelectedCode();
  });
  connect(&document, &model::TableDocument::tableReset, this, &frmOrvane::ShowSelectedCode);
  connect(&session_, &session::Session::tableReplaced, this, &frmOrvane::ShowEncoding);
  connect(&session_, &session::Session::encodingChanged, this, [this] {
    ShowSelectedCode();
    ShowEncoding();
  });
  connect(&document, &model::TableDocument::windowTitleChanged, this, &QWidget::setWindowTitle);
  connect(&document, &model::TableDocument::modifiedChanged, this, &frmOrvane::ShowModified);
  const editing::EditingState& state = session_.State();
  connect(&state, &editing::EditingState::cursorChanged, this, [this](const model::Code& code) {
    SelectCell(code);
    ShowSelectedCode();
  });
  connect(&state, &editing::EditingState::inputModeChanged, this, &frmOrvane::ShowInputMode);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (const auto code = grid_model_->CodeOfCell(current)) {
              session_.State().SelectCode(*code);
            }
          });
  connect(grid_, &QAbstractItemView::doubleClicked, this, &frmOrvane::TableGrid_DblClick);
  connect(grid_, &TableGrid::keyTyped, this, &frmOrvane::TableGrid_KeyPress);
  connect(grid_, &TableGrid::textCommitted, this, &frmOrvane::TableGrid_TextCommitted);
  connect(&session_, &session::Session::characterNotStored, this, [] { QApplication::beep(); });
  drop_timer_.setSingleShot(true);
  drop_timer_.setInterval(0);
  connect(&drop_timer_, &QTimer::timeout, this,
          [this] { session_.Commands().OpenFile(dropped_file_); });
  connect(&caps_timer_, &QTimer::timeout, this, &frmOrvane::ShowCapsLock);
  // X11 says nothing of Caps Lock while the window is unfocused, so it is polled.
  caps_timer_.start(250);
}

void frmOrvane::TableGrid_KeyPress(QChar key) {
  session_.TypeKey(key);
  ShowSelectedCode();
  ShowCapsLock();
}

void frmOrvane::TableGrid_DblClick(const QModelIndex& cell) {
  const auto code = grid_model_->CodeOfCell(cell);
  if (!code || !session_.Document().LeadsCodes(*code)) return;
  if (const auto page = model::PageLedBy(*code)) session_.OpenPage(*page);
}

void frmOrvane::TableGrid_TextCommitted(const QString& text) {
  session_.CommitText(text);
  ShowSelectedCode();
}

void frmOrvane::ShowSelectedCode() {
  const model::TableDocument& document = session_.Document();
  const model::Code code = session_.State().CursorCode();
  PanelWidget(Panel::kSelectedCode)
      ->setText(QStringLiteral("Selected code: ") + QString::fromLatin1(code.Hex()) +
                QStringLiteral("='") +
                text::Abridged(text::DisplayText(document.GetCellText(code), document.Encoding())) +
                QLatin1Char('\''));
}

void frmOrvane::ShowStatus(const QString& text) {
  PanelWidget(Panel::kSelectedCode)->setText(text);
}

void frmOrvane::ShowModified(bool modified) { PanelWidget(Panel::kModified)->setEnabled(modified); }

void frmOrvane::ShowCapsLock() {
  const std::optional<bool> caps = CapsLockState();
  PanelWidget(Panel::kCaps)->setEnabled(caps.value_or(false));
}

void frmOrvane::SelectCell(const model::Code& code) {
  const QModelIndex cell = grid_model_->CellOfCode(code);
  if (grid_->currentIndex() != cell) grid_->setCurrentIndex(cell);
}

void frmOrvane::SetInputMode(kana::InputMode mode) {
  session_.SetInputMode(mode);
  // Re-shown even when unchanged: a checkable item unchecks itself when chosen twice.
  ShowInputMode();
}

StatusPanel* frmOrvane::PanelWidget(Panel panel) const {
  return panels_[static_cast<size_t>(panel) - 1];
}

namespace {

// The bytes that name the first of the dropped files, when it is a local file; empty otherwise.
// The bytes, not Qt's text of them: a name that is not UTF-8 is to be refused, not misread.
QByteArray DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl first = data->urls().constFirst();
  // A folder is no table: taking it would only end in a message that it cannot be read.
  if (!first.isLocalFile() || QFileInfo(first.toLocalFile()).isDir()) return {};
  return QByteArray::fromPercentEncoding(first.path(QUrl::FullyEncoded).toLatin1());
}

}  // namespace

void frmOrvane::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmOrvane::dropEvent(QDropEvent* event) {
  const QByteArray file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop has ended: the file manager waits for it while a question is open.
  dropped_file_ = file;
  drop_timer_.start();
}

void frmOrvane::closeEvent(QCloseEvent* event) {
  if (!session_.Commands().CloseStep()) {
    event->ignore();
    return;
  }
  side_windows_.CloseAll();
  event->accept();
}

}  // namespace orvane::ui
