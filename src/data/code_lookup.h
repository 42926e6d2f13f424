#pragma once

#include "data/code_reading.h"
#include "model/code.h"
#include "text/encoding.h"

#include <QtGlobal>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace orvane::model {
class TableDocument;
}

namespace orvane::data {

// The table's codes that read as something, in pages of the codes that share a prefix, so that
// the longest code at a byte of data is found with a few array reads. Pages never change once a
// lookup holds them: a change makes a new lookup that shares every page it leaves alone, so a
// worker can read one while the table goes on changing, and a change of one code copies a page
// per byte of it, whatever the table's size. Copies are cheap and share everything.
class CodeLookup {
 public:
  struct Match {
    const CodeReading* reading = nullptr;  // valid while this lookup or a copy of it lives
    int length = 0;
  };
  class Editor;

  CodeLookup();

  // Every code of the document, read in its encoding.
  [[nodiscard]] static CodeLookup Of(const model::TableDocument& document);
  void Build(const model::TableDocument& document) { *this = Of(document); }

  // The longest code that starts `bytes`, looking at no more than `available` (at least one).
  [[nodiscard]] Match Longest(const char* bytes, qsizetype available) const {
    // Most data is single bytes and pairs: those two levels are spelled out.
    const Page& root = *root_;
    const Slot& first = root.by_byte[static_cast<quint8>(bytes[0])];
    Match match;
    if (first.reading >= 0) match = {&root.readings[static_cast<size_t>(first.reading)], 1};
    const Page* page = first.longer;
    if (page == nullptr || available < 2) return match;
    const Slot& second = page->by_byte[static_cast<quint8>(bytes[1])];
    if (second.reading >= 0) match = {&page->readings[static_cast<size_t>(second.reading)], 2};
    if (second.longer == nullptr || available < 3) return match;
    return LongerThanTwo(*second.longer, bytes, available, match);
  }
  // The same among the codes of whole values of `step` bytes.
  [[nodiscard]] Match LongestOfValues(const char* bytes, qsizetype available, int step) const;
  // The code of exactly these one to four bytes, or null.
  [[nodiscard]] const CodeReading* Find(const char* bytes, int length) const;
  // Whether a code longer than `length` bytes begins with these bytes.
  [[nodiscard]] bool Extends(const char* bytes, int length) const;

  // Every code that reads, in no particular order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    ForEachIn(*root_, visit);
  }
  [[nodiscard]] qsizetype Count() const { return count_; }
  // The encoding the shown texts were made in.
  [[nodiscard]] text::Encoding Encoding() const { return encoding_; }

 private:
  struct Page;
  // What a byte at this place leads to: the reading of the code it ends, the page of the codes
  // that go on past it. Small, so that a page of them stays in the cache as the data is read.
  struct Slot {
    qint32 reading = -1;           // in Page::readings
    const Page* longer = nullptr;  // held by Page::children
  };
  // A page that would hold no code is dropped.
  struct Page {
    std::array<Slot, 256> by_byte{};
    std::vector<CodeReading> readings;
    std::vector<std::shared_ptr<const Page>> children;
    quint64 editor = 0;  // the editor that made it, which alone may change it

    [[nodiscard]] bool Empty() const { return readings.empty() && children.empty(); }
  };

  template <typename Visit>
  static void ForEachIn(const Page& page, Visit& visit) {
    for (const CodeReading& reading : page.readings) visit(reading);
    for (const auto& child : page.children) ForEachIn(*child, visit);
  }
  [[nodiscard]] const Slot* SlotOf(const char* bytes, int length) const;
  [[nodiscard]] static Match LongerThanTwo(const Page& page, const char* bytes, qsizetype available,
                                           Match match);

  std::shared_ptr<const Page> root_;
  qsizetype count_ = 0;
  text::Encoding encoding_ = text::Encoding::kEucJp;
};

// Makes a changed lookup from another: the pages it changes are copied once, on first touch, and
// the others shared. The lookup it started from stays as it was.
class CodeLookup::Editor {
 public:
  explicit Editor(CodeLookup from);

  // The code reads so, or with nothing no longer reads.
  void Set(const model::Code& code, std::optional<CodeReading> reading);
  // The code as the document has it now.
  void Update(const model::TableDocument& document, const model::Code& code);
  [[nodiscard]] CodeLookup Done() && { return std::move(lookup_); }

 private:
  Page& Own(std::shared_ptr<const Page>& page);
  // The page of the codes that go on past `byte` of `page`, owned, made when there is none.
  Page& OwnLonger(Page& page, quint8 byte);
  static void DropReading(Page& page, quint8 byte);
  // Points the slots at the page's own readings, after they moved.
  static void Repoint(Page& page);
  static void DropLonger(Page& page, quint8 byte);
  void Remove(const model::Code& code);

  CodeLookup lookup_;
  quint64 id_;
};

}  // namespace orvane::data
