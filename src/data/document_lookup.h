#pragma once

#include "data/code_lookup.h"

#include <QObject>

namespace orvane::model {
class TableDocument;
}

namespace orvane::data {

// The code lookup of the open table, kept current as the table is edited: a changed code is
// read again alone, a change of the lines compares them with the lines it was built from, and a
// reset or a new encoding builds it anew. `changed` follows each change that alters a reading,
// once per bulk change. The document must outlive it.
class DocumentLookup : public QObject {
  Q_OBJECT

 public:
  explicit DocumentLookup(const model::TableDocument& document, QObject* parent = nullptr);

  [[nodiscard]] const CodeLookup& Lookup() const { return lookup_; }

 signals:
  void changed();

 private:
  void Rebuild();

  const model::TableDocument& document_;
  CodeLookup lookup_;
};

}  // namespace orvane::data
