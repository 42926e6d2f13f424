#include "check/check_parts.h"
#include "data/block_reader.h"
#include "data/string_reader.h"

#include <QSet>

#include <algorithm>
#include <limits>

namespace orvane::check {
namespace {

// Longer strings are no text a person wrote (data with no end mark in it): not checked.
constexpr qsizetype kLongestText = 4096;
constexpr qint64 kBlockSize = qint64{1} << 20;

// Unique to each code, whatever its length.
quint64 KeyOf(const model::Code& code) { return code.SortKey(); }

QString OffsetName(qint64 offset) {
  return QStringLiteral("%1").arg(offset, 8, 16, QChar(u'0')).toUpper();
}

// A control code whose arguments hold an end mark, where it was met first and how often.
struct ArgumentsPastEnd {
  model::Code code;
  model::Code end;
  qint64 first = 0;
  qsizetype count = 0;
};

class StringCheck {
 public:
  explicit StringCheck(CheckContext& context) : context_(context) {
    context_.document.Codes().ForEach([this](const model::Code& code, const model::CodeView&) {
      if (const auto bytes = ArgumentBytes(context_.document, code); bytes && *bytes > 0) {
        arguments_.insert(KeyOf(code), *bytes);
      }
    });
  }

  void SetBlock(const data::Block* block) { block_ = block; }
  void Take(const data::ReadString& string) {
    if (!arguments_.isEmpty() && block_ != nullptr) CheckArguments(string);
    if (string.text.isEmpty() || string.text.size() > kLongestText) return;
    if (seen_.contains(string.text)) return;
    seen_.insert(string.text);
    CheckText(string);
  }
  void Finish() {
    for (const ArgumentsPastEnd& past : past_end_) {
      const QString more =
          past.count > 1 ? QStringLiteral(" (and %1 more places)").arg(past.count - 1) : QString();
      context_.Add(FindingKind::kControlCode, {past.code, past.end},
                   QStringLiteral("control code %1 takes %2, and at %3%4 they hold %5, an end "
                                  "mark: the string ends there or runs on past it")
                       .arg(QString::fromLatin1(past.code.Hex()),
                            ArgumentWords(arguments_.value(KeyOf(past.code))),
                            OffsetName(past.first), more, QString::fromLatin1(past.end.Hex())),
                   past.first);
    }
  }

 private:
  void CheckArguments(const data::ReadString& string);
  void CheckText(const data::ReadString& string);

  CheckContext& context_;
  const data::Block* block_ = nullptr;
  QHash<quint64, int> arguments_;  // by KeyOf
  QList<ArgumentsPastEnd> past_end_;
  QSet<QString> seen_;
};

void StringCheck::CheckArguments(const data::ReadString& string) {
  const qint64 begin = block_->start;
  const qint64 end = block_->End();
  for (const data::ReadPiece& piece : string.pieces) {
    // Only what the block in hand still holds: a string begun blocks before is rare.
    const bool coded =
        piece.kind == data::PieceKind::kText || piece.kind == data::PieceKind::kControl;
    if (!coded || piece.offset < begin) continue;
    const char* bytes = block_->data + (piece.offset - begin);
    const auto code = model::Code::FromBytes(QByteArrayView(bytes, piece.length));
    const auto taken = code ? arguments_.constFind(KeyOf(*code)) : arguments_.cend();
    if (taken == arguments_.cend()) continue;
    for (qint64 at = piece.offset + piece.length;
         at < piece.offset + piece.length + *taken && at < end; ++at) {
      const data::CodeLookup::Match match =
          context_.lookup.Longest(block_->data + (at - begin), end - at);
      if (match.reading == nullptr || match.reading->kind != data::CodeKind::kEnd) continue;
      auto known = std::find_if(past_end_.begin(), past_end_.end(),
                                [&](const ArgumentsPastEnd& past) { return past.code == *code; });
      if (known == past_end_.end()) {
        past_end_.append(ArgumentsPastEnd{*code, match.reading->code, piece.offset, 0});
        known = past_end_.end() - 1;
      }
      ++known->count;
      break;
    }
  }
}

void StringCheck::CheckText(const data::ReadString& string) {
  const data::EncodeResult fewest = context_.encoder.Encode(string.text);
  if (fewest.status != data::EncodeResult::Status::kOk) return;
  const LongestFirst::Written written = context_.inserter.Write(string.text);
  const QString at = OffsetName(string.offset);
  const QString text = Quoted(string.text);
  if (written.stuck_at >= 0) {
    const QString taken = written.codes.isEmpty()
                              ? QStringLiteral("no code")
                              : QStringLiteral("%1 (up to %2)")
                                    .arg(data::HexBytes(written.bytes),
                                         QString::fromLatin1(written.codes.back().Hex()));
    context_.Add(FindingKind::kLongestFirst,
                 written.codes.isEmpty() ? QList<model::Code>{} : QList{written.codes.back()},
                 QStringLiteral("at %1, %2: longest first writes %3, then has no code for %4; "
                                "%5 spell it")
                     .arg(at, text, taken, Quoted(string.text.sliced(written.stuck_at)),
                          data::HexBytes(fewest.bytes)),
                 string.offset);
    return;
  }
  if (written.bytes == fewest.bytes) return;
  const QString read_back = data::ReadText(context_.lookup, written.bytes);
  QString fault;
  if (read_back != string.text) {
    fault = QStringLiteral("which reads back as %1").arg(Quoted(read_back));
  } else if (written.bytes.size() > fewest.bytes.size()) {
    fault = QStringLiteral("%1 bytes where %2 would do")
                .arg(written.bytes.size())
                .arg(fewest.bytes.size());
  } else {
    return;
  }
  context_.Add(
      FindingKind::kLongestFirst, written.codes.mid(0, 1),
      QStringLiteral("at %1, %2: longest first writes %3, %4; %5 spell it")
          .arg(at, text, data::HexBytes(written.bytes), fault, data::HexBytes(fewest.bytes)),
      string.offset);
}

}  // namespace

DataCheck CheckDataStrings(CheckContext& context, data::DataSource& source,
                           data::JobControl* control, qint64 done, qint64 total) {
  StringCheck check(context);
  data::BlockReader blocks(&source, kBlockSize, model::kMaxCodeLength - 1);
  data::StringReader reader(context.lookup, 0, data::LineBreaks::kMarker, true);
  const data::StringReader::Take take = [&check](data::ReadString&& string) { check.Take(string); };
  const std::stop_token stop = control != nullptr ? control->StopToken() : std::stop_token();
  const data::ScanEnd ended =
      blocks.Scan(0, std::numeric_limits<qint64>::max(), stop, [&](const data::Block& block) {
        check.SetBlock(&block);
        reader.Read(block, take);
        if (control != nullptr) control->Report(done + block.End(), total);
      });
  check.SetBlock(nullptr);
  reader.Finish(take);
  check.Finish();
  DataCheck result;
  result.stopped = ended.status == data::ScanEnd::Status::kStopped;
  if (ended.status == data::ScanEnd::Status::kFailed) result.error = ended.error;
  return result;
}

}  // namespace orvane::check
