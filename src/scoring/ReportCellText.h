#pragma once

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <unordered_map>

class QPainter;
class QRectF;
class QTextLayout;

// How a report sets text into a cell: in the cell's font, aligned and read in the given
// direction, on one line. A text wider than the cell is set smaller, and cut short only when
// even that does not fit.
struct CellStyle
{
    QFont font;
    Qt::Alignment alignment;
    Qt::LayoutDirection direction;
};

// Sets text into box as QPainter::drawText(box, text, option) does.
void drawCellText(QPainter& painter, const QRectF& box, const QString& text,
                  const CellStyle& style);

// The detail cells of one column: every line of a report sets its value into a box of the same
// size, and most values come back (names, groups, scores, bands). Each value is fitted, shaped
// and placed once; later lines draw the shaped text at the same place within their box, so the
// page is the same as if every cell had been set afresh. Values that hold line breaks, tabs or
// surrounding blanks are only fitted once and set afresh by QPainter. A column whose values do
// not come back (codes, line numbers) stops filling the cache and sets each value afresh.
class CellTextCache
{
  public:
    CellTextCache(CellStyle style, QSizeF box);
    ~CellTextCache();
    CellTextCache(CellTextCache&&) noexcept;
    CellTextCache& operator=(CellTextCache&&) noexcept;

    void draw(QPainter& painter, const QPointF& topLeft, const QString& text);

  private:
    struct Shaped
    {
        QFont font;                          // the font the text fits in
        QString text;                        // the text as it fits (cut short if it must be)
        std::unique_ptr<QTextLayout> layout; // none: set afresh by QPainter each time
        QPointF offset;                      // of the line within the box
        bool clipped = false;                // the text overflows the box and is cut at it
    };
    Shaped shape(QPainter& painter, const QString& text) const;
    bool worthShaping() const;

    CellStyle style_;
    QSizeF box_;
    std::unordered_map<QString, Shaped> shaped_;
    qsizetype found_ = 0;  // values drawn from the cache
    qsizetype missed_ = 0; // values shaped for it
};
