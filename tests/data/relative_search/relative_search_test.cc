#include "data/relative_search.h"

#include "data/relative_search_preview.h"
#include "data/relative_search_rank.h"
#include "made_up_data.h"
#include "model/table_document.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using orvane::data::ValueSize;
namespace data = orvane::data;

namespace {

std::optional<data::Query> QueryFor(const QString& word, const QString& order, ValueSize values) {
  return data::MakeQuery(word, data::OrderFromName(order), values).query;
}

std::vector<data::RankedCandidate> Found(const data::Query& query, const QByteArray& bytes,
                                         const data::CodeLookup& table = {},
                                         qint64 block = data::kSearchBlock) {
  data::BytesSource source(bytes);
  data::SearchResult result = data::Search(query, source, std::stop_token(), {}, block);
  return data::Rank(query, std::move(result.candidates), table);
}

}  // namespace

class RelativeSearchTest : public QObject {
  Q_OBJECT

 private slots:
  void MadeUpTableComesFirst_data();
  void MadeUpTableComesFirst();
  void BadInputGivesAReason_data();
  void BadInputGivesAReason();
  void TableRanksTheCandidatesAndNamesContradictions_data();
  void TableRanksTheCandidatesAndNamesContradictions();
};

void RelativeSearchTest::MadeUpTableComesFirst_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<QString>("order");
  QTest::addColumn<ValueSize>("values");
  QTest::addColumn<QString>("best");
  QTest::addColumn<qint64>("hits");
  QTest::addColumn<qint64>("first");
  QTest::addColumn<QString>("preview");  // part of the best one's preview line
  QTest::addColumn<QString>("romaji");   // the kana order a word of letters was found in
  const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
  row("HERO") << u"HERO"_s << QString() << ValueSize::k8 << u"A=80"_s << 3LL << 0x100LL << u"HERO"_s
              << QString();
  row("HERO 16be, odd offsets too") << u"HERO"_s << QString() << ValueSize::k16Be << u"A=0200"_s
                                    << 3LL << 0x100LL << u"HERO"_s << QString();
  row("any value") << u"HE*O"_s << QString() << ValueSize::k8 << u"A=80"_s << 3LL << 0x100LL
                   << u"HERO"_s << QString();
  row("a space outside the order") << u"THE HERO"_s << QString() << ValueSize::k8 << u"A=80"_s
                                   << 1LL << 0x501LL << u"THE<$00>HERO"_s << QString();
  row("upper and lower case apart") << u"Hero"_s << QString() << ValueSize::k8 << u"A=80 a=A0"_s
                                    << 2LL << 0xD00LL << u"Hero"_s << QString();
  row("kana") << u"たからもの"_s << QString() << ValueSize::k8 << u"あ=10"_s << 3LL << 0x1500LL
              << u"たからもの"_s << QString();
  row("romaji") << u"takaramono"_s << u"hiragana"_s << ValueSize::k8 << u"あ=10"_s << 3LL
                << 0x1500LL << u"たからもの"_s << QString();
  row("romaji 16le") << u"TAKARAMONO"_s << u"hiragana"_s << ValueSize::k16Le << u"あ=0120"_s << 3LL
                     << 0x1500LL << u"たからもの"_s << QString();
  row("pure and impure apart") << u"どうぐ"_s << QString() << ValueSize::k8 << u"あ=10 が=50"_s
                               << 3LL << 0x2100LL << u"どうぐ"_s << QString();
  row("pure and impure in romaji 16be")
      << u"dougu"_s << u"hiragana"_s << ValueSize::k16Be << u"あ=0120 が=0180"_s << 3LL << 0x2100LL
      << u"どうぐ"_s << QString();
  row("JIS order") << u"ゆうしゃ"_s << u"hiragana-jis"_s << ValueSize::k8 << u"ぁ=20"_s << 2LL
                   << 0x2D00LL << u"ゆうしゃ"_s << QString();
  // From the word, lower-case letters that are no hit as letters are tried as romaji.
  row("romaji from the word") << u"takaramono"_s << QString() << ValueSize::k8 << u"あ=10"_s << 3LL
                              << 0x1500LL << u"たからもの"_s << u"hiragana"_s;
  row("romaji 16be from the word")
      << u"dougu"_s << QString() << ValueSize::k16Be << u"あ=0120 が=0180"_s << 3LL << 0x2100LL
      << u"どうぐ"_s << u"hiragana"_s;
}

void RelativeSearchTest::MadeUpTableComesFirst() {
  QFETCH(QString, word);
  QFETCH(QString, order);
  QFETCH(ValueSize, values);
  // Blocks of one byte and of a few make every hit and its context straddle one.
  for (const qint64 block : {qint64{1}, qint64{7}, data::kSearchBlock}) {
    data::BytesSource source(orvane::testing::MadeUpData(values));
    data::WordSearch searched = data::SearchWord(word, data::OrderFromName(order), values, source,
                                                 std::stop_token(), {}, block);
    QVERIFY(searched.query);
    const data::Query& query = *searched.query;
    QTEST(searched.romaji ? data::OrderName(*searched.romaji) : QString(), "romaji");
    const auto found = data::Rank(query, std::move(searched.result.candidates), {});
    QVERIFY(!found.empty());
    const data::Candidate& best = found.front().candidate;
    QTEST(data::CandidateValues(query, best), "best");
    QTEST(best.hits, "hits");
    QTEST(best.FirstHit(), "first");
    QCOMPARE(qsizetype(best.offsets.size()), best.hits);
    QFETCH(QString, preview);
    const QString line = data::PreviewLine(query, best, {});
    QVERIFY2(line.contains(preview), qPrintable(line));
    // The word in sight: what comes before it is at most kPreviewLead characters, a byte that
    // starts no code counting as one.
    QString before = line.first(line.indexOf(preview));
    before.replace(QRegularExpression(u"<\\$[0-9A-F]{2}>"_s), u"#"_s);
    QVERIFY2(before.size() == data::kPreviewLead, qPrintable(line));
  }
}

void RelativeSearchTest::BadInputGivesAReason_data() {
  QTest::addColumn<QString>("word");
  QTest::addColumn<QString>("order");
  QTest::addColumn<ValueSize>("values");
  QTest::addColumn<int>("data_size");
  QTest::addColumn<QString>("reason");
  const QString one = u"two different symbols of one order"_s;
  QTest::newRow("one symbol") << u"H"_s << QString() << ValueSize::k8 << 100 << one;
  QTest::newRow("one symbol twice") << u"HH*"_s << QString() << ValueSize::k8 << 100 << one;
  QTest::newRow("one of each case") << u"Ab"_s << QString() << ValueSize::k8 << 100 << one;
  QTest::newRow("one pure, one impure") << u"がく"_s << QString() << ValueSize::k8 << 100 << one;
  QTest::newRow("no symbol of the order")
      << u"1234"_s << u"upper"_s << ValueSize::k8 << 100 << u"no symbol of the order upper"_s;
  QTest::newRow("nothing to search")
      << u"!?"_s << QString() << ValueSize::k8 << 100 << u"no letter, digit or kana"_s;
  QTest::newRow("not romaji") << u"takaqra"_s << u"hiragana"_s << ValueSize::k8 << 100
                              << u"\"q\" (character 5) begins no syllable"_s;
  QTest::newRow("empty") << QString() << QString() << ValueSize::k8 << 100 << u"empty"_s;
  QTest::newRow("too long") << u"AB"_s.repeated(40) << QString() << ValueSize::k8 << 100
                            << u"longer than 64 symbols"_s;
  QTest::newRow("data shorter than the word")
      << u"HERO"_s << QString() << ValueSize::k8 << 3 << u"(3 bytes) is shorter than the word"_s;
}

void RelativeSearchTest::BadInputGivesAReason() {
  QFETCH(QString, word);
  QFETCH(QString, order);
  QFETCH(ValueSize, values);
  QFETCH(int, data_size);
  const auto made = data::MakeQuery(word, data::OrderFromName(order), values);
  QString given = made.error;
  if (made.query) {
    data::BytesSource source(QByteArray(data_size, 'x'));
    const data::SearchResult result = data::Search(*made.query, source, std::stop_token());
    QVERIFY(result.candidates.empty());
    given = result.error;
  }
  QFETCH(QString, reason);
  QVERIFY2(given.contains(reason), qPrintable(given));
}

void RelativeSearchTest::TableRanksTheCandidatesAndNamesContradictions_data() {
  QTest::addColumn<QByteArrayList>("table");  // code, text, code, text, ...
  QTest::addColumn<QString>("best");
  QTest::addColumn<QStringList>("contradictions");  // of the other one
  QTest::newRow("no table: more hits first") << QByteArrayList() << u"A=30"_s << QStringList();
  QTest::newRow("the table agrees with the game")
      << QByteArrayList{"80", "A", "81", "B"} << u"A=80"_s
      << QStringList{u"80 is A in the table"_s, u"81 is B in the table"_s};
  QTest::newRow("the table has another text where the other writes")
      << QByteArrayList{"31", "x"} << u"A=80"_s << QStringList{u"31 is x in the table"_s};
  QTest::newRow("the table's end mark")
      << QByteArrayList{"/32", "[end]"} << u"A=80"_s << QStringList{u"32 is [end] in the table"_s};
  QTest::newRow("a control code where the other writes, whatever its label")
      << QByteArrayList{"$31", "B"} << u"A=80"_s << QStringList{u"31 is the control code B"_s};
}

// The made-up game's HERO three times, and a decoy that would put A at 30 four times.
void RelativeSearchTest::TableRanksTheCandidatesAndNamesContradictions() {
  QFETCH(QByteArrayList, table);
  QByteArray bytes = orvane::testing::MadeUpData(ValueSize::k8);
  for (const qsizetype at : {0x8000, 0x8100, 0x8200, 0x8300}) {
    bytes.replace(at, 4, "\x37\x34\x41\x3E");  // HERO with A at 30
  }
  orvane::model::TableDocument document;
  for (qsizetype i = 0; i + 1 < table.size(); i += 2) {
    const bool mark = table[i].startsWith('/');
    const bool control = table[i].startsWith('$');
    const auto code = orvane::model::Code::FromHex(table[i].mid(mark || control ? 1 : 0));
    if (control)
      document.SetEntry(*code, orvane::model::CodeEntry{table[i + 1], false, {}, true, "1"});
    if (control) continue;
    document.SetCellText(*code, mark ? "/" : table[i + 1]);
    if (mark) document.MarkSpecial(*code);
    if (mark) document.SetMarkLabel(*code, table[i + 1]);
  }
  const auto query = QueryFor(u"HERO"_s, u"upper"_s, ValueSize::k8);
  const auto found = Found(*query, bytes, data::CodeLookup::Of(document));
  QCOMPARE(found.size(), size_t{2});
  QTEST(data::CandidateValues(*query, found[0].candidate), "best");
  QCOMPARE(found[0].contradictions, QStringList());
  QTEST(found[1].contradictions, "contradictions");
}

QTEST_GUILESS_MAIN(RelativeSearchTest)
#include "relative_search_test.moc"
