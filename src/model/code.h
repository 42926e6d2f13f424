#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMetaType>

#include <compare>
#include <optional>

namespace orvane::model {

inline constexpr int kMaxCodeLength = 4;

// The 256 codes that share a prefix of zero to three bytes: the single bytes 00..FF have none,
// page 81 holds 8100..81FF, page 8A5B holds 8A5B00..8A5BFF. Pages sort as their prefixes do,
// byte by byte, a prefix before the longer ones it leads; the single bytes come first.
class Page {
 public:
  constexpr Page() = default;
  // Nothing for a length outside 0..3 or a value that does not fit it.
  [[nodiscard]] static constexpr std::optional<Page> Make(quint32 prefix, int length) {
    if (length < 0 || length >= kMaxCodeLength) return std::nullopt;
    if (prefix >> (8 * length) != 0) return std::nullopt;
    Page page;
    page.prefix_ = prefix;
    page.length_ = static_cast<quint8>(length);
    return page;
  }
  // 0, 2, 4 or 6 hexadecimal digits in either case.
  [[nodiscard]] static std::optional<Page> FromHex(QByteArrayView digits);

  [[nodiscard]] constexpr int Length() const { return length_; }
  [[nodiscard]] constexpr quint32 Prefix() const { return prefix_; }
  [[nodiscard]] constexpr bool IsSingleBytes() const { return length_ == 0; }
  // Upper-case digits of the prefix; empty for the single bytes.
  [[nodiscard]] QByteArray Hex() const;
  // The page one byte shorter; nothing for the single bytes.
  [[nodiscard]] std::optional<Page> Parent() const;

  [[nodiscard]] constexpr quint64 SortKey() const {
    // The prefix left-aligned in three bytes, then its length: "81" before "8100" before "82".
    return (static_cast<quint64>(prefix_) << (8 * (3 - length_))) << 2 | length_;
  }
  friend constexpr bool operator==(const Page&, const Page&) = default;
  friend constexpr std::strong_ordering operator<=>(const Page& a, const Page& b) {
    return a.SortKey() <=> b.SortKey();
  }

 private:
  quint32 prefix_ = 0;
  quint8 length_ = 0;
};

// A code of one to four bytes, as a game's text holds it, lead byte first. Codes sort page by
// page, and by their last byte within a page: the single bytes first, then 8100..81FF, then
// 810000..8100FF, then 8200..
class Code {
 public:
  constexpr Code() = default;
  // A single byte: most of the editor works on these, so they convert without ceremony.
  constexpr Code(quint8 byte) : value_(byte) {}  // NOLINT(google-explicit-constructor)
  [[nodiscard]] static constexpr std::optional<Code> Make(quint32 value, int length) {
    if (length < 1 || length > kMaxCodeLength) return std::nullopt;
    if (length < kMaxCodeLength && value >> (8 * length) != 0) return std::nullopt;
    Code code;
    code.value_ = value;
    code.length_ = static_cast<quint8>(length);
    return code;
  }
  // One to four bytes, lead byte first.
  [[nodiscard]] static std::optional<Code> FromBytes(QByteArrayView bytes);
  // 2, 4, 6 or 8 hexadecimal digits in either case.
  [[nodiscard]] static std::optional<Code> FromHex(QByteArrayView digits);

  [[nodiscard]] constexpr int Length() const { return length_; }
  [[nodiscard]] constexpr quint32 Value() const { return value_; }
  [[nodiscard]] constexpr bool IsSingleByte() const { return length_ == 1; }
  // The last byte: the cell of the code on its page.
  [[nodiscard]] constexpr quint8 Last() const { return static_cast<quint8>(value_ & 0xFF); }
  [[nodiscard]] constexpr Page PageOf() const { return *Page::Make(value_ >> 8, length_ - 1); }
  // The code that follows on the same page, or nothing after the page's last cell.
  [[nodiscard]] constexpr std::optional<Code> Next() const {
    if (Last() == 0xFF) return std::nullopt;
    return Make(value_ + 1, length_);
  }
  [[nodiscard]] QByteArray Bytes() const;
  // Upper-case digits, two for each byte.
  [[nodiscard]] QByteArray Hex() const;
  // Whether the code's bytes begin with all of `page`'s prefix.
  [[nodiscard]] constexpr bool StartsWith(const Page& page) const {
    if (page.Length() == 0) return true;
    return page.Length() < length_ && value_ >> (8 * (length_ - page.Length())) == page.Prefix();
  }

  [[nodiscard]] constexpr quint64 SortKey() const { return PageOf().SortKey() << 8 | Last(); }
  friend constexpr bool operator==(const Code&, const Code&) = default;
  friend constexpr std::strong_ordering operator<=>(const Code& a, const Code& b) {
    return a.SortKey() <=> b.SortKey();
  }

 private:
  quint32 value_ = 0;
  quint8 length_ = 1;
};

// The code on `page` at a cell 00..FF.
[[nodiscard]] constexpr Code CodeOnPage(const Page& page, quint8 cell) {
  return *Code::Make(page.Prefix() << 8 | cell, page.Length() + 1);
}

// The page whose prefix is the whole code: the page a code of the grid leads to.
[[nodiscard]] constexpr std::optional<Page> PageLedBy(const Code& code) {
  return Page::Make(code.Value(), code.Length());
}

}  // namespace orvane::model

Q_DECLARE_METATYPE(orvane::model::Code)
Q_DECLARE_METATYPE(orvane::model::Page)
