#include "ui/frm_orvane.h"

#include "editing/cell_editing.h"
#include "model/hex.h"
#include "ui/caps_lock.h"
#include "ui/qt_answers.h"
#include "ui/side_windows.h"
#include "ui/status_panel.h"
#include "ui/table_grid.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>

namespace orvane::ui {
namespace {

// The grid's width at 96 dots per inch; it grows where the font needs more.
constexpr int kGridWidth = 532;

std::unique_ptr<editing::Answers> OwnAnswers(editing::Answers* injected, QWidget* window) {
  if (injected != nullptr) return nullptr;
  return std::make_unique<QtAnswers>(window);
}

}  // namespace

frmOrvane::frmOrvane(editing::Answers* answers, QWidget* parent)
    : QMainWindow(parent),
      own_answers_(OwnAnswers(answers, this)),
      answers_(answers != nullptr ? *answers : *own_answers_),
      commands_(document_, state_, answers_) {
  setObjectName(QStringLiteral("frmOrvane"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  grid_model_ = new TableGridModel(
      document_, [this] { return encoding_; }, this);
  grid_ = new TableGrid(this);
  grid_->setObjectName(QStringLiteral("TableGrid"));
  // The font before the model: each font change would measure every header section again.
  grid_->setFont(ComicFont(11.25));
  grid_->setModel(grid_model_);
  setCentralWidget(grid_);
  BuildMenus();
  BuildToolbar();
  BuildStatusBar();
  BuildDispatchTables();
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
  document_.SetTablePath(QLatin1String(model::kUnnamed));
  setWindowTitle(document_.WindowTitle());
  grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  grid_->FitToFont(kGridWidth);
  SetInputMode(kana::InputMode::kAscii);
  SelectCell(0);
  ShowSelectedCode();
  ShowModified(document_.IsModified());
  ShowCapsLock();
  grid_->setFocus();
  // The window is laid out around the grid, which is sized from its font: at any display scale
  // all 17 rows and columns show without scrolling.
  setFixedSize(sizeHint());
}

void frmOrvane::ConnectCore() {
  connect(&document_, &model::TableDocument::cellChanged, this, [this](quint8 code) {
    grid_model_->ShowCell(code);
    if (code == state_.CursorCode()) ShowSelectedCode();
  });
  connect(&document_, &model::TableDocument::tableReset, this, [this] {
    grid_model_->ShowAll();
    ShowSelectedCode();
  });
  connect(&document_, &model::TableDocument::windowTitleChanged, this, &QWidget::setWindowTitle);
  connect(&document_, &model::TableDocument::modifiedChanged, this, &frmOrvane::ShowModified);
  connect(&state_, &editing::EditingState::cursorChanged, this, [this](quint8 code) {
    SelectCell(code);
    ShowSelectedCode();
  });
  connect(&state_, &editing::EditingState::inputModeChanged, this, &frmOrvane::ShowInputMode);
  connect(&commands_, &commands::DocumentCommands::tableReplaced, this, &frmOrvane::TableReplaced);
  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) state_.SelectCell(current.row() + 1, current.column() + 1);
          });
  connect(grid_, &TableGrid::keyTyped, this, &frmOrvane::TableGrid_KeyPress);
  connect(grid_, &TableGrid::textCommitted, this, &frmOrvane::TableGrid_TextCommitted);
  connect(&caps_timer_, &QTimer::timeout, this, &frmOrvane::ShowCapsLock);
  // X11 says nothing of Caps Lock while the window is unfocused, so it is polled.
  caps_timer_.start(250);
}

void frmOrvane::TableGrid_KeyPress(quint8 key) {
  editing::HandleCellKey(document_, state_, key);
  ShowSelectedCode();
  ShowCapsLock();
}

void frmOrvane::TableGrid_TextCommitted(const QString& text) {
  // Characters with no form in the table's encoding are left out, one by one.
  QByteArray bytes;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    if (const auto encoded = EncodeText(text.mid(i, length), encoding_)) bytes.append(*encoded);
    i += length - 1;
  }
  editing::AppendCommittedText(document_, state_, bytes);
  ShowSelectedCode();
}

void frmOrvane::TableReplaced() {
  encoding_ = DetectEncoding(document_);
  grid_model_->ShowAll();
  ShowSelectedCode();
  if (side_windows_ != nullptr) side_windows_->TableReplaced();
}

void frmOrvane::ShowSelectedCode() {
  const quint8 code = state_.CursorCode();
  panels_[0]->setText(QStringLiteral("Selected code: ") +
                      QString::fromLatin1(model::HexByte(code)) + QStringLiteral("='") +
                      DisplayText(document_.GetCellText(code), encoding_) + QLatin1Char('\''));
}

void frmOrvane::ShowModified(bool modified) { panels_[1]->setEnabled(modified); }

void frmOrvane::ShowInputMode() {
  const auto mode = static_cast<int>(state_.InputMode());
  for (int i = 0; i < 3; ++i) {
    mode_actions_[static_cast<size_t>(i)]->setChecked(mode == i + 1);
    panels_[static_cast<size_t>(3 + i)]->setEnabled(mode == i + 1);
  }
}

void frmOrvane::ShowCapsLock() {
  const std::optional<bool> caps = CapsLockState();
  panels_[2]->setEnabled(caps.value_or(false));
}

void frmOrvane::SelectCell(quint8 code) {
  const QModelIndex cell = grid_model_->index(code / 16, code % 16);
  if (grid_->currentIndex() != cell) grid_->setCurrentIndex(cell);
}

void frmOrvane::SetInputMode(kana::InputMode mode) {
  state_.SetInputMode(mode);
  // Re-shown even when unchanged: a checkable item unchecks itself when chosen twice.
  ShowInputMode();
}

void frmOrvane::ShowSideWindow(void (SideWindows::*open)()) {
  if (side_windows_ != nullptr) (side_windows_->*open)();
}

void frmOrvane::closeEvent(QCloseEvent* event) {
  if (!commands_.CloseStep()) {
    event->ignore();
    return;
  }
  if (side_windows_ != nullptr) side_windows_->CloseAll();
  event->accept();
}

}  // namespace orvane::ui
