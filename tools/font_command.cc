#include "font_command.h"

#include "data_input.h"
#include "font_request.h"
#include "loaded_table.h"
#include "recognition/candidates.h"
#include "recognition/character_model.h"
#include "recognition/character_painter.h"
#include "recognition/fit_order.h"
#include "recognition/recogniser.h"
#include "tool_text.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace orvane::tools {
namespace {

using namespace Qt::Literals::StringLiterals;
using recognition::Recognition;

// Glyphs decoded and recognised at a time, so that memory stays that of a batch.
constexpr qint64 kBatch = 512;
constexpr qint64 kBatchBytes = qint64{1} << 20;
// With --order jis, the share of the glyphs with the highest scores taken as known, and the
// fewest taken: enough to outvote the few among them read wrong.
constexpr qint64 kSureShare = 4;
constexpr qint64 kFewestSure = 5;

ToolResult Refused(const QByteArray& data, const QString& reason) {
  return ToolResult{kExitUsage, {}, PrintableName(data) + ": " + PrintableText(reason) + '\n'};
}

// The offscreen platform's notes (no XDG_RUNTIME_DIR) are not the command's output.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "orvane-tbl: %s\n", message.toLocal8Bit().constData());
  }
}

// The platform is offscreen whatever the environment names: characters are drawn into images,
// and a run over ssh or in a build has no display.
std::unique_ptr<QGuiApplication> GuiApplication() {
  static int argc = 3;
  static char name[] = "orvane-tbl";
  static char option[] = "-platform";
  static char platform[] = "offscreen";
  static char* argv[] = {name, option, platform, nullptr};
  if (QCoreApplication::instance() != nullptr) return nullptr;
  qInstallMessageHandler(KeepQtQuiet);
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Recognition of the glyphs in batches as the data is read; `take` gets each batch's first
// index and recognitions. False with `error` set when the data cannot be read.
template <typename Take>
bool RecogniseFont(const FontRequest& request, data::DataSource& source,
                   const recognition::CharacterModel& model, int top, QString& error, Take take) {
  const glyphs::GlyphFormat& format = request.font.format;
  const qint64 stride = glyphs::GlyphStride(format);
  const qint64 bytes = glyphs::GlyphBytes(format);
  // Glyphs far apart are read in fewer at a time, so that a batch's bytes stay few.
  const qint64 per_batch = std::clamp(kBatchBytes / stride, qint64{1}, kBatch);
  for (qint64 first = 0; first < request.count; first += per_batch) {
    const qint64 n = std::min(per_batch, request.count - first);
    QByteArray block((n - 1) * stride + bytes, Qt::Uninitialized);
    const qint64 got =
        source.Read(glyphs::GlyphOffset(request.font, first), block.data(), block.size());
    if (got != block.size()) {
      error =
          got < 0 ? source.ErrorString() : u"The data ended early: it changed while it was read."_s;
      return false;
    }
    std::vector<glyphs::GlyphPixels> batch;
    batch.reserve(static_cast<size_t>(n));
    for (qint64 i = 0; i < n; ++i) {
      batch.push_back(glyphs::DecodeGlyph(QByteArrayView(block).sliced(i * stride, bytes), format));
    }
    if (!take(first, *recognition::RecogniseAll(model, batch, top))) return true;
  }
  return true;
}

// "XXYY=字", and with `top` the comment "; 字 0.93 宇 0.88 …" of the best characters.
void AppendGlyph(QByteArray& lines, const model::Code& code, char16_t character,
                 const Recognition& read, int top) {
  lines += code.Hex() + '=' + QString(QChar(character)).toUtf8() + '\n';
  if (top == 0) return;
  lines += ';';
  for (const recognition::Match& match : read.best) {
    lines += ' ' + QString(QChar(match.character)).toUtf8() + ' ' +
             QByteArray::number(match.score, 'f', 2);
  }
  lines += '\n';
}

// The glyphs recognised with the highest scores as known ones, and the JIS order they agree on.
std::optional<recognition::OrderFit> FitJis(const std::vector<Recognition>& read) {
  std::vector<float> scores;
  for (const Recognition& glyph : read) {
    if (glyph.has_ink) scores.push_back(glyph.best.front().score);
  }
  if (scores.empty()) return std::nullopt;
  const auto sure = std::clamp(static_cast<qint64>(scores.size()) / kSureShare, kFewestSure,
                               static_cast<qint64>(scores.size()));
  std::nth_element(scores.begin(), scores.begin() + (sure - 1), scores.end(), std::greater<>());
  const auto known = recognition::SurelyRecognised(read, scores[static_cast<size_t>(sure - 1)]);
  recognition::OrderOptions jis;
  jis.orders = {recognition::FontOrder::kJisCells, recognition::FontOrder::kJis};
  return recognition::FitOrder(known, static_cast<qint64>(read.size()), read, jis);
}

// The fitted table; a glyph without ink, or where the order has no character, keeps what it was
// read as. What the fit and the glyphs say otherwise goes to standard error.
ToolResult PrintFitted(const FontRequest& request, const std::vector<Recognition>& read,
                       OutputSink& out) {
  const auto fit = FitJis(read);
  if (!fit) return Refused(request.data, u"The glyphs agree with no run of JIS characters."_s);
  QByteArray lines;
  for (size_t i = 0; i < read.size(); ++i) {
    if (!read[i].has_ink) continue;
    const char16_t fitted = fit->characters[i];
    const model::Code code = *glyphs::GlyphCode(request.font.first_code, static_cast<qint64>(i));
    AppendGlyph(lines, code, fitted != 0 ? fitted : read[i].best.front().character, read[i],
                request.top);
  }
  QByteArray err = "orvane-tbl: font: the JIS order agrees with " +
                   QByteArray::number(fit->agreeing) + " of the " + QByteArray::number(fit->known) +
                   " glyphs read surest";
  if (!fit->conflicts.empty()) {
    err += "; read otherwise:";
    for (const recognition::OrderConflict& conflict : fit->conflicts) {
      err += ' ' + glyphs::GlyphCode(request.font.first_code, conflict.index)->Hex();
    }
  }
  return ToolResult{out.Write(lines) ? kExitOk : kExitFailed, {}, err + '\n'};
}

ToolResult Read(const FontRequest& request, data::DataSource& source,
                const recognition::CharacterModel& model, OutputSink& out) {
  std::vector<Recognition> kept;
  bool open = true;
  QString error;
  const int top = std::max(request.top, 1);
  const bool read = RecogniseFont(request, source, model, top, error, [&](qint64 first, auto all) {
    if (request.fit_jis) {
      std::move(all.begin(), all.end(), std::back_inserter(kept));
      return true;
    }
    QByteArray lines;
    for (size_t i = 0; i < all.size(); ++i) {
      if (!all[i].has_ink) continue;
      const auto code = *glyphs::GlyphCode(request.font.first_code, first + static_cast<qint64>(i));
      AppendGlyph(lines, code, all[i].best.front().character, all[i], request.top);
    }
    open = out.Write(lines);
    return open;
  });
  if (!read) return Failure(request.data, error);
  if (request.fit_jis) return PrintFitted(request, kept, out);
  return ToolResult{open ? kExitOk : kExitFailed, {}, {}};
}

}  // namespace

ToolResult ReadFont(const ParsedArguments& arguments, OutputSink& out) {
  auto requested = ReadFontRequest(arguments);
  if (auto* refusal = std::get_if<ToolResult>(&requested)) return std::move(*refusal);
  const FontRequest& request = std::get<FontRequest>(requested);
  if (request.data == kStandardStream) return StandardInputAsData("font");
  auto source = OpenData(request.data);
  if (const auto* error = std::get_if<ReadError>(&source)) return Unreadable(request.data, *error);
  data::DataSource& opened = *std::get<std::unique_ptr<data::DataSource>>(source);
  if (const auto why = glyphs::CheckFont(request.font, opened.Size(), request.count)) {
    return Refused(request.data, *why);
  }
  const auto application = GuiApplication();
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return ToolResult{kExitFailed, {}, "orvane-tbl: font: drawing needs a Qt GUI application\n"};
  }
  if (!recognition::IsFontInstalled(request.family)) {
    return ToolResult{kExitUsage,
                      {},
                      "orvane-tbl: font: no installed font is named '" +
                          PrintableText(request.family) +
                          "' (fc-list :lang=ja family lists the Japanese ones)\n"};
  }
  const auto model = recognition::CharacterModel::Build(
      request.family, request.font.format.width, request.font.format.height,
      recognition::CandidatesFor(text::Encoding::kUtf8));
  return Read(request, opened, *model, out);
}

}  // namespace orvane::tools
