#include "ui/side/font_tab.h"

#include "data/offset_text.h"
#include "recognition/default_font.h"
#include "session/session.h"
#include "ui/side/glyph_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orvane::ui::side {
namespace {

// What the view holds of the file for the glyphs in view, read at once.
constexpr qint64 kViewBlock = qint64{64} << 10;
constexpr int kDefaultZoom = 2;
constexpr double kDefaultThreshold = 0.8;
constexpr int kMaxCount = 1 << 20;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, int low, int high, int value) {
  auto* spin = Named(new QSpinBox(parent), name);
  spin->setRange(low, high);
  spin->setValue(value);
  return spin;
}

// A label whose mnemonic chooses `buddy`.
QLabel* Caption(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace

FontTab::FontTab(session::Session& session, data::DataSource* source, QWidget* parent)
    : QWidget(parent), session_(session), reader_(source, kViewBlock) {
  setObjectName(QStringLiteral("tabFont"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFormatRows());
  auto* splitter = new QSplitter(Qt::Vertical, this);
  glyphData_ = new GlyphView(reader_, session_, splitter);
  lblGlyphs_->setBuddy(glyphData_);
  splitter->addWidget(glyphData_);
  splitter->addWidget(BuildResultRows());
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 1);
  layout->addWidget(splitter, 1);
  layout->addWidget(BuildReadingRows());
  ConnectControls();
  Settings_Change();
}

FontTab::~FontTab() { job_.Stop(); }

QWidget* FontTab::BuildFormatRows() {
  auto* rows = new QWidget(this);
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 0, 0);
  cboFormat_ = Named(new QComboBox(rows), "cboFormat");
  for (const glyphs::PixelFormat pixels : glyphs::AllPixelFormats()) {
    cboFormat_->addItem(glyphs::PixelFormatName(pixels), static_cast<int>(pixels));
  }
  spnWidth_ = MakeSpin(rows, "spnWidth", glyphs::kMinGlyphSide, glyphs::kMaxGlyphSide, 16);
  spnHeight_ = MakeSpin(rows, "spnHeight", glyphs::kMinGlyphSide, glyphs::kMaxGlyphSide, 16);
  cboTiles_ = Named(new QComboBox(rows), "cboTiles");
  cboTiles_->addItem(QStringLiteral("tiles row by row"),
                     static_cast<int>(glyphs::Layout::kTileRows));
  cboTiles_->addItem(QStringLiteral("tiles column by column"),
                     static_cast<int>(glyphs::Layout::kTileColumns));
  spnStride_ = MakeSpin(rows, "spnStride", 0, 4096, 0);
  spnStride_->setSpecialValueText(QStringLiteral("glyph's size"));
  txtOffset_ = Named(new QLineEdit(QStringLiteral("0"), rows), "txtOffset");
  txtOffset_->setPlaceholderText(QStringLiteral("hex, 1F0"));
  txtCode_ = Named(new QLineEdit(QStringLiteral("00"), rows), "txtCode");
  txtCode_->setPlaceholderText(QStringLiteral("hex, 1 to 4 bytes"));
  spnZoom_ = MakeSpin(rows, "spnZoom", kMinZoom, kMaxZoom, kDefaultZoom);
  spnZoom_->setSuffix(QStringLiteral("×"));
  chkGreys_ = Named(new QCheckBox(QStringLiteral("Gr&eys"), rows), "chkGreys");
  chkGreys_->setToolTip(QStringLiteral("Show each colour as a grey of its own, not as ink"));
  lblFont_ = Named(new QLabel(rows), "lblFont");
  grid->addWidget(Caption(rows, QStringLiteral("For&mat"), cboFormat_), 0, 0);
  grid->addWidget(cboFormat_, 0, 1);
  grid->addWidget(Caption(rows, QStringLiteral("&Width"), spnWidth_), 0, 2);
  grid->addWidget(spnWidth_, 0, 3);
  grid->addWidget(Caption(rows, QStringLiteral("&Height"), spnHeight_), 0, 4);
  grid->addWidget(spnHeight_, 0, 5);
  grid->addWidget(cboTiles_, 0, 6);
  grid->addWidget(Caption(rows, QStringLiteral("Stride, &bytes"), spnStride_), 0, 7);
  grid->addWidget(spnStride_, 0, 8);
  grid->addWidget(Caption(rows, QStringLiteral("First &at"), txtOffset_), 1, 0);
  grid->addWidget(txtOffset_, 1, 1);
  grid->addWidget(Caption(rows, QStringLiteral("Co&de"), txtCode_), 1, 2);
  grid->addWidget(txtCode_, 1, 3);
  grid->addWidget(Caption(rows, QStringLiteral("&Zoom"), spnZoom_), 1, 4);
  grid->addWidget(spnZoom_, 1, 5);
  grid->addWidget(chkGreys_, 1, 6);
  lblGlyphs_ = new QLabel(QStringLiteral("G&lyphs:"), rows);
  grid->addWidget(lblGlyphs_, 2, 0);
  grid->addWidget(lblFont_, 2, 1, 1, 8);
  return rows;
}

QWidget* FontTab::BuildReadingRows() {
  auto* rows = new QWidget(this);
  auto* grid = new QGridLayout(rows);
  grid->setContentsMargins(0, 0, 0, 0);
  cboFont_ = Named(new QFontComboBox(rows), "cboFont");
  cboFont_->setCurrentFont(QFont(QString::fromLatin1(recognition::kDefaultFamily)));
  spnCount_ = MakeSpin(rows, "spnCount", 0, kMaxCount, 0);
  spnCount_->setSpecialValueText(QStringLiteral("all"));
  cmdRecognise_ = Named(new QPushButton(QStringLiteral("Recogn&ise"), rows), "cmdRecognise");
  prgRecognise_ = Named(new QProgressBar(rows), "prgRecognise");
  cmdCancel_ = Named(new QPushButton(QStringLiteral("Cancel"), rows), "cmdCancelRecognise");
  spnThreshold_ = Named(new QDoubleSpinBox(rows), "spnThreshold");
  spnThreshold_->setRange(0, 1);
  spnThreshold_->setSingleStep(0.05);
  spnThreshold_->setValue(kDefaultThreshold);
  spnThreshold_->setToolTip(
      QStringLiteral("Fill from Font writes a glyph's best character from this score on; Fit "
                     "Order takes such glyphs as known"));
  cmdFill_ = Named(new QPushButton(QStringLiteral("&Fill from Font"), rows), "cmdFill");
  cmdFit_ = Named(new QPushButton(QStringLiteral("Fi&t Order"), rows), "cmdFit");
  cmdApplyFit_ = Named(new QPushButton(QStringLiteral("A&pply Fit"), rows), "cmdApplyFit");
  lblRecognise_ = Named(new QLabel(rows), "lblRecognise");
  lblRecognise_->setWordWrap(true);
  grid->addWidget(Caption(rows, QStringLiteral("T&ypeface"), cboFont_), 0, 0);
  grid->addWidget(cboFont_, 0, 1);
  grid->addWidget(Caption(rows, QStringLiteral("Co&unt"), spnCount_), 0, 2);
  grid->addWidget(spnCount_, 0, 3);
  grid->addWidget(cmdRecognise_, 0, 4);
  grid->addWidget(prgRecognise_, 0, 5);
  grid->addWidget(cmdCancel_, 0, 6);
  grid->addWidget(Caption(rows, QStringLiteral("Fill abo&ve"), spnThreshold_), 1, 0);
  grid->addWidget(spnThreshold_, 1, 1);
  grid->addWidget(cmdFill_, 1, 2, 1, 2);
  grid->addWidget(cmdFit_, 1, 4);
  grid->addWidget(cmdApplyFit_, 1, 5);
  grid->addWidget(lblRecognise_, 2, 0, 1, 7);
  grid->setColumnStretch(5, 1);
  return rows;
}

QWidget* FontTab::BuildResultRows() {
  auto* rows = new QWidget(this);
  auto* layout = new QHBoxLayout(rows);
  layout->setContentsMargins(0, 0, 0, 0);
  lstBest_ = Named(new QListWidget(rows), "lstBest");
  lstBest_->setToolTip(QStringLiteral("The chosen glyph's best characters: a click writes one"));
  lstBest_->setMaximumWidth(140);
  auto* report = new QVBoxLayout();
  lblReport_ = Named(new QLabel(rows), "lblReport");
  lblReport_->setWordWrap(true);
  lstReport_ = Named(new QTreeWidget(rows), "lstReport");
  lstReport_->setRootIsDecorated(false);
  lstReport_->setHeaderLabels({QStringLiteral("Code"), QStringLiteral("Table"),
                               QStringLiteral("Recognised"), QStringLiteral("Order"),
                               QStringLiteral("Note")});
  lstReport_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  report->addWidget(lblReport_);
  report->addWidget(lstReport_, 1);
  layout->addWidget(lstBest_);
  layout->addLayout(report, 1);
  return rows;
}

void FontTab::ConnectControls() {
  connect(cboFormat_, &QComboBox::currentIndexChanged, this, &FontTab::cboFormat_Change);
  for (QSpinBox* spin : {spnWidth_, spnHeight_, spnStride_}) {
    connect(spin, &QSpinBox::valueChanged, this, &FontTab::Settings_Change);
  }
  connect(cboTiles_, &QComboBox::currentIndexChanged, this, &FontTab::Settings_Change);
  connect(txtOffset_, &QLineEdit::textChanged, this, &FontTab::Settings_Change);
  connect(txtCode_, &QLineEdit::textChanged, this, &FontTab::Settings_Change);
  connect(spnZoom_, &QSpinBox::valueChanged, glyphData_, &GlyphView::SetZoom);
  connect(chkGreys_, &QCheckBox::toggled, glyphData_, &GlyphView::SetGreys);
  connect(cmdRecognise_, &QPushButton::clicked, this, &FontTab::cmdRecognise_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &FontTab::cmdCancel_Click);
  connect(cmdFill_, &QPushButton::clicked, this, &FontTab::cmdFill_Click);
  connect(cmdFit_, &QPushButton::clicked, this, &FontTab::cmdFit_Click);
  connect(cmdApplyFit_, &QPushButton::clicked, this, &FontTab::cmdApplyFit_Click);
  connect(lstBest_, &QListWidget::itemActivated, this, &FontTab::lstBest_Click);
  connect(lstBest_, &QListWidget::itemClicked, this, &FontTab::lstBest_Click);
  connect(lstReport_, &QTreeWidget::itemClicked, this, &FontTab::lstReport_Click);
  connect(lstReport_, &QTreeWidget::itemActivated, this, &FontTab::lstReport_Click);
  connect(&session_.State(), &editing::EditingState::cursorChanged, this, &FontTab::ShowBest);
}

void FontTab::cboFormat_Change() {
  const auto pixels = static_cast<glyphs::PixelFormat>(cboFormat_->currentData().toInt());
  const bool tiled = glyphs::DefaultLayout(pixels) == glyphs::Layout::kTileRows;
  cboTiles_->setEnabled(tiled);
  // Tiled glyphs are whole tiles: the sizes step by a tile, rounded up to one.
  for (QSpinBox* spin : {spnWidth_, spnHeight_}) {
    const QSignalBlocker blocker(spin);
    spin->setSingleStep(tiled ? glyphs::kTileSide : 1);
    if (tiled) {
      spin->setValue((spin->value() + glyphs::kTileSide - 1) / glyphs::kTileSide *
                     glyphs::kTileSide);
    }
  }
  Settings_Change();
}

std::optional<glyphs::FontLayout> FontTab::TypedFont(QString* why) const {
  glyphs::FontLayout font;
  font.format.pixels = static_cast<glyphs::PixelFormat>(cboFormat_->currentData().toInt());
  font.format.layout = glyphs::DefaultLayout(font.format.pixels);
  if (font.format.layout == glyphs::Layout::kTileRows) {
    font.format.layout = static_cast<glyphs::Layout>(cboTiles_->currentData().toInt());
  }
  font.format.width = spnWidth_->value();
  font.format.height = spnHeight_->value();
  font.format.stride = spnStride_->value();
  if (auto problem = glyphs::CheckFormat(font.format)) {
    *why = *problem;
    return std::nullopt;
  }
  const data::TypedOffset offset = data::ParseOffset(txtOffset_->text());
  if (offset.status != data::TypedOffset::Status::kOffset) {
    *why = QStringLiteral("The first glyph's offset is hexadecimal digits (1F0, 0x1F0).");
    return std::nullopt;
  }
  font.offset = offset.offset;
  const auto code = model::Code::FromHex(txtCode_->text().trimmed().toLatin1());
  if (!code) {
    *why = QStringLiteral("The first glyph's code is 1 to 4 bytes in hexadecimal (41, 8140).");
    return std::nullopt;
  }
  font.first_code = *code;
  return font;
}

void FontTab::Settings_Change() {
  QString why;
  const auto font = TypedFont(&why);
  if (font) {
    const bool kept = read_format_ && *read_format_ == font->format && read_offset_ == font->offset;
    if (!kept && !recognitions_.empty()) {
      recognitions_.clear();
      lblRecognise_->setText(QStringLiteral("The format or offset changed: recognise again."));
    }
    glyphData_->SetFont(*font);
    const qint64 count = glyphData_->GlyphCount();
    why = QStringLiteral("%1 glyphs of %2 bytes from %3")
              .arg(count)
              .arg(glyphs::GlyphBytes(font->format))
              .arg(data::OffsetText(font->offset));
  }
  lblFont_->setText(why);
  glyphData_->setEnabled(font.has_value());
  ShowBest();
  ShowState();
}

void FontTab::SetData(const QString& path, data::DataSource* source) {
  // First: the source it held may be gone already.
  reader_.SetSource(source);
  Stop();
  path_ = path;
  recognitions_.clear();
  proposed_.clear();
  lstReport_->clear();
  lblReport_->clear();
  lblRecognise_->clear();
  FileChanged();
}

void FontTab::FileChanged() {
  glyphData_->FileChanged();
  Settings_Change();
}

void FontTab::GoTo(qint64 offset) { glyphData_->GoTo(offset); }

}  // namespace orvane::ui::side
