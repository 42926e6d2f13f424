// The Font tab's writes into the table: Fill from Font, and Fit Order with its proposal.
#include "session/session.h"
#include "text/codec.h"
#include "text/display_text.h"
#include "ui/side/font_tab.h"
#include "ui/side/glyph_view.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>

namespace orvane::ui::side {
namespace {

enum Column { kCode, kTable, kRecognised, kOrder, kNote };

QString MatchText(const recognition::Match& match) {
  if (match.character == 0) return {};
  return QStringLiteral("%1 %2").arg(QChar(match.character)).arg(match.score, 0, 'f', 2);
}

QString CodesText(qsizetype count) {
  return count == 1 ? QStringLiteral("1 code") : QStringLiteral("%1 codes").arg(count);
}

QString LeftNote(recognition::LeftBecause because) {
  switch (because) {
    case recognition::LeftBecause::kNoInk:
      return QStringLiteral("left: the glyph has no ink");
    case recognition::LeftBecause::kBelowThreshold:
      return QStringLiteral("left: below the score");
    case recognition::LeftBecause::kNotInEncoding:
      return QStringLiteral("left: not in the table's encoding");
  }
  return {};
}

QString OrderName(recognition::FontOrder order) {
  switch (order) {
    case recognition::FontOrder::kJisCells:
      return QStringLiteral("JIS X 0208 row by row, its gaps kept");
    case recognition::FontOrder::kJis:
      return QStringLiteral("JIS X 0208, its characters one after another");
    case recognition::FontOrder::kShiftJis:
      return QStringLiteral("Shift-JIS");
    case recognition::FontOrder::kRows:
    case recognition::FontOrder::kRowsPacked:
      return QStringLiteral("the rows given");
  }
  return {};
}

}  // namespace

void FontTab::AddReportRow(qint64 index, const QString& recognised, const QString& order,
                           const QString& note) {
  const auto code = glyphs::GlyphCode(glyphData_->Font().first_code, index);
  if (!code) return;
  auto* item = new QTreeWidgetItem(lstReport_);
  item->setText(kCode, QString::fromLatin1(code->Hex()));
  item->setData(kCode, Qt::UserRole, index);
  const QByteArray text = TextOf(*code);
  if (!text.isEmpty())
    item->setText(kTable, text::DisplayText(text, session_.Document().Encoding()));
  item->setText(kRecognised, recognised);
  item->setText(kOrder, order);
  item->setText(kNote, note);
}

void FontTab::lstReport_Click(QTreeWidgetItem* item) {
  if (item != nullptr) glyphData_->Choose(item->data(kCode, Qt::UserRole).toLongLong());
}

void FontTab::cmdFill_Click() {
  if (recognitions_.empty() || Recognising()) return;
  const qint64 count = std::min<qint64>(std::ssize(recognitions_), GlyphsToRead());
  const std::vector<model::Code> codes = Codes(count);
  const recognition::FillPlan plan = recognition::PlanFill(
      codes, std::span(recognitions_).first(static_cast<size_t>(count)),
      [this](const model::Code& code) { return TextOf(code); }, session_.Document().Encoding(),
      static_cast<float>(spnThreshold_->value()));
  std::vector<data::CodeText> writes;
  for (const recognition::FillWrite& write : plan.writes)
    writes.push_back({write.code, write.text});
  const session::Session::Outcome outcome =
      session_.WriteTexts(session::StepKind::kFillFromFont, writes, false);
  if (outcome.status != session::Session::Outcome::Status::kDone) return;
  ShowFill(plan, outcome.changed);
}

void FontTab::ShowFill(const recognition::FillPlan& plan, qsizetype written) {
  proposed_.clear();
  lstReport_->clear();
  const qint64 first = glyphData_->Font().first_code.Value();
  const auto index = [first](const model::Code& code) { return qint64{code.Value()} - first; };
  for (const recognition::FillMismatch& mismatch : plan.mismatches) {
    AddReportRow(index(mismatch.code), MatchText(mismatch.best), {},
                 QStringLiteral("the table holds another character"));
  }
  for (const recognition::FillLeft& left : plan.left) {
    AddReportRow(index(left.code), MatchText(left.best), {}, LeftNote(left.because));
  }
  for (const recognition::FillWrite& write : plan.writes) {
    AddReportRow(index(write.code), MatchText(write.best), {}, QStringLiteral("written"));
  }
  lblReport_->setText(QStringLiteral("Fill from Font wrote %1 and left %2 without a text; %3 "
                                     "a text other than the glyph's best.")
                          .arg(CodesText(written), CodesText(std::ssize(plan.left)),
                               plan.mismatches.size() == 1
                                   ? QStringLiteral("1 code holds")
                                   : QStringLiteral("%1 codes hold").arg(plan.mismatches.size())));
  ShowState();
}

void FontTab::cmdFit_Click() {
  if (Recognising()) return;
  // No further than the recognitions, nor past the codes the first code has room for.
  const qint64 count = recognitions_.empty()
                           ? GlyphsToRead()
                           : std::min<qint64>(std::ssize(recognitions_), GlyphsToRead());
  const std::vector<model::Code> codes = Codes(count);
  const text::Encoding encoding = session_.Document().Encoding();
  // The table's texts first; a glyph recognised surely counts only where its code has none.
  std::vector<recognition::KnownGlyph> known;
  for (qint64 i = 0; i < count; ++i) {
    if (auto character =
            recognition::SingleCharacter(TextOf(codes[static_cast<size_t>(i)]), encoding)) {
      known.push_back({i, *character});
    }
  }
  const auto read =
      std::span(recognitions_).first(std::min(recognitions_.size(), static_cast<size_t>(count)));
  for (const recognition::KnownGlyph& sure :
       recognition::SurelyRecognised(read, static_cast<float>(spnThreshold_->value()))) {
    if (TextOf(codes[static_cast<size_t>(sure.index)]).isEmpty()) known.push_back(sure);
  }
  std::ranges::sort(known, {}, &recognition::KnownGlyph::index);
  const auto fit = recognition::FitOrder(known, count, read);
  proposed_.clear();
  lstReport_->clear();
  if (!fit) {
    lblReport_->setText(
        QStringLiteral("No known glyph's character is in a JIS X 0208 or "
                       "Shift-JIS order: type or recognise a few first."));
  } else {
    ShowFit(*fit);
  }
  ShowState();
}

void FontTab::ShowFit(const recognition::OrderFit& fit) {
  const text::Encoding encoding = session_.Document().Encoding();
  std::vector<recognition::Match> best(fit.characters.size());
  for (size_t i = 0; i < std::min(best.size(), recognitions_.size()); ++i) {
    if (recognitions_[i].has_ink && !recognitions_[i].best.empty()) {
      best[i] = recognitions_[i].best.front();
    }
  }
  for (const qint64 index : fit.disagreeing) {
    const auto i = static_cast<size_t>(index);
    AddReportRow(index, MatchText(best[i]), QString(QChar(fit.characters[i])),
                 QStringLiteral("the table holds another character"));
  }
  qsizetype conflicts = 0;
  for (size_t i = 0; i < fit.characters.size(); ++i) {
    const char16_t character = fit.characters[i];
    const auto code = glyphs::GlyphCode(glyphData_->Font().first_code, static_cast<qint64>(i));
    if (character == 0 || !code || !TextOf(*code).isEmpty()) continue;
    const auto bytes = text::EncodeText(QStringView(&character, 1), encoding);
    const bool differs = best[i].character != 0 && best[i].character != character;
    conflicts += differs ? 1 : 0;
    if (bytes) proposed_.push_back({*code, *bytes});
    AddReportRow(static_cast<qint64>(i), MatchText(best[i]), QString(QChar(character)),
                 !bytes    ? QStringLiteral("not in the table's encoding")
                 : differs ? QStringLiteral("proposed; the recognition differs")
                           : QStringLiteral("proposed"));
  }
  lblReport_->setText(
      QStringLiteral("In the order of %1, %2 of %3 known glyphs agree. %4 proposed for codes "
                     "without a text, %5 where the recognition differs: Apply Fit writes them.")
          .arg(OrderName(fit.order))
          .arg(fit.agreeing)
          .arg(fit.known)
          .arg(CodesText(std::ssize(proposed_)))
          .arg(conflicts));
}

void FontTab::cmdApplyFit_Click() {
  if (proposed_.empty() || Recognising()) return;
  const session::Session::Outcome outcome =
      session_.WriteTexts(session::StepKind::kFitOrder, proposed_, false);
  if (outcome.status != session::Session::Outcome::Status::kDone) return;
  proposed_.clear();
  lblReport_->setText(QStringLiteral("Fit Order wrote %1; Undo takes the step back.")
                          .arg(CodesText(outcome.changed)));
  ShowState();
}

}  // namespace orvane::ui::side
