#include "data/code_lookup.h"

#include "model/table_document.h"
#include "text/display_text.h"

#include <algorithm>

namespace orvane::data {
namespace {

// How a code with this text and mark reads, or nothing when it does not read at all.
std::optional<CodeReading> MakeReading(const model::Code& code, const QByteArray& text,
                                       bool special, QByteArrayView label,
                                       text::Encoding encoding) {
  if (text.isEmpty()) return std::nullopt;
  CodeReading reading;
  reading.code = code;
  if (!special || (text != "/" && text != "*")) {
    reading.SetShown(text::DisplayText(text, encoding));
    return reading;
  }
  reading.kind = text == "/" ? CodeKind::kEnd : CodeKind::kLineBreak;
  reading.labelled = !label.isEmpty();
  if (reading.labelled) {
    reading.SetShown(text::DisplayText(label, encoding));
  } else {
    reading.SetShown((reading.kind == CodeKind::kEnd ? kEndMarker : kLineMarker).toString());
  }
  return reading;
}

quint32 BigEndian(const char* bytes, int length) {
  quint32 value = 0;
  for (int i = 0; i < length; ++i) value = value << 8 | static_cast<quint8>(bytes[i]);
  return value;
}

}  // namespace

CodeLookup::CodeLookup() {
  single_.fill(-1);
  leads_.fill(-1);
}

qsizetype CodeLookup::Count() const {
  return static_cast<qsizetype>(readings_.size() - free_list_.size());
}

void CodeLookup::Build(const model::TableDocument& document) {
  single_.fill(-1);
  leads_.fill(-1);
  nodes_.clear();
  longer_.clear();
  readings_.clear();
  free_.clear();
  free_list_.clear();
  encoding_ = document.Encoding();
  document.Codes().ForEach([this](const model::Code& code, const model::CodeView& view) {
    Set(code, MakeReading(code, view.text.toByteArray(), view.special, view.label, encoding_));
  });
}

void CodeLookup::Update(const model::TableDocument& document, const model::Code& code) {
  Set(code, MakeReading(code, document.GetCellText(code), document.IsSpecial(code),
                        document.MarkLabel(code), encoding_));
}

const CodeReading* CodeLookup::Find(const char* bytes, int length) const {
  if (length == 1) {
    const qint32 single = single_[static_cast<quint8>(bytes[0])];
    return single < 0 ? nullptr : &readings_[static_cast<size_t>(single)];
  }
  const qint32 node_index = leads_[static_cast<quint8>(bytes[0])];
  if (node_index < 0) return nullptr;
  if (length == 2) {
    const qint32 pair =
        nodes_[static_cast<size_t>(node_index)].pairs[static_cast<quint8>(bytes[1])];
    return pair < 0 ? nullptr : &readings_[static_cast<size_t>(pair)];
  }
  const LongerKey key = static_cast<quint64>(length) << 32 | BigEndian(bytes, length);
  const auto at = std::lower_bound(longer_.begin(), longer_.end(), std::pair(key, qint32{-1}));
  if (at == longer_.end() || at->first != key) return nullptr;
  return &readings_[static_cast<size_t>(at->second)];
}

const CodeReading* CodeLookup::FindLonger(const char* bytes, qsizetype available) const {
  if (available >= 4) {
    if (const CodeReading* four = Find(bytes, 4)) return four;
  }
  return Find(bytes, 3);
}

bool CodeLookup::Extends(const char* bytes, int length) const {
  const qint32 node_index = leads_[static_cast<quint8>(bytes[0])];
  if (node_index < 0 || length >= model::kMaxCodeLength) return false;
  const Node& node = nodes_[static_cast<size_t>(node_index)];
  if (length == 1) return node.codes > 0;
  if (length == 2) return node.longer[static_cast<quint8>(bytes[1])] > 0;
  const quint64 first = quint64{4} << 32 | BigEndian(bytes, 3) << 8;
  const auto at = std::lower_bound(longer_.begin(), longer_.end(), std::pair(first, qint32{-1}));
  return at != longer_.end() && at->first <= (first | 0xFF);
}

qint32* CodeLookup::Slot(const model::Code& code, bool create) {
  const QByteArray bytes = code.Bytes();
  const auto lead = static_cast<quint8>(bytes[0]);
  if (code.IsSingleByte()) return &single_[lead];
  if (leads_[lead] < 0) {
    if (!create) return nullptr;
    leads_[lead] = static_cast<qint32>(nodes_.size());
    Node& node = nodes_.emplace_back();
    node.pairs.fill(-1);
    node.longer.fill(0);
  }
  if (code.Length() == 2) {
    return &nodes_[static_cast<size_t>(leads_[lead])].pairs[static_cast<quint8>(bytes[1])];
  }
  const LongerKey key = KeyOf(code);
  auto at = std::lower_bound(longer_.begin(), longer_.end(), std::pair(key, qint32{-1}));
  if (at == longer_.end() || at->first != key) {
    if (!create) return nullptr;
    at = longer_.insert(at, {key, -1});
  }
  return &at->second;
}

void CodeLookup::Set(const model::Code& code, std::optional<CodeReading> reading) {
  qint32* slot = Slot(code, reading.has_value());
  if (slot == nullptr) return;
  const bool was = *slot >= 0;
  if (was) Release(*slot);
  *slot = reading ? Store(*std::move(reading)) : -1;
  const bool is = *slot >= 0;
  if (was != is) Count(code, is ? 1 : -1);
  if (!is && code.Length() > 2) {
    longer_.erase(std::lower_bound(longer_.begin(), longer_.end(), std::pair(KeyOf(code), -1)));
  }
}

void CodeLookup::Count(const model::Code& code, int by) {
  if (code.IsSingleByte()) return;
  const QByteArray bytes = code.Bytes();
  Node& node = nodes_[static_cast<size_t>(leads_[static_cast<quint8>(bytes[0])])];
  node.codes += by;
  if (code.Length() > 2) {
    quint32& longer = node.longer[static_cast<quint8>(bytes[1])];
    longer = static_cast<quint32>(static_cast<qint64>(longer) + by);
  }
}

qint32 CodeLookup::Store(CodeReading reading) {
  if (!free_list_.empty()) {
    const qint32 index = free_list_.back();
    free_list_.pop_back();
    readings_[static_cast<size_t>(index)] = std::move(reading);
    free_[static_cast<size_t>(index)] = false;
    return index;
  }
  readings_.push_back(std::move(reading));
  free_.push_back(false);
  return static_cast<qint32>(readings_.size() - 1);
}

void CodeLookup::Release(qint32 index) {
  readings_[static_cast<size_t>(index)] = CodeReading{};
  free_[static_cast<size_t>(index)] = true;
  free_list_.push_back(index);
}

}  // namespace orvane::data
