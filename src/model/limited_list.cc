#include "model/limited_list.h"

namespace orvane::model {

QString JoinAtMost(const QStringList& items, const QString& separator, qsizetype limit) {
  QString joined = items.mid(0, limit).join(separator);
  if (items.size() > limit) {
    joined += separator + QStringLiteral("... and %1 more.").arg(items.size() - limit);
  }
  return joined;
}

}  // namespace orvane::model
