// The Font tab's reading of the glyphs: recognition on a worker thread, the chosen glyph's best
// characters, Fill from Font and Fit Order.
#include "data/data_source.h"
#include "recognition/character_painter.h"
#include "session/session.h"
#include "text/codec.h"
#include "text/display_text.h"
#include "ui/side/font_tab.h"
#include "ui/side/glyph_view.h"

#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <algorithm>

namespace orvane::ui::side {
namespace {

constexpr int kTop = 5;
constexpr int kProgressSteps = 1000;
constexpr qint64 kWorkerBlock = qint64{256} << 10;

QString Number(qint64 number) { return QLocale(QLocale::English).toString(number); }

QString MatchText(const recognition::Match& match) {
  if (match.character == 0) return {};
  return QStringLiteral("%1 %2").arg(QChar(match.character)).arg(match.score, 0, 'f', 2);
}

// Decodes the glyphs from the file, opened anew on the worker, then builds the characters'
// model unless it has one already, then reads every glyph.
FontReading ReadFont(const QString& path, const glyphs::FontLayout& font, qint64 count,
                     std::shared_ptr<const recognition::CharacterModel> model,
                     const QString& family, text::Encoding encoding, data::JobControl& job) {
  FontReading reading;
  data::OpenedSource opened = data::FileSource::Open(path);
  if (!opened.source) {
    reading.error = opened.error;
    return reading;
  }
  data::BlockReader reader(opened.source.get(), kWorkerBlock);
  std::vector<glyphs::GlyphPixels> glyphs;
  glyphs.reserve(static_cast<size_t>(count));
  const int bytes = glyphs::GlyphBytes(font.format);
  for (qint64 i = 0; i < count; ++i) {
    glyphs.push_back(
        glyphs::DecodeGlyph(reader.Bytes(glyphs::GlyphOffset(font, i), bytes), font.format));
  }
  const recognition::CandidateSet set = recognition::CandidatesFor(encoding);
  const auto characters = model ? 0 : static_cast<qint64>(set.characters.size());
  if (!model) {
    auto built = recognition::CharacterModel::Build(
        family, font.format.width, font.format.height, set, job.StopToken(),
        [&](qint64 done, qint64 /*total*/) { job.Report(done, characters + count); });
    if (!built) return reading;
    model = std::make_shared<const recognition::CharacterModel>(std::move(*built));
  }
  reading.model = model;
  auto read = recognition::RecogniseAll(
      *model, glyphs, kTop, job.StopToken(),
      [&](qint64 done, qint64 /*total*/) { job.Report(characters + done, characters + count); });
  if (read) reading.recognitions = std::move(*read);
  return reading;
}

}  // namespace

const std::vector<recognition::Recognition>* FontTab::Recognitions() const {
  return recognitions_.empty() ? nullptr : &recognitions_;
}

qint64 FontTab::GlyphsToRead() const {
  qint64 count = glyphData_->GlyphCount();
  if (spnCount_->value() > 0) count = std::min<qint64>(count, spnCount_->value());
  // No more glyphs than the first code's width has codes for.
  const glyphs::FontLayout& font = glyphData_->Font();
  const quint64 last = font.first_code.Length() == model::kMaxCodeLength
                           ? 0xFFFFFFFFULL
                           : (quint64{1} << (8 * font.first_code.Length())) - 1;
  return std::min<qint64>(count, static_cast<qint64>(last - font.first_code.Value() + 1));
}

std::vector<model::Code> FontTab::Codes(qint64 count) const {
  std::vector<model::Code> codes;
  for (qint64 i = 0; i < count; ++i) {
    codes.push_back(*glyphs::GlyphCode(glyphData_->Font().first_code, i));
  }
  return codes;
}

QByteArray FontTab::TextOf(const model::Code& code) const {
  return session_.Document().GetCellText(code);
}

void FontTab::cmdRecognise_Click() {
  if (!cmdRecognise_->isEnabled()) return;
  const QString family = cboFont_->currentFont().family();
  if (!recognition::IsFontInstalled(family)) {
    lblRecognise_->setText(QStringLiteral("The font %1 is not installed.").arg(family));
    return;
  }
  const glyphs::FontLayout font = glyphData_->Font();
  const qint64 count = GlyphsToRead();
  const text::Encoding encoding = session_.Document().Encoding();
  auto model = model_;
  if (model && (model->Family() != family || model->Width() != font.format.width ||
                model->Height() != font.format.height ||
                model->Limited() != recognition::CandidatesFor(encoding).limited)) {
    model.reset();
  }
  lblRecognise_->setText(model ? QStringLiteral("Recognising %1 glyphs…").arg(Number(count))
                               : QStringLiteral("Drawing the characters of %1, then recognising "
                                                "%2 glyphs…")
                                     .arg(family, Number(count)));
  prgRecognise_->setValue(0);
  job_.Start(
      [path = path_, font, count, model, family, encoding](data::JobControl& job) {
        return ReadFont(path, font, count, model, family, encoding, job);
      },
      [this, font](FontReading reading) {
        read_format_ = font.format;
        read_offset_ = font.offset;
        ShowResult(std::move(reading));
        emit recognitionFinished();
      },
      [this](qint64 done, qint64 total) {
        prgRecognise_->setValue(
            static_cast<int>(done * kProgressSteps / std::max<qint64>(1, total)));
      });
  ShowState();
}

void FontTab::cmdCancel_Click() {
  job_.Cancel();
  lblRecognise_->setText(QStringLiteral("Recognition cancelled."));
  ShowState();
  emit recognitionFinished();
}

void FontTab::Stop() {
  job_.Stop();
  ShowState();
}

void FontTab::ShowResult(FontReading reading) {
  if (!reading.error.isEmpty()) {
    lblRecognise_->setText(reading.error);
  } else if (reading.model) {
    model_ = reading.model;
    recognitions_ = std::move(reading.recognitions);
    const qint64 sure = std::ranges::count_if(recognitions_, [this](const auto& read) {
      return read.has_ink && read.best.front().score >= spnThreshold_->value();
    });
    QString text = QStringLiteral(
                       "%1 glyphs recognised against %2 characters of %3; %4 score "
                       "%5 or more.")
                       .arg(Number(std::ssize(recognitions_)), Number(model_->Count()),
                            model_->Family(), Number(sure))
                       .arg(spnThreshold_->value(), 0, 'f', 2);
    if (model_->Limited()) {
      text += QStringLiteral(
                  " The table is written in %1, which has no kana or kanji: only "
                  "the characters it holds were compared.")
                  .arg(text::EncodingName(session_.Document().Encoding()));
    }
    lblRecognise_->setText(text);
  }
  ShowBest();
  ShowState();
}

void FontTab::ShowBest() {
  lstBest_->clear();
  const auto current = glyphData_->CurrentGlyph();
  if (!current || *current >= std::ssize(recognitions_)) return;
  const recognition::Recognition& read = recognitions_[static_cast<size_t>(*current)];
  if (!read.has_ink) lstBest_->addItem(QStringLiteral("(no ink)"));
  for (const recognition::Match& match : read.best) {
    auto* item = new QListWidgetItem(MatchText(match), lstBest_);
    item->setData(Qt::UserRole, QString(QChar(match.character)));
  }
}

void FontTab::lstBest_Click() {
  const QListWidgetItem* item = lstBest_->currentItem();
  const auto current = glyphData_->CurrentGlyph();
  if (item == nullptr || !current || item->data(Qt::UserRole).isNull()) return;
  const auto bytes =
      text::EncodeText(item->data(Qt::UserRole).toString(), session_.Document().Encoding());
  const auto code = glyphs::GlyphCode(glyphData_->Font().first_code, *current);
  if (!bytes || !code) return;
  const data::CodeText write{*code, *bytes};
  (void)session_.WriteTexts(session::StepKind::kFontCharacter, {&write, 1}, true);
}

void FontTab::ShowState() {
  const bool running = Recognising();
  const bool shown = glyphData_->isEnabled() && !path_.isEmpty();
  cmdRecognise_->setEnabled(!running && shown && GlyphsToRead() > 0);
  prgRecognise_->setVisible(running);
  cmdCancel_->setVisible(running);
  cmdFill_->setEnabled(!running && !recognitions_.empty());
  cmdFit_->setEnabled(!running && shown);
  cmdApplyFit_->setEnabled(!running && !proposed_.empty());
}

}  // namespace orvane::ui::side
