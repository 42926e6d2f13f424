#include "ui/side/frm_check.h"

#include "data/data_source.h"
#include "session/session.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

namespace orvane::ui::side {
namespace {

constexpr int kProgressSteps = 1000;
enum Column { kMessage, kLines, kColumns };

QString LinesText(const QList<qsizetype>& lines) {
  QStringList numbers;
  for (const qsizetype line : lines) numbers << QString::number(line);
  return numbers.join(QStringLiteral(", "));
}

// The check of a snapshot, on the worker: it opens the data file itself.
check::CheckResult RunCheck(const model::TableState& state, const QString& data_path,
                            data::JobControl& control) {
  check::CheckOptions options;
  data::OpenedSource opened;
  if (!data_path.isEmpty()) {
    opened = data::FileSource::Open(data_path);
    options.data = opened.source.get();
  }
  check::CheckResult result = check::CheckTableState(state, options, &control);
  if (!data_path.isEmpty() && !opened.source) result.data_error = opened.error;
  return result;
}

}  // namespace

frmCheck::frmCheck(session::Session& session, QWidget* parent)
    : QWidget(parent), session_(session) {
  setObjectName(QStringLiteral("frmCheck"));
  setWindowTitle(QStringLiteral("Check Table"));
  trvFindings_ = new QTreeWidget(this);
  trvFindings_->setObjectName(QStringLiteral("trvFindings"));
  trvFindings_->setColumnCount(kColumns);
  trvFindings_->setHeaderLabels({QStringLiteral("Finding"), QStringLiteral("Lines")});
  trvFindings_->header()->setStretchLastSection(false);
  trvFindings_->header()->setSectionResizeMode(kMessage, QHeaderView::Stretch);
  trvFindings_->setWordWrap(true);
  lblCheck_ = new QLabel(this);
  lblCheck_->setObjectName(QStringLiteral("lblCheck"));
  prgCheck_ = new QProgressBar(this);
  prgCheck_->setObjectName(QStringLiteral("prgCheck"));
  prgCheck_->setRange(0, kProgressSteps);
  cmdCheck_ = new QPushButton(QStringLiteral("Check &Again"), this);
  cmdCheck_->setObjectName(QStringLiteral("cmdCheck"));
  cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  auto* grid = new QGridLayout(this);
  grid->addWidget(trvFindings_, 0, 0, 1, 4);
  grid->addWidget(lblCheck_, 1, 0);
  grid->addWidget(prgCheck_, 1, 1);
  grid->addWidget(cmdCheck_, 1, 2);
  grid->addWidget(cmdCancel_, 1, 3);
  grid->setColumnStretch(0, 1);
  resize(720, 420);
  connect(cmdCheck_, &QPushButton::clicked, this, &frmCheck::cmdCheck_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmCheck::cmdCancel_Click);
  connect(trvFindings_, &QTreeWidget::itemDoubleClicked, this, &frmCheck::trvFindings_DblClick);
  ShowState();
}

frmCheck::~frmCheck() { check_.Stop(); }

void frmCheck::Run(const QString& data_path) {
  data_path_ = data_path;
  trvFindings_->clear();
  prgCheck_->setValue(0);
  lblCheck_->setText(data_path.isEmpty() ? QStringLiteral("Checking the table…")
                                         : QStringLiteral("Checking the table and its data…"));
  check_.Start(
      [state = session_.Document().Snapshot(), data_path](data::JobControl& control) {
        return RunCheck(state, data_path, control);
      },
      [this](const check::CheckResult& result) {
        ShowResult(result);
        ShowState();
        emit checkFinished();
      },
      [this](qint64 done, qint64 total) {
        prgCheck_->setValue(static_cast<int>(done * kProgressSteps / std::max<qint64>(1, total)));
      });
  ShowState();
}

void frmCheck::cmdCheck_Click() { Run(data_path_); }

void frmCheck::cmdCancel_Click() {
  check_.Cancel();
  lblCheck_->setText(QStringLiteral("Check cancelled."));
  ShowState();
  emit checkFinished();
}

void frmCheck::trvFindings_DblClick(QTreeWidgetItem* item) {
  const QVariant code = item->data(kMessage, Qt::UserRole);
  if (code.canConvert<model::Code>()) session_.State().SelectCode(code.value<model::Code>());
}

void frmCheck::ShowResult(const check::CheckResult& result) {
  trvFindings_->clear();
  prgCheck_->setValue(kProgressSteps);
  if (result.error) {
    lblCheck_->setText(QStringLiteral("The table does not read back: line %1: %2")
                           .arg(result.error->line)
                           .arg(result.error->reason));
    return;
  }
  const auto counts = check::CountByKind(result.findings);
  std::array<QTreeWidgetItem*, check::kFindingKinds> groups{};
  for (const check::Finding& finding : result.findings) {
    const auto kind = static_cast<size_t>(finding.kind);
    if (groups[kind] == nullptr) {
      groups[kind] = new QTreeWidgetItem(
          trvFindings_,
          {QStringLiteral("%1 (%2)").arg(check::KindTitle(finding.kind)).arg(counts[kind])});
      groups[kind]->setExpanded(true);
    }
    auto* item = new QTreeWidgetItem(groups[kind], {finding.message, LinesText(finding.lines)});
    item->setToolTip(kMessage, finding.message);
    if (!finding.codes.isEmpty()) {
      item->setData(kMessage, Qt::UserRole, QVariant::fromValue(finding.codes.front()));
    }
  }
  QString text = result.findings.isEmpty()
                     ? QStringLiteral("Nothing found.")
                     : QStringLiteral("%1 findings; double-click one to go to its code.")
                           .arg(result.findings.size());
  if (!result.data_error.isEmpty()) {
    text += QStringLiteral(" The data could not be read: %1").arg(result.data_error);
  }
  lblCheck_->setText(text);
}

void frmCheck::ShowState() {
  const bool running = check_.Busy();
  cmdCancel_->setEnabled(running);
  cmdCheck_->setEnabled(!running);
  prgCheck_->setVisible(running);
}

}  // namespace orvane::ui::side
