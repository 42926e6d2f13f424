#pragma once

#include "session/session.h"
#include "support/fake_answers.h"
#include "ui/frm_orvane.h"
#include "ui/side/side_window_host.h"

#include <QAction>
#include <QWidget>

namespace orvane::testing {

// An action of the window by object name. When there is none the running test fails with the
// name and a stand-in comes back, so the test reports instead of crashing.
[[nodiscard]] QAction* FindAction(const QWidget* window, const char* name);
// Triggers the action as a user would; fails with its name when it is missing or greyed.
void TriggerAction(const QWidget* window, const char* name);

// The main window with its session and side windows, every question answered by a script.
// Members are declared in the order the program itself builds them.
struct WindowRig {
  // First of all: the window reads its one setting, which must not be the user's.
  struct TestSettings {
    TestSettings();
  } settings;
  FakeAnswers answers;
  session::Session session{answers};
  ui::side::SideWindowHost side{session};
  ui::frmOrvane window{session, side};

  WindowRig();
  ~WindowRig();
  WindowRig(const WindowRig&) = delete;
  WindowRig& operator=(const WindowRig&) = delete;

  [[nodiscard]] model::TableDocument& Document() { return session.Document(); }
  [[nodiscard]] editing::EditingState& State() { return session.State(); }
  void Trigger(const char* name) const { TriggerAction(&window, name); }
  [[nodiscard]] QAction* Action(const char* name) const { return FindAction(&window, name); }
  // Activates the window and gives the grid the keyboard focus, as a user's click would.
  void Focus();
};

}  // namespace orvane::testing
