#pragma once

#include "data/block_reader.h"
#include "data/relative_search_apply.h"
#include "data/watched_job.h"
#include "glyphs/font_layout.h"
#include "recognition/character_model.h"
#include "recognition/fill_plan.h"
#include "recognition/fit_order.h"
#include "recognition/recogniser.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;
class QListWidget;

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

class GlyphView;

// What a recognition run gives back: the characters' model it compared with (kept for the next
// run of the same font, size and encoding), one recognition a glyph, or why it could not run.
struct FontReading {
  std::shared_ptr<const recognition::CharacterModel> model;
  std::vector<recognition::Recognition> recognitions;
  QString error;
};

// The Game Data window's Font tab: the data as a game's font in the format chosen, each glyph
// beside its code and the table's text, read against an installed font on a worker thread, and
// written into the table from that reading or from a fitted order, each as one step of the
// history. The recognitions belong to the format and offset they were made for and go when
// either changes.
class FontTab : public QWidget {
  Q_OBJECT

 public:
  // The session must outlive the tab; the source, when there is one, is the window's and must
  // outlive the tab or be replaced first.
  FontTab(session::Session& session, data::DataSource* source, QWidget* parent = nullptr);
  ~FontTab() override;
  FontTab(const FontTab&) = delete;
  FontTab& operator=(const FontTab&) = delete;

  // The data file to show, or none.
  void SetData(const QString& path, data::DataSource* source);
  void FileChanged();
  // Go to from the window's box: the glyph that holds the offset scrolls to the top.
  void GoTo(qint64 offset);
  // Ends a running recognition and waits for its thread.
  void Stop();
  [[nodiscard]] bool Recognising() const { return job_.Busy(); }
  [[nodiscard]] GlyphView* View() const { return glyphData_; }
  // The recognitions of the glyphs as they are shown now, or none.
  [[nodiscard]] const std::vector<recognition::Recognition>* Recognitions() const;

 signals:
  // A recognition ended: with its results, with why it could not run, or cancelled.
  void recognitionFinished();

 private:
  QWidget* BuildFormatRows();
  QWidget* BuildReadingRows();
  QWidget* BuildResultRows();
  void ConnectControls();
  void Settings_Change();
  void cboFormat_Change();
  void cmdRecognise_Click();
  void cmdCancel_Click();
  void cmdFill_Click();
  void cmdFit_Click();
  void cmdApplyFit_Click();
  void lstBest_Click();
  void lstReport_Click(QTreeWidgetItem* item);

  // The layout the controls describe, or why it cannot be read.
  [[nodiscard]] std::optional<glyphs::FontLayout> TypedFont(QString* why) const;
  // The glyphs to read: from the first to the count asked for, the data's end or the codes' end.
  [[nodiscard]] qint64 GlyphsToRead() const;
  [[nodiscard]] std::vector<model::Code> Codes(qint64 count) const;
  [[nodiscard]] QByteArray TextOf(const model::Code& code) const;
  void ShowResult(FontReading reading);
  void ShowBest();
  void ShowState();
  void ShowFill(const recognition::FillPlan& plan, qsizetype written);
  void ShowFit(const recognition::OrderFit& fit);
  void AddReportRow(qint64 index, const QString& recognised, const QString& order,
                    const QString& note);

  session::Session& session_;
  QString path_;
  data::BlockReader reader_;
  std::shared_ptr<const recognition::CharacterModel> model_;
  std::vector<recognition::Recognition> recognitions_;
  std::optional<glyphs::GlyphFormat> read_format_;  // what the recognitions were made for
  qint64 read_offset_ = 0;
  std::vector<data::CodeText> proposed_;  // the fitted order's texts for codes without one

  QComboBox* cboFormat_ = nullptr;
  QSpinBox* spnWidth_ = nullptr;
  QSpinBox* spnHeight_ = nullptr;
  QComboBox* cboTiles_ = nullptr;
  QSpinBox* spnStride_ = nullptr;
  QLineEdit* txtOffset_ = nullptr;
  QLineEdit* txtCode_ = nullptr;
  QSpinBox* spnZoom_ = nullptr;
  QCheckBox* chkGreys_ = nullptr;
  QLabel* lblGlyphs_ = nullptr;
  QLabel* lblFont_ = nullptr;
  GlyphView* glyphData_ = nullptr;
  QFontComboBox* cboFont_ = nullptr;
  QSpinBox* spnCount_ = nullptr;
  QPushButton* cmdRecognise_ = nullptr;
  QProgressBar* prgRecognise_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  QLabel* lblRecognise_ = nullptr;
  QListWidget* lstBest_ = nullptr;
  QDoubleSpinBox* spnThreshold_ = nullptr;
  QPushButton* cmdFill_ = nullptr;
  QPushButton* cmdFit_ = nullptr;
  QPushButton* cmdApplyFit_ = nullptr;
  QTreeWidget* lstReport_ = nullptr;
  QLabel* lblReport_ = nullptr;

  // Last, so that it is stopped first: its results go to the members above.
  data::WatchedJob<FontReading> job_;
};

}  // namespace orvane::ui::side
