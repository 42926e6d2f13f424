#include "editing/control_codes.h"

#include "model/control_code.h"
#include "text/codec.h"
#include "text/display_text.h"
#include "text/encoding.h"

namespace orvane::editing {
namespace {

const QString kTitle = QStringLiteral("Control Code");

// The label and arguments as the line gives them after "=".
QString Spelled(const model::TableDocument& document, const model::CodeEntry& entry) {
  QString text = text::DisplayText(entry.text, document.Encoding());
  if (entry.control && !entry.arguments.isEmpty()) {
    text += u',' + QString::fromLatin1(entry.arguments);
  }
  return text;
}

}  // namespace

void EditControlCode(model::TableDocument& document, const EditingState& state, Answers& answers) {
  const model::Code code = state.CursorCode();
  const model::CodeEntry now = document.Entry(code).value_or(model::CodeEntry{});
  const auto typed = answers.AskText(
      kTitle,
      QStringLiteral("Label, then a comma and its arguments: a number of bytes (<pause=>,1) or "
                     "names (<area>,id or <color>,c=%D). Empty for a plain code:"),
      Spelled(document, now));
  if (!typed) return;
  if (typed->isEmpty()) {
    if (!now.control) return;
    // The label is the plain code's text; a code with no label is no code.
    document.SetEntry(code, now.text.isEmpty()
                                ? std::nullopt
                                : std::optional(model::CodeEntry{now.text, false, {}, false, {}}));
    return;
  }
  const qsizetype comma = typed->indexOf(u',');
  const QString arguments = comma < 0 ? QString() : typed->mid(comma + 1);
  const QByteArray spelled = arguments.toLatin1();
  if ((comma >= 0 && arguments.isEmpty()) || QString::fromLatin1(spelled) != arguments ||
      !model::ParseControlArguments(spelled)) {
    (void)answers.MessageBox(
        QStringLiteral("\"%1\" are not a control code's arguments: a number of bytes from 0 to "
                       "%2, or names of letters, digits and _ separated by commas, each with =%X, "
                       "=%D or =%B for its display.")
            .arg(arguments)
            .arg(model::kMaxControlArguments),
        kTitle, Answers::Icon::kExclamation, Answers::Buttons::kOk);
    return;
  }
  const QString label = comma < 0 ? *typed : typed->first(comma);
  const text::EncodedText bytes = text::EncodeWhatFits(label, document.Encoding());
  if (bytes.dropped) {
    (void)answers.MessageBox(
        QStringLiteral("The label holds characters that %1 cannot hold; nothing was changed.")
            .arg(text::EncodingName(document.Encoding())),
        kTitle, Answers::Icon::kExclamation, Answers::Buttons::kOk);
    return;
  }
  document.SetEntry(code, model::CodeEntry{bytes.bytes, false, {}, true, spelled});
}

QString CodeNote(const model::TableDocument& document, const model::Code& code) {
  const std::optional<model::CodeEntry> entry = document.Entry(code);
  if (!entry || !entry->control) return {};
  const qsizetype count = model::ParseControlArguments(entry->arguments)
                              .value_or(QList<model::ControlArgument>{})
                              .size();
  if (count == 0) return QStringLiteral(" (control code)");
  return count == 1 ? QStringLiteral(" (control code, 1 argument byte)")
                    : QStringLiteral(" (control code, %1 argument bytes)").arg(count);
}

}  // namespace orvane::editing
