#pragma once

#include <QString>
#include <QStringView>

namespace orvane::data {

// An offset as every window and command shows it: upper-case hexadecimal, eight digits at least
// ("0001F3A0").
[[nodiscard]] QString OffsetText(qint64 offset);

// An offset as typed: hexadecimal digits in either case, bare or as 0x1F3A0, $1F3A0 or 1F3A0h,
// with spaces around.
struct TypedOffset {
  enum class Status : quint8 { kOffset, kEmpty, kNotAnOffset, kTooLarge };
  Status status = Status::kEmpty;
  qint64 offset = 0;  // kOffset
  QString digits;     // kOffset and kTooLarge: the digits alone, in upper case
};
[[nodiscard]] TypedOffset ParseOffset(QStringView typed);

}  // namespace orvane::data
