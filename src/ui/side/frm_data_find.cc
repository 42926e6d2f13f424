// The Game Data window's Text box and Find.
#include "data/offset_text.h"
#include "data/string_reader.h"
#include "data/text_encoder.h"
#include "ui/side/frm_data.h"
#include "ui/side/hex_view.h"
#include "ui/side/side_widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

namespace orvane::ui::side {
namespace {

// The Text box shows so many of its bytes, and how many there are.
constexpr qsizetype kShownBytes = 48;
constexpr int kProgressSteps = 1000;

QString Number(qint64 number) { return QLocale(QLocale::English).toString(number); }

QString ShownBytes(const QByteArray& bytes) {
  if (bytes.size() <= kShownBytes) return data::HexBytes(bytes);
  return data::HexBytes(bytes.first(kShownBytes)) +
         QStringLiteral(" … (%1 bytes)").arg(Number(bytes.size()));
}

}  // namespace

QWidget* frmData::BuildFindPanel() {
  auto* panel = new QWidget(this);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  auto* lbl_text = new QLabel(QStringLiteral("&Text"), panel);
  txtText_ = MakeTextBox(panel, QStringLiteral("txtText"), {});
  txtText_->setPlaceholderText(QStringLiteral("text as the reading shows it; <$82> for a byte"));
  lbl_text->setBuddy(txtText_);
  cmdFind_ = new QPushButton(QStringLiteral("&Find"), panel);
  cmdFind_->setObjectName(QStringLiteral("cmdFind"));
  lblBytes_ = new QLabel(panel);
  lblBytes_->setObjectName(QStringLiteral("lblBytes"));
  lblBytes_->setWordWrap(true);
  lblBytes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  prgFind_ = new QProgressBar(panel);
  prgFind_->setObjectName(QStringLiteral("prgFind"));
  prgFind_->setRange(0, kProgressSteps);
  cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), panel);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  lblFound_ = new QLabel(panel);
  lblFound_->setObjectName(QStringLiteral("lblFound"));
  lstFound_ = new QListWidget(panel);
  lstFound_->setObjectName(QStringLiteral("lstFound"));
  lstFound_->setMaximumHeight(90);
  grid->addWidget(lbl_text, 0, 0);
  grid->addWidget(txtText_, 0, 1);
  grid->addWidget(cmdFind_, 0, 2);
  grid->addWidget(lblBytes_, 1, 1, 1, 2);
  grid->addWidget(lblFound_, 2, 1);
  grid->addWidget(prgFind_, 3, 1);
  grid->addWidget(cmdCancel_, 3, 2);
  grid->addWidget(lstFound_, 4, 1, 1, 2);

  connect(txtText_, &QLineEdit::textChanged, this, &frmData::txtText_Change);
  connect(txtText_, &QLineEdit::returnPressed, this, &frmData::cmdFind_Click);
  connect(cmdFind_, &QPushButton::clicked, this, &frmData::cmdFind_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmData::cmdCancel_Click);
  connect(lstFound_, &QListWidget::currentRowChanged, this, &frmData::lstFound_Click);
  connect(lstFound_, &QListWidget::itemClicked, this, &frmData::lstFound_Click);
  return panel;
}

void frmData::txtText_Change() {
  const QString text = data::NormalizeTypedText(txtText_->text());
  text_bytes_.clear();
  if (text.isEmpty()) {
    lblBytes_->clear();
  } else {
    const data::EncodeResult result = data::TextEncoder(lookup_.Lookup()).Encode(text);
    if (result.HasBytes()) text_bytes_ = result.bytes;
    QStringList lines;
    if (result.status == data::EncodeResult::Status::kOk) lines << ShownBytes(result.bytes);
    if (!result.Message().isEmpty()) lines << result.Message();
    lblBytes_->setText(lines.join(u'\n'));
  }
  // The offsets of other bytes would pass for those of these; a Find running keeps its own.
  if (!find_.Busy() && text_bytes_ != found_bytes_) {
    lstFound_->clear();
    lblFound_->clear();
  }
  ShowFindState();
}

void frmData::cmdFind_Click() {
  if (!cmdFind_->isEnabled()) return;
  found_bytes_ = text_bytes_;
  lstFound_->clear();
  lblFound_->setText(QStringLiteral("Finding %1…").arg(ShownBytes(found_bytes_)));
  prgFind_->setValue(0);
  // The worker opens the file itself and is given a copy of the bytes: nothing the window changes.
  find_.Start(
      [path = path_, pattern = found_bytes_](data::JobControl& job) {
        return data::FindInFile(path, pattern, job.StopToken(), job.Reporter());
      },
      [this](const data::FindResult& result) {
        ShowFound(result);
        ShowFindState();
        emit findFinished();
      },
      [this](qint64 done, qint64 total) {
        prgFind_->setValue(static_cast<int>(done * kProgressSteps / std::max<qint64>(1, total)));
      });
  ShowFindState();
}

void frmData::cmdCancel_Click() {
  find_.Cancel();
  lblFound_->setText(QStringLiteral("Find cancelled."));
  ShowFindState();
  emit findFinished();
}

void frmData::ShowFound(const data::FindResult& result) {
  for (const qint64 offset : result.offsets) {
    auto* item = new QListWidgetItem(data::OffsetText(offset), lstFound_);
    item->setData(Qt::UserRole, offset);
  }
  const QString bytes = ShownBytes(found_bytes_);
  if (!result.error.isEmpty()) {
    lblFound_->setText(result.error);
  } else if (result.total == 0) {
    lblFound_->setText(QStringLiteral("%1 is not in the data.").arg(bytes));
  } else if (result.total > result.offsets.size()) {
    lblFound_->setText(QStringLiteral("%1 found at %2 offsets; the first %3 are listed.")
                           .arg(bytes, Number(result.total), Number(result.offsets.size())));
  } else {
    lblFound_->setText(
        QStringLiteral("%1 found at %2 %3.")
            .arg(bytes, Number(result.total),
                 result.total == 1 ? QStringLiteral("offset") : QStringLiteral("offsets")));
  }
}

void frmData::lstFound_Click() {
  const QListWidgetItem* item = lstFound_->currentItem();
  if (item != nullptr) hexData_->GoTo(item->data(Qt::UserRole).toLongLong());
}

void frmData::ShowFindState() {
  const bool running = find_.Busy();
  cmdFind_->setEnabled(!running && source_ != nullptr && !text_bytes_.isEmpty());
  prgFind_->setVisible(running);
  cmdCancel_->setVisible(running);
}

}  // namespace orvane::ui::side
