#include "data/document_lookup.h"

#include "model/table_document.h"

namespace orvane::data {

DocumentLookup::DocumentLookup(const model::TableDocument& document, QObject* parent)
    : QObject(parent),
      document_(document),
      current_(std::make_shared<const CodeLookup>(CodeLookup::Of(document))) {
  connect(&document_, &model::TableDocument::cellChanged, this, [this](const model::Code& code) {
    CodeLookup::Editor editor(*current_);
    editor.Update(document_, code);
    current_ = std::make_shared<const CodeLookup>(std::move(editor).Done());
    emit changed();
  });
  connect(&document_, &model::TableDocument::tableReset, this, &DocumentLookup::Rebuild);
  // A bulk change that converts the table has rebuilt it already, in the new encoding.
  connect(&document_, &model::TableDocument::encodingChanged, this, [this] {
    if (current_->Encoding() != document_.Encoding()) Rebuild();
  });
}

void DocumentLookup::Rebuild() {
  current_ = std::make_shared<const CodeLookup>(CodeLookup::Of(document_));
  emit changed();
}

}  // namespace orvane::data
