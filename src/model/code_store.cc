#include "model/code_store.h"

#include <algorithm>
#include <utility>

namespace orvane::model {
namespace {

quint32 Size32(qsizetype size) { return static_cast<quint32>(size); }

}  // namespace

void CodeStore::PageData::Put(quint8 cell, const CodeEntry& entry) {
  const auto at = static_cast<size_t>(Rank(cell));
  if (!Has(cell)) {
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), Slot{});
    held[cell >> 6] |= quint64{1} << (cell & 63);
  } else {
    const Slot& old = entries[at];
    if ((old.flags & kTextOwn) != 0) own_live -= old.text_size;
    if ((old.flags & kLabelOwn) != 0) own_live -= old.label_size;
  }
  Slot slot;
  slot.cell = cell;
  slot.flags = static_cast<quint8>((entry.special ? kSpecial : 0) | kTextOwn | kLabelOwn);
  slot.text_begin = Size32(own.size());
  slot.text_size = Size32(entry.text.size());
  own.append(entry.text);
  slot.label_begin = Size32(own.size());
  slot.label_size = Size32(entry.label.size());
  own.append(entry.label);
  own_live += entry.text.size() + entry.label.size();
  entries[at] = slot;
  Compact();
}

void CodeStore::PageData::Remove(quint8 cell) {
  if (!Has(cell)) return;
  const auto at = entries.begin() + Rank(cell);
  if ((at->flags & kTextOwn) != 0) own_live -= at->text_size;
  if ((at->flags & kLabelOwn) != 0) own_live -= at->label_size;
  entries.erase(at);
  held[cell >> 6] &= ~(quint64{1} << (cell & 63));
}

void CodeStore::PageData::Compact() {
  constexpr qsizetype kSlack = 4096;
  if (own.size() <= 2 * own_live + kSlack) return;
  QByteArray kept;
  kept.reserve(own_live);
  for (Slot& slot : entries) {
    const CodeView view = View(slot);
    if ((slot.flags & kTextOwn) != 0) {
      slot.text_begin = Size32(kept.size());
      kept.append(view.text);
    }
    if ((slot.flags & kLabelOwn) != 0) {
      slot.label_begin = Size32(kept.size());
      kept.append(view.label);
    }
  }
  own = kept;
}

qsizetype CodeStore::LowerBound(const Page& page) const {
  const auto at = std::lower_bound(pages_.cbegin(), pages_.cend(), page,
                                   [](const PageRef& ref, const Page& p) { return ref.page < p; });
  return at - pages_.cbegin();
}

const CodeStore::PageData* CodeStore::FindPage(const Page& page) const {
  const qsizetype at = LowerBound(page);
  if (at == pages_.size() || pages_[at].page != page) return nullptr;
  return pages_[at].data.constData();
}

std::optional<CodeView> CodeStore::Find(const Code& code) const {
  const PageData* data = FindPage(code.PageOf());
  if (data == nullptr || !data->Has(code.Last())) return std::nullopt;
  return data->View(data->entries[static_cast<size_t>(data->Rank(code.Last()))]);
}

QByteArray CodeStore::Text(const Code& code) const {
  const auto view = Find(code);
  return view ? view->text.toByteArray() : QByteArray();
}

void CodeStore::Set(const Code& code, const CodeEntry& entry) {
  const Page page = code.PageOf();
  const qsizetype at = LowerBound(page);
  if (at == pages_.size() || pages_[at].page != page) {
    pages_.insert(at, PageRef{page, QSharedDataPointer<PageData>(new PageData)});
  }
  pages_[at].data->Put(code.Last(), entry);
}

void CodeStore::Erase(const Code& code) {
  const Page page = code.PageOf();
  const qsizetype at = LowerBound(page);
  if (at == pages_.size() || pages_[at].page != page) return;
  if (!pages_[at].data.constData()->Has(code.Last())) return;
  pages_[at].data->Remove(code.Last());
  if (pages_[at].data.constData()->entries.empty()) pages_.removeAt(at);
}

qsizetype CodeStore::Count() const {
  qsizetype count = 0;
  for (const PageRef& ref : pages_) count += static_cast<qsizetype>(ref.data->entries.size());
  return count;
}

QList<PageCount> CodeStore::Pages() const {
  QList<PageCount> pages;
  for (const PageRef& ref : pages_) {
    if (ref.page.IsSingleBytes()) continue;
    pages.append(PageCount{ref.page, static_cast<qsizetype>(ref.data->entries.size())});
  }
  return pages;
}

bool CodeStore::Extends(const Code& code) const {
  const std::optional<Page> led = PageLedBy(code);
  if (!led) return false;
  // Pages sort by their prefix left-aligned: those that begin with the code's bytes come first
  // from the page it leads on.
  const qsizetype at = LowerBound(*led);
  if (at == pages_.size()) return false;
  const Page& page = pages_[at].page;
  return page.Length() >= led->Length() &&
         page.Prefix() >> (8 * (page.Length() - led->Length())) == led->Prefix();
}

void CodeStore::Differences(const CodeStore& other,
                            const std::function<bool(const Code&)>& visit) const {
  const auto all = [&](const PageRef& ref) {
    for (const Slot& slot : ref.data->entries) {
      if (!visit(CodeOnPage(ref.page, slot.cell))) return false;
    }
    return true;
  };
  qsizetype i = 0;
  qsizetype j = 0;
  while (i < pages_.size() || j < other.pages_.size()) {
    if (j == other.pages_.size() || (i < pages_.size() && pages_[i].page < other.pages_[j].page)) {
      if (!all(pages_[i++])) return;
      continue;
    }
    if (i == pages_.size() || other.pages_[j].page < pages_[i].page) {
      if (!all(other.pages_[j++])) return;
      continue;
    }
    const PageData* a = pages_[i].data.constData();
    const PageData* b = other.pages_[j].data.constData();
    const Page page = pages_[i].page;
    ++i;
    ++j;
    if (a == b) continue;
    for (int cell = 0; cell < 256; ++cell) {
      const auto c = static_cast<quint8>(cell);
      const bool in_a = a->Has(c);
      const bool in_b = b->Has(c);
      if (!in_a && !in_b) continue;
      if (in_a && in_b &&
          a->View(a->entries[static_cast<size_t>(a->Rank(c))]) ==
              b->View(b->entries[static_cast<size_t>(b->Rank(c))])) {
        continue;
      }
      if (!visit(CodeOnPage(page, c))) return;
    }
  }
}

std::optional<Code> CodeStore::FirstDifference(const CodeStore& other) const {
  std::optional<Code> first;
  Differences(other, [&](const Code& code) {
    first = code;
    return false;
  });
  return first;
}

}  // namespace orvane::model
