#include "data/code_lookup.h"

#include "model/table_document.h"

#include <algorithm>
#include <atomic>

namespace orvane::data {
namespace {

// Each editor marks the pages it made, so that it changes those in place and copies the others.
quint64 NextEditorId() {
  static std::atomic<quint64> last{0};
  return ++last;
}

}  // namespace

CodeLookup::CodeLookup() {
  static const std::shared_ptr<const Page> kEmpty = std::make_shared<const Page>();
  root_ = kEmpty;
}

CodeLookup CodeLookup::Of(const model::TableDocument& document) {
  CodeLookup empty;
  empty.encoding_ = document.Encoding();
  Editor editor(std::move(empty));
  const text::Encoding encoding = document.Encoding();
  document.Codes().ForEach(
      [&editor, encoding](const model::Code& code, const model::CodeView& view) {
        editor.Set(code, MakeReading(code, view, encoding));
      });
  return std::move(editor).Done();
}

const CodeLookup::Slot* CodeLookup::SlotOf(const char* bytes, int length) const {
  if (length < 1 || length > model::kMaxCodeLength) return nullptr;
  const Page* page = root_.get();
  for (int at = 0;; ++at) {
    const Slot& slot = page->by_byte[static_cast<quint8>(bytes[at])];
    if (at + 1 == length) return &slot;
    page = slot.longer;
    if (page == nullptr) return nullptr;
  }
}

CodeLookup::Match CodeLookup::LongerThanTwo(const Page& page, const char* bytes,
                                            qsizetype available, Match match) {
  const Slot& third = page.by_byte[static_cast<quint8>(bytes[2])];
  if (third.reading >= 0) match = {&page.readings[static_cast<size_t>(third.reading)], 3};
  if (third.longer == nullptr || available < 4) return match;
  const Page& last = *third.longer;
  const Slot& fourth = last.by_byte[static_cast<quint8>(bytes[3])];
  if (fourth.reading >= 0) match = {&last.readings[static_cast<size_t>(fourth.reading)], 4};
  return match;
}

CodeLookup::Match CodeLookup::LongestOfValues(const char* bytes, qsizetype available,
                                              int step) const {
  Match match;
  for (int length = step; length <= model::kMaxCodeLength && length <= available; length += step) {
    if (const CodeReading* reading = Find(bytes, length)) match = {reading, length};
    if (!Extends(bytes, length)) break;
  }
  return match;
}

const CodeReading* CodeLookup::Find(const char* bytes, int length) const {
  const Page* page = root_.get();
  for (int at = 0; at + 1 < length && page != nullptr; ++at) {
    page = page->by_byte[static_cast<quint8>(bytes[at])].longer;
  }
  if (page == nullptr || length < 1 || length > model::kMaxCodeLength) return nullptr;
  const qint32 reading = page->by_byte[static_cast<quint8>(bytes[length - 1])].reading;
  return reading < 0 ? nullptr : &page->readings[static_cast<size_t>(reading)];
}

bool CodeLookup::Extends(const char* bytes, int length) const {
  const Slot* slot = SlotOf(bytes, length);
  return slot != nullptr && slot->longer != nullptr;
}

CodeLookup::Editor::Editor(CodeLookup from) : lookup_(std::move(from)), id_(NextEditorId()) {}

void CodeLookup::Editor::Update(const model::TableDocument& document, const model::Code& code) {
  const std::optional<model::CodeEntry> entry = document.Entry(code);
  if (!entry) {
    Set(code, std::nullopt);
    return;
  }
  Set(code, MakeReading(code,
                        model::CodeView{entry->text, entry->special, entry->label, entry->control,
                                        entry->arguments},
                        lookup_.encoding_));
}

CodeLookup::Page& CodeLookup::Editor::Own(std::shared_ptr<const Page>& page) {
  if (page->editor == id_) {
    // Made by this editor and not shared with any lookup yet.
    return const_cast<Page&>(*page);
  }
  auto made = std::make_shared<Page>(*page);
  made->editor = id_;
  Repoint(*made);
  Page& own = *made;
  page = std::move(made);
  return own;
}

void CodeLookup::Editor::Repoint(Page& page) {
  for (size_t i = 0; i < page.readings.size(); ++i) {
    page.by_byte[page.readings[i].code.Last()].reading = static_cast<qint32>(i);
  }
}

CodeLookup::Page& CodeLookup::Editor::OwnLonger(Page& page, quint8 byte) {
  Slot& slot = page.by_byte[byte];
  if (slot.longer != nullptr && slot.longer->editor == id_) {
    return const_cast<Page&>(*slot.longer);
  }
  auto made =
      slot.longer != nullptr ? std::make_shared<Page>(*slot.longer) : std::make_shared<Page>();
  made->editor = id_;
  Repoint(*made);
  Page& own = *made;
  const auto held = std::find_if(page.children.begin(), page.children.end(),
                                 [&slot](const auto& child) { return child.get() == slot.longer; });
  if (held != page.children.end()) {
    *held = std::move(made);
  } else {
    page.children.push_back(std::move(made));
  }
  slot.longer = &own;
  return own;
}

void CodeLookup::Editor::DropReading(Page& page, quint8 byte) {
  const auto place = static_cast<size_t>(page.by_byte[byte].reading);
  page.by_byte[byte].reading = -1;
  if (place + 1 != page.readings.size()) {
    page.readings[place] = std::move(page.readings.back());
    page.by_byte[page.readings[place].code.Last()].reading = static_cast<qint32>(place);
  }
  page.readings.pop_back();
}

void CodeLookup::Editor::DropLonger(Page& page, quint8 byte) {
  Slot& slot = page.by_byte[byte];
  std::erase_if(page.children, [&slot](const auto& child) { return child.get() == slot.longer; });
  slot.longer = nullptr;
}

void CodeLookup::Editor::Set(const model::Code& code, std::optional<CodeReading> reading) {
  if (!reading) {
    Remove(code);
    return;
  }
  reading->code = code;
  const bool plain = reading->kind == CodeKind::kText && !reading->control &&
                     reading->arguments == 0 && reading->breaks_after == 0 &&
                     reading->shown.size() == 1;
  reading->unit_ = plain ? reading->shown[0].unicode() : char16_t{0};
  const QByteArray bytes = code.Bytes();
  Page* page = &Own(lookup_.root_);
  for (qsizetype at = 0; at + 1 < bytes.size(); ++at) {
    page = &OwnLonger(*page, static_cast<quint8>(bytes[at]));
  }
  Slot& slot = page->by_byte[static_cast<quint8>(bytes.back())];
  if (slot.reading >= 0) {
    page->readings[static_cast<size_t>(slot.reading)] = *std::move(reading);
    return;
  }
  slot.reading = static_cast<qint32>(page->readings.size());
  page->readings.push_back(*std::move(reading));
  ++lookup_.count_;
}

void CodeLookup::Editor::Remove(const model::Code& code) {
  const QByteArray bytes = code.Bytes();
  const auto length = static_cast<int>(bytes.size());
  if (lookup_.Find(bytes.constData(), length) == nullptr) return;
  // The pages on the way down, each owned; then the pages left empty dropped on the way up.
  std::array<Page*, model::kMaxCodeLength> path{};
  path[0] = &Own(lookup_.root_);
  for (int at = 1; at < length; ++at) {
    path[at] = &OwnLonger(*path[at - 1], static_cast<quint8>(bytes[at - 1]));
  }
  DropReading(*path[length - 1], static_cast<quint8>(bytes[length - 1]));
  --lookup_.count_;
  for (int at = length - 1; at > 0 && path[at]->Empty(); --at) {
    DropLonger(*path[at - 1], static_cast<quint8>(bytes[at - 1]));
  }
}

}  // namespace orvane::data
