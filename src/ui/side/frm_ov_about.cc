#include "ui/side/frm_ov_about.h"

#include "orvane_version.h"
#include "ui/side/side_widgets.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace orvane::ui::side {
namespace {

constexpr int kPictureWidth = 52;
constexpr int kPictureHeight = 120;
constexpr int kCellHeight = 14;

void DrawCell(QPainter& painter, int row, const QString& code, const QString& text) {
  const int top = 8 + row * kCellHeight;
  painter.setPen(QColor(0x20, 0x30, 0x60));
  painter.drawText(QRect(4, top, 22, kCellHeight), Qt::AlignCenter, code);
  painter.setPen(Qt::black);
  painter.drawText(QRect(28, top, 20, kCellHeight), Qt::AlignCenter, text);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect rect) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(rect);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

QPixmap AboutPicture() {
  QPixmap picture(kPictureWidth, kPictureHeight);
  picture.fill(QColor(0x2E, 0x4A, 0x8C));
  QPainter painter(&picture);
  painter.fillRect(QRect(2, 2, kPictureWidth - 4, kPictureHeight - 4), Qt::white);
  // The marked cell is the editor's yellow end-of-string mark.
  painter.fillRect(QRect(28, 8 + 6 * kCellHeight, 20, kCellHeight), QColor(0xFF, 0xFF, 0x00));
  painter.setPen(QColor(0xB0, 0xB8, 0xD0));
  painter.drawLine(27, 6, 27, kPictureHeight - 8);
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(10);
  painter.setFont(font);
  const char* const rows[][2] = {{"41", "A"}, {"42", "B"}, {"61", "a"}, {"30", "0"},
                                 {"A4", "k"}, {"A5", "t"}, {"00", "/"}, {"0A", "*"}};
  int row = 0;
  for (const auto& cell : rows) {
    DrawCell(painter, row++, QLatin1String(cell[0]), QLatin1String(cell[1]));
  }
  return picture;
}

frmOVAbout::frmOVAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmOVAbout"));
  setWindowTitle(QStringLiteral("About Orvane..."));
  setFont(ControlFont());
  setFixedSize(Px(5700), Px(2625));
  picIcon_ = MakeLabel(this, QStringLiteral("picIcon"), QString(), TwipsRect(120, 120, 840, 1860));
  picIcon_->setAlignment(Qt::AlignCenter);
  picIcon_->setPixmap(AboutPicture());
  lblTitle_ = MakeLabel(this, QStringLiteral("lblTitle"), QStringLiteral("Orvane"),
                        TwipsRect(1200, 240, 3885, 480));
  QFont title_font = FontOrFallback(QStringLiteral("Gulim"), 20.25, font());
  title_font.setBold(true);
  lblTitle_->setFont(title_font);
  lblVersion_ = MakeLabel(this, QStringLiteral("lblVersion"),
                          QStringLiteral("Version ") + QLatin1String(kFullVersion) +
                              QStringLiteral(" by the Orvane developers, 2026"),
                          TwipsRect(1200, 780, 3885, 225));
  lblDescription_ = MakeLabel(
      this, QStringLiteral("lblDescription"),
      QStringLiteral("Table handling tool. This program is still a beta version. The author "
                     "takes no responsibility on eventual damages given by this software. Oh, "
                     "and excuse me for my bad english :P"),
      TwipsRect(1200, 1125, 3885, 810));
  lblDescription_->setWordWrap(true);
  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setGeometry(TwipsRect(1920, 2160, 1860, 345));
  cmdOK_->setDefault(true);
  cmdOK_->setFocus();
  // Escape reaches reject(), which closes the dialog just as OK does.
  connect(cmdOK_, &QPushButton::clicked, this, &frmOVAbout::cmdOk_Click);
  Form_Load();
}

void frmOVAbout::cmdOk_Click() { close(); }

}  // namespace orvane::ui::side
