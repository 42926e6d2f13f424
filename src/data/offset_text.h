#pragma once

#include <QString>
#include <QStringView>

namespace orvane::data {

// An offset as every window and command shows it: upper-case hexadecimal, eight digits at least
// ("0001F3A0").
[[nodiscard]] QString OffsetText(qint64 offset);

// An offset as typed: hexadecimal digits in either case, at most 15, with spaces around.
struct TypedOffset {
  enum class Status : quint8 { kOffset, kEmpty, kNotAnOffset };
  Status status = Status::kEmpty;
  qint64 offset = 0;  // kOffset
};
[[nodiscard]] TypedOffset ParseOffset(QStringView typed);

}  // namespace orvane::data
