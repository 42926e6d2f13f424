#include "made_up_data.h"

#include <QRandomGenerator>

using namespace Qt::Literals::StringLiterals;

namespace orvane::testing {
namespace {

// Where a made-up game keeps the first symbol of each run: A, a, あ, が, and ぁ of a second
// game that keeps its kana in the JIS order.
struct MadeUpTable {
  quint32 upper = 0;
  quint32 lower = 0;
  quint32 pure = 0;
  quint32 impure = 0;
  quint32 jis = 0;
};

// The kana in the order of the editor's fills.
const QString kPure =
    u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"_s;
const QString kImpure = u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ"_s;

quint32 ValueOf(QChar c, const MadeUpTable& table, bool jis) {
  if (c == u' ') return 0;
  if (jis) return table.jis + (c.unicode() - u'ぁ');
  if (c >= u'A' && c <= u'Z') return table.upper + (c.unicode() - u'A');
  if (c >= u'a' && c <= u'z') return table.lower + (c.unicode() - u'a');
  if (kPure.contains(c)) return table.pure + static_cast<quint32>(kPure.indexOf(c));
  return table.impure + static_cast<quint32>(kImpure.indexOf(c));
}

void Write(QByteArray& data, qsizetype at, QStringView text, const MadeUpTable& table,
           data::ValueSize values, bool jis) {
  for (const QChar c : text) {
    const quint32 value = ValueOf(c, table, jis);
    if (values == data::ValueSize::k8) {
      data[at++] = static_cast<char>(value);
      continue;
    }
    const auto high = static_cast<char>(value >> 8);
    const auto low = static_cast<char>(value & 0xFF);
    data[at++] = values == data::ValueSize::k16Be ? high : low;
    data[at++] = values == data::ValueSize::k16Be ? low : high;
  }
}

}  // namespace

QByteArray MadeUpData(data::ValueSize values) {
  QByteArray data(0x10000, '\0');
  QRandomGenerator random(20);
  for (char& byte : data) byte = static_cast<char>(random.bounded(256));
  const MadeUpTable table = values == data::ValueSize::k8
                                ? MadeUpTable{0x80, 0xA0, 0x10, 0x50, 0x20}
                                : MadeUpTable{0x0200, 0x0300, 0x0120, 0x0180, 0x0400};
  const struct {
    qsizetype at;
    QString text;
  } strings[] = {{0x0100, u"HERO"_s},       {0x0501, u"THE HERO"_s},   {0x0900, u"HEROES"_s},
                 {0x0D00, u"Hero"_s},       {0x1100, u"Hero"_s},       {0x1500, u"たからもの"_s},
                 {0x1901, u"たからもの"_s}, {0x1D00, u"たからもの"_s}, {0x2100, u"どうぐ"_s},
                 {0x2500, u"どうぐ"_s},     {0x2901, u"どうぐ"_s}};
  for (const auto& string : strings) Write(data, string.at, string.text, table, values, false);
  for (const qsizetype at : {0x2D00, 0x3101}) Write(data, at, u"ゆうしゃ", table, values, true);
  return data;
}

}  // namespace orvane::testing
