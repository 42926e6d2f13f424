#pragma once

#include "model/code.h"
#include "model/code_store.h"
#include "model/control_code.h"
#include "text/encoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace orvane::data {

// How a code reads: as its text, or as a mark the writer would write (a marked code whose text
// is exactly "/" or "*").
enum class CodeKind : quint8 { kText, kEnd, kLineBreak };

// How the reading of a line break appears: as the marker of one-line output, or as a line end.
enum class LineBreaks : quint8 { kMarker, kNewLine };

inline constexpr QStringView kEndMarker = u"<END>";
inline constexpr QStringView kLineMarker = u"<LINE>";

// What one code of the table reads as. `shown` is the text as the grid shows it, a mark's label,
// a control code's label, or the marker of a mark without a label, less the line breaks it ends
// in. `arguments` and `breaks_after` tell the reader how to go on after the code: control codes
// take bytes after them as their arguments, and a text or label that ends in "\n" ends a line of
// the script after the code and its arguments.
struct CodeReading {
  CodeKind kind = CodeKind::kText;
  bool labelled = false;  // a mark with a label of its own
  bool control = false;
  quint8 arguments = 0;
  quint8 breaks_after = 0;

 private:
  friend class CodeLookup;
  // Beside the fields above: what the reader looks at for every code is in its first bytes.
  quint8 brief_size_ = 0;
  std::array<char16_t, 4> brief_{};
  char16_t unit_ = 0;  // set by the lookup that holds the reading

 public:
  model::Code code;
  QString shown;
  // A control code's named arguments, one for each byte; empty when they are counted.
  QList<model::ControlArgument> named;

  void SetShown(QString text) {
    shown = std::move(text);
    brief_size_ = shown.size() <= static_cast<qsizetype>(brief_.size())
                      ? static_cast<quint8>(shown.size())
                      : quint8{0};
    std::copy_n(shown.utf16(), brief_size_, brief_.begin());
  }
  // The text when it is one UTF-16 unit and the code only stands for it (no mark, no arguments,
  // no line after it), else 0: what most data reads as, at one look. Known once a lookup holds
  // the reading.
  [[nodiscard]] char16_t Unit() const { return unit_; }
  // A line break without a label reads as a line end where the output has lines.
  [[nodiscard]] QStringView Shown(LineBreaks breaks) const {
    if (kind == CodeKind::kLineBreak && !labelled && breaks == LineBreaks::kNewLine) return u"\n";
    // Most texts are a character or two, read here without going to the string's own memory.
    if (brief_size_ > 0) return QStringView(brief_.data(), brief_size_);
    return shown;
  }
};

// How a code that holds this reads, or nothing when it does not read at all: the one place a
// code's reading is made.
[[nodiscard]] std::optional<CodeReading> MakeReading(const model::Code& code,
                                                     const model::CodeView& held,
                                                     text::Encoding encoding);

// What the code reads as in one-line form: its shown text and a "<LINE>" for each line break.
[[nodiscard]] QString OneLineText(const CodeReading& reading);

// A code read as this text alone, as the relative search's letters are.
[[nodiscard]] CodeReading TextReading(const model::Code& code, QString text);

// "<$82>": how a byte that starts no code reads, and how a raw byte is typed.
[[nodiscard]] const QString& UnknownByteText(quint8 byte);

}  // namespace orvane::data
