#pragma once

#include "data/code_lookup.h"

#include <QObject>

#include <memory>

namespace orvane::model {
class TableDocument;
}

namespace orvane::data {

// The code lookup of the open table, published anew at each change of the table: a changed code
// makes a lookup that shares the rest with the one before, and a reset or a new encoding builds
// it anew. A snapshot taken before stays as it was, for a worker to read while the table goes on
// changing. `changed` follows each change, once per bulk change. The document must outlive it.
class DocumentLookup : public QObject {
  Q_OBJECT

 public:
  explicit DocumentLookup(const model::TableDocument& document, QObject* parent = nullptr);

  // The lookup as it is now; valid until the next change.
  [[nodiscard]] const CodeLookup& Lookup() const { return *current_; }
  [[nodiscard]] std::shared_ptr<const CodeLookup> Snapshot() const { return current_; }

 signals:
  void changed();

 private:
  void Rebuild();

  const model::TableDocument& document_;
  std::shared_ptr<const CodeLookup> current_;
};

}  // namespace orvane::data
