#pragma once

#include "editing/answers.h"
#include "model/table_document.h"
#include "ui/display_text.h"
#include "ui/side_windows.h"

#include <QPointer>

#include <functional>

class QWidget;

namespace orvane::ui::side {

class frmBook;
class frmExtra;
class frmOVAbout;
class frmReadme;

// Owns the four side windows: each is created on first show, without an owner so the main
// window stays usable, brought to the front when shown again and destroyed when closed.
// The host must not outlive the document and the answers it was given.
class SideWindowHost : public SideWindows {
 public:
  SideWindowHost(model::TableDocument& document, editing::Answers& answers,
                 std::function<TextEncoding()> encoding);
  ~SideWindowHost() override;
  SideWindowHost(const SideWindowHost&) = delete;
  SideWindowHost& operator=(const SideWindowHost&) = delete;

  void ShowBookmarksManager() override;
  void ShowExtraLinesManager() override;
  void ShowReadme() override;
  void ShowAbout() override;
  void TableReplaced() override;
  void CloseAll() override;

  // The open windows, or null; for tests and for the main window's checks.
  [[nodiscard]] frmBook* BookmarksManager() const;
  [[nodiscard]] frmExtra* ExtraLinesManager() const;
  [[nodiscard]] frmReadme* Readme() const;
  [[nodiscard]] frmOVAbout* About() const;

 private:
  static void Present(QWidget* window);

  model::TableDocument& document_;
  editing::Answers& answers_;
  std::function<TextEncoding()> encoding_;
  QPointer<frmBook> book_;
  QPointer<frmExtra> extra_;
  QPointer<frmReadme> readme_;
  QPointer<frmOVAbout> about_;
};

}  // namespace orvane::ui::side
