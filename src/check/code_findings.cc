#include "check/check_parts.h"
#include "data/string_reader.h"
#include "model/control_code.h"
#include "text/display_text.h"

#include <algorithm>

namespace orvane::check {
namespace {

using model::Code;

// The shorter code that starts `code` and cuts its reading short: an end mark, or a control code
// whose arguments take the bytes that follow it.
void FindCutShort(CheckContext& context, const Code& code) {
  const QByteArray bytes = code.Bytes();
  for (int length = 1; length < code.Length(); ++length) {
    const data::CodeReading* prefix = context.lookup.Find(bytes.constData(), length);
    if (prefix == nullptr) continue;
    const QString name = QString::fromLatin1(code.Hex());
    const QString lead = QString::fromLatin1(prefix->code.Hex());
    if (prefix->kind == data::CodeKind::kEnd) {
      context.Add(FindingKind::kUnreachable, {code, prefix->code},
                  QStringLiteral("%1 begins with %2, an end mark: a string ends at %2, so %1 is "
                                 "never read")
                      .arg(name, lead));
      return;
    }
    const std::optional<int> arguments = ArgumentBytes(context.document, prefix->code);
    if (arguments && *arguments > 0) {
      context.Add(FindingKind::kUnreachable, {code, prefix->code},
                  QStringLiteral("%1 begins with %2, a control code that takes %3: the bytes "
                                 "after %2 are its arguments, so %1 is never read")
                      .arg(name, lead, ArgumentWords(*arguments)));
      return;
    }
  }
}

}  // namespace

std::optional<int> ArgumentBytes(const model::TableDocument& document, const Code& code) {
  const auto found = document.Codes().Find(code);
  if (!found || !found->control) return std::nullopt;
  const auto arguments = model::ParseControlArguments(found->arguments);
  return arguments ? static_cast<int>(arguments->size()) : 0;
}

QString ArgumentWords(int count) {
  return count == 1 ? QStringLiteral("1 argument byte")
                    : QStringLiteral("%1 argument bytes").arg(count);
}

void FindSharedTexts(CheckContext& context) {
  for (auto at = context.inserter.Texts().cbegin(); at != context.inserter.Texts().cend(); ++at) {
    QList<Code> codes = at.value();
    // A control code's label is no text to write; FindControlClashes tells of those.
    codes.removeIf([&](const Code& code) { return context.document.IsControl(code); });
    if (codes.size() < 2) continue;
    const QString text = Quoted(at.key());
    const QString never = CodeNames(codes.mid(1));
    const QString message =
        codes.size() == 2
            ? QStringLiteral("%1 both read %2; %2 is written as %3: %4 is never written")
            : QStringLiteral("%1 all read %2; %2 is written as %3: %4 are never written");
    context.Add(
        FindingKind::kSharedText, codes,
        message.arg(CodeNames(codes), text, QString::fromLatin1(codes.front().Hex()), never));
  }
}

void FindUnreachableCodes(CheckContext& context) {
  const model::CodeStore& store = context.document.Codes();
  // A page full of codes that read: whatever byte follows its lead, a longer code matches.
  for (const model::PageCount& page : store.Pages()) {
    if (page.codes < model::kCodeCount) continue;
    const QByteArray prefix = CodeOnPage(page.page, 0).Bytes().chopped(1);
    const auto lead = Code::FromBytes(prefix);
    if (!lead || context.lookup.Find(prefix.constData(), lead->Length()) == nullptr) continue;
    bool full = true;
    store.ForEachOnPage(page.page, [&](const Code& code, const model::CodeView&) {
      full = full && context.lookup.Find(code.Bytes().constData(), code.Length()) != nullptr;
    });
    if (!full) continue;
    const QString name = QString::fromLatin1(lead->Hex());
    context.Add(FindingKind::kUnreachable, {*lead},
                QStringLiteral("%1 is never read: each of the 256 codes %1%2..%1%3 is a code too, "
                               "so reading always takes a longer one")
                    .arg(name, QStringLiteral("00"), QStringLiteral("FF")));
  }
  context.lookup.ForEach([&](const data::CodeReading& reading) {
    if (!reading.code.IsSingleByte()) FindCutShort(context, reading.code);
  });
}

void FindControlClashes(CheckContext& context) {
  const model::CodeStore& store = context.document.Codes();
  const text::Encoding encoding = context.document.Encoding();
  QHash<QString, QList<Code>> plain;
  QList<std::pair<Code, QString>> controls;
  store.ForEach([&](const Code& code, const model::CodeView& view) {
    const QString text = text::DisplayText(model::SplitLineBreaks(view.text).label, encoding);
    if (text.isEmpty()) return;
    if (view.control) {
      controls.append({code, text});
    } else if (!view.special) {
      plain[text].append(code);
    }
  });
  for (const auto& [code, label] : controls) {
    const auto found = plain.constFind(label);
    if (found == plain.cend()) continue;
    QList<Code> codes{code};
    codes += *found;
    context.Add(FindingKind::kControlCode, codes,
                QStringLiteral("control code %1 is labelled %2, the text of %3 too: %2 in a text "
                               "could be either")
                    .arg(QString::fromLatin1(code.Hex()), Quoted(label), CodeNames(*found)));
  }
}

bool FindOwnTextFaults(CheckContext& context, data::JobControl* control) {
  qint64 done = 0;
  bool stopped = false;
  const qint64 total = context.lookup.Count();
  context.lookup.ForEach([&](const data::CodeReading& reading) {
    if (stopped) return;
    if (control != nullptr && (++done & 0x3FF) == 0) {
      control->Report(done, total);
      stopped = control->StopRequested();
    }
    // A text of one character is always one code; only a longer one can be spelt in fewer bytes.
    if (reading.kind != data::CodeKind::kText || reading.shown.size() < 2 ||
        reading.code.IsSingleByte() || context.inserter.Preferred(reading.shown) != reading.code) {
      return;
    }
    const data::EncodeResult fewest = context.encoder.Encode(reading.shown);
    if (fewest.status != data::EncodeResult::Status::kOk ||
        fewest.bytes.size() >= reading.code.Length()) {
      return;
    }
    context.Add(FindingKind::kLongestFirst, {reading.code},
                QStringLiteral("%1 is written longest first as %2 (%3 bytes); %4 spell it in %5")
                    .arg(Quoted(reading.shown), data::HexBytes(reading.code.Bytes()))
                    .arg(reading.code.Length())
                    .arg(data::HexBytes(fewest.bytes))
                    .arg(fewest.bytes.size()));
  });
  return !stopped;
}

}  // namespace orvane::check
