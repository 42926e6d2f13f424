#pragma once

#include "model/code.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSharedData>
#include <QSharedDataPointer>

#include <array>
#include <bit>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace orvane::model {

// What a code of the table holds. A mark's label is the text the file gave after its digits,
// less one leading "=". A code may be held with no text and no mark: a line of the file
// defines it all the same ("9AF6=").
struct CodeEntry {
  QByteArray text;
  bool special = false;
  QByteArray label;

  friend bool operator==(const CodeEntry&, const CodeEntry&) = default;
};

// The same, pointing into the store: valid until the store changes.
struct CodeView {
  QByteArrayView text;
  bool special = false;
  QByteArrayView label;

  [[nodiscard]] CodeEntry Entry() const {
    return CodeEntry{text.toByteArray(), special, label.toByteArray()};
  }
  friend bool operator==(const CodeView& a, const CodeView& b) {
    return a.special == b.special && a.text == b.text && a.label == b.label;
  }
};

// A page that holds codes, and how many.
struct PageCount {
  Page page;
  qsizetype codes = 0;
};

// Every code of one to four bytes the table holds, keyed by its code and kept in pages of 256
// that copies share: a copy costs nothing, and a change copies the one page it touches, so a
// history of one-cell edits holds a page a step, not the table. A loaded file's texts stay in the
// file's text, which the pages share.
class CodeStore {
  struct Slot {
    quint32 text_begin = 0;
    quint32 text_size = 0;
    quint32 label_begin = 0;
    quint32 label_size = 0;
    quint8 cell = 0;
    quint8 flags = 0;
  };
  enum SlotFlag : quint8 { kSpecial = 1, kTextOwn = 2, kLabelOwn = 4 };

  // One page's codes: a bitmap of the cells held and their entries, in cell order.
  struct PageData : QSharedData {
    std::array<quint64, 4> held{};
    QByteArray source;  // the texts the page was loaded with
    QByteArray own;     // texts set since
    qsizetype own_live = 0;
    std::vector<Slot> entries;

    [[nodiscard]] bool Has(quint8 cell) const { return (held[cell >> 6] >> (cell & 63) & 1) != 0; }
    [[nodiscard]] qsizetype Rank(quint8 cell) const {
      qsizetype rank = 0;
      for (int word = 0; word < (cell >> 6); ++word) rank += Ones(held[word]);
      const quint64 below = (quint64{1} << (cell & 63)) - 1;
      return rank + Ones(held[cell >> 6] & below);
    }
    // Without an instruction for it on every machine a build targets, std::popcount is a call.
    [[nodiscard]] static int Ones(quint64 bits) {
      bits -= (bits >> 1) & 0x5555555555555555ULL;
      bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
      bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
      return static_cast<int>((bits * 0x0101010101010101ULL) >> 56);
    }
    [[nodiscard]] CodeView View(const Slot& slot) const {
      const QByteArray& texts = (slot.flags & kTextOwn) != 0 ? own : source;
      const QByteArray& labels = (slot.flags & kLabelOwn) != 0 ? own : source;
      return CodeView{QByteArrayView(texts).sliced(slot.text_begin, slot.text_size),
                      (slot.flags & kSpecial) != 0,
                      QByteArrayView(labels).sliced(slot.label_begin, slot.label_size)};
    }
    void Put(quint8 cell, const CodeEntry& entry);
    void Remove(quint8 cell);
    // Drops the bytes of `own` no slot refers to once they outweigh the rest.
    void Compact();
  };
  struct PageRef {
    Page page;
    QSharedDataPointer<PageData> data;
  };

 public:
  [[nodiscard]] std::optional<CodeView> Find(const Code& code) const;
  [[nodiscard]] bool Holds(const Code& code) const { return Find(code).has_value(); }
  [[nodiscard]] QByteArray Text(const Code& code) const;
  // Adds the code when it is not held.
  void Set(const Code& code, const CodeEntry& entry);
  void Erase(const Code& code);
  void Clear() { pages_.clear(); }

  [[nodiscard]] qsizetype Count() const;
  [[nodiscard]] bool IsEmpty() const { return pages_.isEmpty(); }
  // The pages of codes of two to four bytes that hold codes, in code order.
  [[nodiscard]] QList<PageCount> Pages() const;
  // Whether a code of more bytes than `code` begins with all of its bytes.
  [[nodiscard]] bool Extends(const Code& code) const;

  // Calls visit(code, view) for every code in code order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const PageRef& ref : pages_) {
      const PageData& data = *ref.data;
      for (const Slot& slot : data.entries) visit(CodeOnPage(ref.page, slot.cell), data.View(slot));
    }
  }
  // The same for the codes of one page.
  template <typename Visit>
  void ForEachOnPage(const Page& page, Visit visit) const {
    if (const PageData* data = FindPage(page)) {
      for (const Slot& slot : data->entries) visit(CodeOnPage(page, slot.cell), data->View(slot));
    }
  }
  // Calls visit(code) for every code whose entry differs between the two, in code order; pages
  // the two share are passed over without a look.
  template <typename Visit>
  void ForEachDifference(const CodeStore& other, Visit visit) const {
    Differences(other, [&](const Code& code) {
      visit(code);
      return true;
    });
  }
  [[nodiscard]] std::optional<Code> FirstDifference(const CodeStore& other) const;

  friend bool operator==(const CodeStore& a, const CodeStore& b) {
    return !a.FirstDifference(b).has_value();
  }

  // Builds a store from codes given in code order, each once, without copying their texts: the
  // views point into `source`, which the store keeps. Inline: a load appends every code.
  class Loader {
   public:
    explicit Loader(QByteArray source) : source_(std::move(source)) {}

    void Append(const Code& code, QByteArrayView text, bool special, QByteArrayView label) {
      if (page_ == nullptr || code.PageOf() != pages_.constLast().page) BeginPage(code.PageOf(), 0);
      Put(code.Last(), text, special, label);
    }
    // A page's codes one after another, in cell order; `count` makes room for as many.
    void BeginPage(const Page& page, qsizetype count) {
      page_ = new PageData;
      page_->source = source_;
      page_->entries.reserve(static_cast<size_t>(count));
      pages_.append(PageRef{page, QSharedDataPointer<PageData>(page_)});
    }
    void Put(quint8 cell, QByteArrayView text, bool special, QByteArrayView label) {
      page_->held[cell >> 6] |= quint64{1} << (cell & 63);
      Slot& slot = page_->entries.emplace_back();
      slot.cell = cell;
      slot.flags = special ? kSpecial : 0;
      slot.text_begin = text.isEmpty() ? 0 : Offset(text);
      slot.text_size = static_cast<quint32>(text.size());
      slot.label_begin = label.isEmpty() ? 0 : Offset(label);
      slot.label_size = static_cast<quint32>(label.size());
    }
    // The codes appended, as a store; the loader is empty afterwards.
    [[nodiscard]] CodeStore Finish();

   private:
    [[nodiscard]] quint32 Offset(QByteArrayView part) const {
      return static_cast<quint32>(part.data() - source_.constData());
    }

    QByteArray source_;
    QList<PageRef> pages_;
    PageData* page_ = nullptr;  // the last page's, which pages_ owns
  };

 private:
  // The page's place in pages_, or where it would go.
  [[nodiscard]] qsizetype LowerBound(const Page& page) const;
  [[nodiscard]] const PageData* FindPage(const Page& page) const;
  // visit(code) returns false to stop.
  void Differences(const CodeStore& other, const std::function<bool(const Code&)>& visit) const;

  QList<PageRef> pages_;  // sorted by page
};

inline CodeStore CodeStore::Loader::Finish() {
  CodeStore store;
  store.pages_ = std::move(pages_);
  pages_.clear();
  page_ = nullptr;
  return store;
}

}  // namespace orvane::model
