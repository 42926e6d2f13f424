#pragma once

#include "commands/document_commands.h"
#include "editing/editing_state.h"
#include "model/table_document.h"
#include "ui/display_text.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QToolBar;

namespace orvane::ui {

class SideWindows;
class StatusPanel;
class TableGrid;
class TableGridModel;

// The main window. It owns the one document, the editing state and the commands, shows them,
// and routes menus, toolbar buttons, keys and panel clicks to the core; it keeps no table data.
class frmOrvane : public QMainWindow {
  Q_OBJECT

 public:
  // Without `answers` the window answers with real dialogs; tests pass a scripted fake.
  explicit frmOrvane(editing::Answers* answers = nullptr, QWidget* parent = nullptr);
  ~frmOrvane() override;

  [[nodiscard]] model::TableDocument& Document() { return document_; }
  [[nodiscard]] editing::EditingState& State() { return state_; }
  [[nodiscard]] commands::DocumentCommands& Commands() { return commands_; }
  [[nodiscard]] TextEncoding Encoding() const { return encoding_; }
  [[nodiscard]] editing::Answers& Answers() { return answers_; }
  void SetSideWindows(SideWindows* side_windows) { side_windows_ = side_windows; }

  // Dispatch by number; a number without an entry does nothing.
  void Toolbar1_ButtonClick(int button);
  void Toolbar1_ButtonMenuClick(int button, int item);
  void SB_PanelClick(int panel);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  [[nodiscard]] static QFont ComicFont(qreal points);
  void Form_Load();
  void BuildMenus();
  void BuildToolbar();
  void AddDropDown(QAction* action, int button, const QStringList& items);
  void BuildStatusBar();
  void BuildDispatchTables();
  void ConnectCore();

  void TableGrid_KeyPress(quint8 key);
  void TableGrid_TextCommitted(const QString& text);
  void TableReplaced();

  void ShowSelectedCode();
  void ShowModified(bool modified);
  void ShowInputMode();
  void ShowCapsLock();
  void SelectCell(quint8 code);
  void SetInputMode(kana::InputMode mode);
  void ShowSideWindow(void (SideWindows::*open)());

  model::TableDocument document_;
  editing::EditingState state_;
  std::unique_ptr<editing::Answers> own_answers_;
  editing::Answers& answers_;
  commands::DocumentCommands commands_;
  TextEncoding encoding_ = TextEncoding::kEucJp;
  SideWindows* side_windows_ = nullptr;

  TableGridModel* grid_model_ = nullptr;
  TableGrid* grid_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::array<StatusPanel*, 6> panels_{};
  std::array<QAction*, 3> mode_actions_{};
  QTimer caps_timer_;

  // The buttons that are not fills; the fills are looked up in the editing layer's table.
  std::map<int, std::function<void()>> button_commands_;
};

}  // namespace orvane::ui
