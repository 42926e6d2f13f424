#include "data/document_lookup.h"

#include "model/table_document.h"

namespace orvane::data {

DocumentLookup::DocumentLookup(const model::TableDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
  lookup_.Build(document_);
  connect(&document_, &model::TableDocument::cellChanged, this, [this](const model::Code& code) {
    lookup_.Update(document_, code);
    emit changed();
  });
  connect(&document_, &model::TableDocument::tableReset, this, &DocumentLookup::Rebuild);
  // A bulk change that converts the table has rebuilt it already, in the new encoding.
  connect(&document_, &model::TableDocument::encodingChanged, this, [this] {
    if (lookup_.Encoding() != document_.Encoding()) Rebuild();
  });
}

void DocumentLookup::Rebuild() {
  lookup_.Build(document_);
  emit changed();
}

}  // namespace orvane::data
