#pragma once

#include "editing/answers.h"

namespace orvane::bench {

// Answers nothing: the work measured asks no question.
class NoAnswers : public editing::Answers {
 public:
  Button MessageBox(const QString&, const QString&, Icon, Buttons) override { return Button::kOk; }
  std::optional<QString> FileDialog(FileDialogForm, const QString&) override { return {}; }
  std::optional<QString> AskText(const QString&, const QString&, const QString&) override {
    return {};
  }
  void CloseWindow() override {}
};

}  // namespace orvane::bench
