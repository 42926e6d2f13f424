#pragma once

#include "glyphs/font_layout.h"
#include "ui/side/glyph_cells.h"

#include <QAbstractScrollArea>

#include <optional>

namespace orvane::data {
class BlockReader;
}

namespace orvane::session {
class Session;
}

namespace orvane::ui::side {

// A game's font as glyphs, 16 to a row like the grid, each with its code and the table's text
// for it. Rows are counted from the one glyph 0 begins, so the data before the font can be seen
// too. The glyph under the main window's cursor is highlighted: a click or an arrow key moves
// that cursor, and keys typed here go to its cell as typing in the grid does, through the
// session. It reads only the glyphs it shows, through the reader's held bytes.
class GlyphView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kRowGlyphs = 16;

  // Both must outlive the view.
  GlyphView(data::BlockReader& reader, session::Session& session, QWidget* parent = nullptr);

  // A layout whose format CheckFormat takes.
  void SetFont(const glyphs::FontLayout& font);
  [[nodiscard]] const glyphs::FontLayout& Font() const { return font_; }
  void SetZoom(int zoom);
  [[nodiscard]] int Zoom() const { return zoom_; }
  void SetGreys(bool greys);
  // Scrolls the row of the glyph that holds `offset` to the top.
  void GoTo(qint64 offset);
  // The data was opened or changed on disk.
  void FileChanged();
  // Makes the glyph the main window's cursor's, and scrolls it into view.
  void Choose(qint64 index);

  [[nodiscard]] qint64 GlyphCount() const;
  // The glyph whose code is the main window's cursor's, or nothing.
  [[nodiscard]] std::optional<qint64> CurrentGlyph() const;
  [[nodiscard]] qint64 TopGlyph() const;
  [[nodiscard]] qint64 VisibleGlyphs() const;
  // Where the glyph is drawn in the viewport, in view or not.
  [[nodiscard]] QRect GlyphRect(qint64 index) const;
  [[nodiscard]] glyphs::GlyphPixels Glyph(qint64 index) const;
  [[nodiscard]] GlyphCell CellOf(qint64 index) const;

 signals:
  void topChanged(qint64 offset);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;

 private:
  void Relayout();
  void UpdateScrollRange();
  void Move(qint64 glyphs);
  [[nodiscard]] qint64 FirstRow() const;
  [[nodiscard]] qint64 RowOf(qint64 index) const;
  [[nodiscard]] int RowsInView() const;

  data::BlockReader& reader_;
  session::Session& session_;
  glyphs::FontLayout font_;
  int zoom_ = 2;
  bool greys_ = false;
  GlyphRenderer renderer_;
};

}  // namespace orvane::ui::side
