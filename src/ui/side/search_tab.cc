#include "ui/side/search_tab.h"

#include "data/document_lookup.h"
#include "data/offset_text.h"
#include "data/relative_search_preview.h"
#include "session/session.h"
#include "text/display_text.h"
#include "ui/side/side_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace orvane::ui::side {
namespace {

// The list shows the best so many; a word that short has no use beyond them.
constexpr qsizetype kListedCandidates = 200;
constexpr int kProgressSteps = 1000;
enum Column { kHits, kValues, kFirst, kReads, kTable };

QString Number(qint64 number) { return QLocale(QLocale::English).toString(number); }

void AddOrders(QComboBox* box) {
  box->addItem(QStringLiteral("From the word"));
  const struct {
    data::Order order;
    const char16_t* text;
  } orders[] = {
      {data::Order::kUpper, u"A B C … Z"},
      {data::Order::kLower, u"a b c … z"},
      {data::Order::kDigits, u"0 1 2 … 9"},
      {data::Order::kHiragana, u"あ い う … ん, が … ぽ (as the fills)"},
      {data::Order::kKatakana, u"ア イ ウ … ン, ガ … ポ (as the fills)"},
      {data::Order::kHiraganaJis, u"ぁ あ ぃ い … ん (JIS rows)"},
      {data::Order::kKatakanaJis, u"ァ ア ィ イ … ヶ (JIS rows)"},
  };
  for (const auto& order : orders) {
    box->addItem(QString::fromUtf16(order.text), data::OrderName(order.order));
  }
}

QString VerdictText(const data::RankedCandidate& ranked) {
  switch (ranked.verdict) {
    case data::RankedCandidate::Verdict::kAgrees:
      return QStringLiteral("agrees");
    case data::RankedCandidate::Verdict::kSilent:
      return {};
    case data::RankedCandidate::Verdict::kContradicts:
      return ranked.contradictions.join(QStringLiteral("; "));
  }
  return {};
}

}  // namespace

SearchTab::SearchTab(session::Session& session, const data::DocumentLookup& lookup, QWidget* parent)
    : QWidget(parent), session_(session), lookup_(lookup) {
  setObjectName(QStringLiteral("tabSearch"));
  auto* grid = new QGridLayout(this);
  BuildQueryRows(grid);
  BuildResultRows(grid);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);

  connect(txtWord_, &QLineEdit::returnPressed, this, &SearchTab::cmdSearch_Click);
  connect(cmdSearch_, &QPushButton::clicked, this, &SearchTab::cmdSearch_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &SearchTab::cmdCancel_Click);
  connect(cmdApply_, &QPushButton::clicked, this, &SearchTab::cmdApply_Click);
  connect(lstCandidates_, &QTreeWidget::currentItemChanged, this,
          [this] { lstCandidates_Select(false); });
  connect(lstCandidates_, &QTreeWidget::itemActivated, this,
          [this] { lstCandidates_Select(true); });
  ShowState();
}

void SearchTab::BuildQueryRows(QGridLayout* grid) {
  auto* lbl_word = new QLabel(QStringLiteral("&Word"), this);
  txtWord_ = MakeTextBox(this, QStringLiteral("txtWord"), {});
  txtWord_->setPlaceholderText(QStringLiteral("HERO, たからもの, takaramono; * for any value"));
  lbl_word->setBuddy(txtWord_);
  auto* lbl_order = new QLabel(QStringLiteral("Or&der"), this);
  cboOrder_ = new QComboBox(this);
  cboOrder_->setObjectName(QStringLiteral("cboOrder"));
  AddOrders(cboOrder_);
  lbl_order->setBuddy(cboOrder_);
  auto* lbl_values = new QLabel(QStringLiteral("&Values"), this);
  cboValues_ = new QComboBox(this);
  cboValues_->setObjectName(QStringLiteral("cboValues"));
  cboValues_->addItem(QStringLiteral("8-bit"), QStringLiteral("8"));
  cboValues_->addItem(QStringLiteral("16-bit big-endian"), QStringLiteral("16be"));
  cboValues_->addItem(QStringLiteral("16-bit little-endian"), QStringLiteral("16le"));
  lbl_values->setBuddy(cboValues_);
  cmdSearch_ = new QPushButton(QStringLiteral("S&earch"), this);
  cmdSearch_->setObjectName(QStringLiteral("cmdSearch"));
  grid->addWidget(lbl_word, 0, 0);
  grid->addWidget(txtWord_, 0, 1, 1, 3);
  grid->addWidget(cmdSearch_, 0, 4);
  grid->addWidget(lbl_order, 1, 0);
  grid->addWidget(cboOrder_, 1, 1);
  grid->addWidget(lbl_values, 1, 2);
  grid->addWidget(cboValues_, 1, 3);
}

void SearchTab::BuildResultRows(QGridLayout* grid) {
  prgSearch_ = new QProgressBar(this);
  prgSearch_->setObjectName(QStringLiteral("prgSearch"));
  prgSearch_->setRange(0, kProgressSteps);
  cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancelSearch"));
  lblSearch_ = new QLabel(this);
  lblSearch_->setObjectName(QStringLiteral("lblSearch"));
  lblSearch_->setWordWrap(true);
  lstCandidates_ = new QTreeWidget(this);
  lstCandidates_->setObjectName(QStringLiteral("lstCandidates"));
  lstCandidates_->setRootIsDecorated(false);
  lstCandidates_->setHeaderLabels({QStringLiteral("Hits"), QStringLiteral("Values"),
                                   QStringLiteral("First at"), QStringLiteral("Reads"),
                                   QStringLiteral("Table")});
  lstCandidates_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lblCandidate_ = new QLabel(this);
  lblCandidate_->setObjectName(QStringLiteral("lblCandidate"));
  lblCandidate_->setWordWrap(true);
  lblCandidate_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  cmdApply_ = new QPushButton(QStringLiteral("&Apply"), this);
  cmdApply_->setObjectName(QStringLiteral("cmdApply"));
  cmdApply_->setToolTip(
      QStringLiteral("Write every letter of the chosen candidate into the table, at its value"));
  grid->addWidget(prgSearch_, 2, 1, 1, 3);
  grid->addWidget(cmdCancel_, 2, 4);
  grid->addWidget(lblSearch_, 3, 1, 1, 4);
  grid->addWidget(lstCandidates_, 4, 0, 1, 5);
  grid->addWidget(lblCandidate_, 5, 0, 1, 4);
  grid->addWidget(cmdApply_, 5, 4);
}

SearchTab::~SearchTab() { job_.Stop(); }

void SearchTab::SetData(const QString& path, bool open) {
  Stop();
  path_ = path;
  open_ = open;
  query_.reset();
  candidates_.clear();
  lblSearch_->clear();
  ShowCandidates();
}

void SearchTab::Stop() {
  job_.Stop();
  ShowState();
}

void SearchTab::cmdSearch_Click() {
  if (!cmdSearch_->isEnabled()) return;
  const auto order = data::OrderFromName(cboOrder_->currentData().toString());
  const auto values = data::ValueSizeFromName(cboValues_->currentData().toString());
  const QString word = txtWord_->text().trimmed();
  data::QueryOrError made = data::MakeQuery(word, order, *values);
  candidates_.clear();
  if (!made.query) {
    query_.reset();
    lblSearch_->setText(made.error);
    ShowCandidates();
    return;
  }
  query_ = made.query;
  ShowCandidates();
  lblSearch_->setText(QStringLiteral("Searching %1…").arg(query_->word));
  prgSearch_->setValue(0);
  // The worker opens the file itself and searches copies of the word and the order.
  job_.Start(
      [path = path_, word, order, values = *values](data::JobControl& job) {
        data::OpenedSource opened = data::FileSource::Open(path);
        data::WordSearch found;
        if (!opened.source) {
          found.result.error = opened.error;
          return found;
        }
        found =
            data::SearchWord(word, order, values, *opened.source, job.StopToken(), job.Reporter());
        if (!found.result.error.isEmpty()) {
          found.result.error = QStringLiteral("%1: %2").arg(path, found.result.error);
        }
        return found;
      },
      [this](data::WordSearch result) {
        ShowResult(std::move(result));
        ShowState();
        emit searchFinished();
      },
      [this](qint64 done, qint64 total) {
        prgSearch_->setValue(static_cast<int>(done * kProgressSteps / std::max<qint64>(1, total)));
      });
  ShowState();
}

void SearchTab::cmdCancel_Click() {
  job_.Cancel();
  lblSearch_->setText(QStringLiteral("Search cancelled."));
  ShowState();
  emit searchFinished();
}

void SearchTab::ShowResult(data::WordSearch found) {
  if (found.query) query_ = std::move(found.query);
  data::SearchResult& result = found.result;
  if (!result.error.isEmpty()) {
    lblSearch_->setText(result.error);
  } else if (result.candidates.empty()) {
    lblSearch_->setText(QStringLiteral("No hit for %1.").arg(query_->word));
  } else {
    const auto count = static_cast<qint64>(result.candidates.size());
    QString text = count == 1 ? QStringLiteral("1 candidate")
                              : QStringLiteral("%1 candidates").arg(Number(count));
    if (found.romaji) {
      text += QStringLiteral(" for %1, read as romaji in the order %2")
                  .arg(query_->word, data::OrderName(*found.romaji));
    }
    if (count > kListedCandidates)
      text += QStringLiteral("; the best %1 are listed").arg(kListedCandidates);
    if (result.uncounted_hits > 0) {
      text += QStringLiteral("; %1 hits of further candidates were not counted")
                  .arg(Number(result.uncounted_hits));
    }
    lblSearch_->setText(text + u'.');
    candidates_ = std::move(result.candidates);
  }
  ShowCandidates();
  if (lstCandidates_->topLevelItemCount() > 0) {
    lstCandidates_->setCurrentItem(lstCandidates_->topLevelItem(0));
  }
}

void SearchTab::TableChanged() {
  if (candidates_.empty()) return;
  const data::RankedCandidate* selected = Selected();
  const auto bases = selected != nullptr ? std::optional(selected->candidate.bases) : std::nullopt;
  ShowCandidates();
  // The same candidate stays chosen, without moving the view.
  const QSignalBlocker blocker(lstCandidates_);
  for (int row = 0; bases && row < lstCandidates_->topLevelItemCount(); ++row) {
    if (ranked_[static_cast<size_t>(row)].candidate.bases == *bases) {
      lstCandidates_->setCurrentItem(lstCandidates_->topLevelItem(row));
    }
  }
  ShowSelected();
}

void SearchTab::ShowCandidates() {
  const QSignalBlocker blocker(lstCandidates_);
  lstCandidates_->clear();
  ranked_.clear();
  if (query_ && !candidates_.empty()) {
    const data::CodeLookup& table = lookup_.Lookup();
    ranked_ = data::Rank(*query_, candidates_, table);
    const auto listed = std::min<qsizetype>(kListedCandidates, std::ssize(ranked_));
    for (qsizetype i = 0; i < listed; ++i) {
      const data::RankedCandidate& ranked = ranked_[static_cast<size_t>(i)];
      auto* item = new QTreeWidgetItem(lstCandidates_);
      item->setText(kHits, Number(ranked.candidate.hits));
      item->setText(kValues, data::CandidateValues(*query_, ranked.candidate));
      item->setText(kFirst, data::OffsetText(ranked.candidate.FirstHit()));
      item->setText(kReads, data::PreviewLine(*query_, ranked.candidate, table));
      item->setText(kTable, VerdictText(ranked));
      item->setTextAlignment(kHits, Qt::AlignRight);
    }
  }
  lblCandidate_->clear();
  ShowState();
}

const data::RankedCandidate* SearchTab::Selected() const {
  const int row = lstCandidates_->indexOfTopLevelItem(lstCandidates_->currentItem());
  return row < 0 || row >= std::ssize(ranked_) ? nullptr : &ranked_[static_cast<size_t>(row)];
}

void SearchTab::lstCandidates_Select(bool show) {
  ShowSelected();
  if (const data::RankedCandidate* ranked = Selected()) {
    emit goTo(ranked->candidate.FirstHit(), show);
  }
}

void SearchTab::ShowSelected() {
  const data::RankedCandidate* ranked = Selected();
  ShowState();
  lblCandidate_->clear();
  if (ranked == nullptr) return;
  QStringList offsets;
  for (const qint64 offset : ranked->candidate.offsets) {
    if (offsets.size() == 8) {
      offsets << QStringLiteral("…");
      break;
    }
    offsets << data::OffsetText(offset);
  }
  QString text = QStringLiteral("%1 at %2")
                     .arg(data::CandidateValues(*query_, ranked->candidate),
                          offsets.join(QStringLiteral(", ")));
  if (!ranked->contradictions.isEmpty()) {
    text += QStringLiteral("\nAgainst the table: ") + ranked->contradictions.join(u"; ");
  }
  lblCandidate_->setText(text);
}

void SearchTab::cmdApply_Click() {
  const data::RankedCandidate* ranked = Selected();
  if (ranked == nullptr || !query_ || Searching()) return;
  const session::Session::Outcome outcome = session_.ApplySearch(*query_, ranked->candidate);
  if (outcome.status != session::Session::Outcome::Status::kDone) return;
  const auto codes = [](qsizetype count) {
    return count == 1 ? QStringLiteral("1 code") : QStringLiteral("%1 codes").arg(Number(count));
  };
  QString text = codes(outcome.changed) + QStringLiteral(" written");
  if (outcome.already > 0) {
    text += QStringLiteral(", %1 held that text already").arg(codes(outcome.already));
  }
  lblSearch_->setText(text + (outcome.changed > 0 ? QStringLiteral("; Undo takes them back.")
                                                  : QStringLiteral(".")));
}

void SearchTab::ShowState() {
  const bool running = Searching();
  cmdSearch_->setEnabled(!running && open_);
  prgSearch_->setVisible(running);
  cmdCancel_->setVisible(running);
  if (!running) prgSearch_->setValue(0);
  cmdApply_->setEnabled(!running && Selected() != nullptr);
}

}  // namespace orvane::ui::side
