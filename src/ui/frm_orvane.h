#pragma once

#include "kana/kana_tables.h"
#include "model/code.h"
#include "ui/status_panel.h"

#include <QMainWindow>
#include <QTimer>

#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;

namespace orvane::session {
class Session;
}

namespace orvane::ui {

class SideWindows;
class TableGrid;
class TableGridModel;

// The main window. It shows the session's table, cursor and mode, and routes menus, toolbar
// buttons, keys and panel clicks to the session; it keeps no table data.
class frmOrvane : public QMainWindow {
  Q_OBJECT

 public:
  // Both must outlive the window.
  frmOrvane(session::Session& session, SideWindows& side_windows, QWidget* parent = nullptr);
  ~frmOrvane() override;

  // Dispatch by number; a number without an entry does nothing.
  void Toolbar1_ButtonClick(int button);
  void Toolbar1_ButtonMenuClick(int button, int item);
  void SB_PanelClick(int panel);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A file dropped from a file manager opens as File > Open would; anything else is refused.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // None: the window's layout is fixed, and hiding the toolbar would leave commands unreachable.
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  [[nodiscard]] static QFont ComicFont(qreal points);
  void Form_Load();
  void BuildMenus();
  void BuildEditMenu();
  void BuildFindItems(QMenu* edit);
  void BuildPageKeys();
  // Options › Keep File Layout, as the user left it last time.
  void BuildLayoutItem(QMenu* options);
  void BuildEncodingMenus(QMenu* options);
  void BuildToolbar();
  void BuildStatusBar();
  void ConnectCore();

  void TableGrid_KeyPress(QChar key);
  // A cell that leads a page of longer codes opens that page.
  void TableGrid_DblClick(const QModelIndex& cell);
  void TableGrid_TextCommitted(const QString& text);

  void ShowSelectedCode();
  void ShowModified(bool modified);
  void ShowInputMode();
  // The Options menu's encoding items: the table's encoding checked, and what its file form
  // allows.
  void ShowEncoding();
  // Undo and Redo: greyed when there is nothing to do, named after the step they would do.
  void ShowHistory();
  void ShowCapsLock();
  void SelectCell(const model::Code& code);
  // What a command did, in panel 1 until the cursor moves.
  void ShowStatus(const QString& text);
  void SetInputMode(kana::InputMode mode);
  [[nodiscard]] StatusPanel* PanelWidget(Panel panel) const;

  session::Session& session_;
  SideWindows& side_windows_;

  TableGridModel* grid_model_ = nullptr;
  TableGrid* grid_ = nullptr;
  QToolBar* toolbar_ = nullptr;
  std::array<StatusPanel*, 6> panels_{};
  std::array<QAction*, 3> mode_actions_{};
  QAction* mnu_undo_ = nullptr;
  QAction* mnu_redo_ = nullptr;
  std::array<QAction*, 4> encoding_actions_{};
  std::array<QAction*, 4> convert_actions_{};
  QActionGroup* encoding_group_ = nullptr;  // radio items: one encoding is the table's
  QAction* encoding_form_ = nullptr;
  QTimer caps_timer_;
  QByteArray dropped_file_;
  QTimer drop_timer_;  // opens the dropped file once the drop has ended
};

}  // namespace orvane::ui
