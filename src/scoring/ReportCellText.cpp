#include "scoring/ReportCellText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace {

// Enough for every name, group, score and band of a registry.
constexpr qsizetype MostShapedValues = 2048;
// Values a column shapes before the cache must show that they come back.
constexpr qsizetype TrialValues = 64;
// Qt's own line width for text that is not wrapped.
constexpr qreal UnwrappedLineWidth = 0x01000000;

struct Fitted
{
    QFont font;
    QString text;
};

Fitted fit(const QString& text, const QFont& font, qreal width)
{
    QFont fitted = font;
    qreal advance = QFontMetricsF(fitted).horizontalAdvance(text);
    while (advance > width && fitted.pixelSize() > font.pixelSize() * 2 / 3) {
        fitted.setPixelSize(fitted.pixelSize() - 10);
        advance = QFontMetricsF(fitted).horizontalAdvance(text);
    }
    if (advance < width - 1) // clear of the edge: nothing to cut
        return {fitted, text};
    return {fitted, QFontMetricsF(fitted).elidedText(text, Qt::ElideRight, width)};
}

QTextOption optionFor(const CellStyle& style)
{
    QTextOption option(style.alignment);
    option.setTextDirection(style.direction);
    option.setWrapMode(QTextOption::NoWrap);
    return option;
}

// Text that QPainter rewrites before it lays it out (line breaks, tabs, length variants) or
// that it places by its surrounding blanks.
bool isPlainLine(const QString& text)
{
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return false;
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t' || c == QChar(0x9c) ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

// The horizontal alignment as it is seen on the page.
Qt::Alignment visualAlignment(const CellStyle& style)
{
    Qt::Alignment alignment = style.alignment;
    if (style.direction == Qt::RightToLeft && !(alignment & Qt::AlignAbsolute) &&
        (alignment & (Qt::AlignLeft | Qt::AlignRight))) {
        alignment ^= Qt::AlignLeft | Qt::AlignRight;
    }
    return alignment;
}

} // namespace

void drawCellText(QPainter& painter, const QRectF& box, const QString& text, const CellStyle& style)
{
    if (text.isEmpty())
        return;
    const Fitted fitted = fit(text, style.font, box.width());
    painter.setFont(fitted.font);
    painter.setPen(Qt::black);
    painter.drawText(box, fitted.text, optionFor(style));
}

CellTextCache::CellTextCache(CellStyle style, QSizeF box) : style_(std::move(style)), box_(box) {}
CellTextCache::~CellTextCache() = default;
CellTextCache::CellTextCache(CellTextCache&&) noexcept = default;
CellTextCache& CellTextCache::operator=(CellTextCache&&) noexcept = default;

void CellTextCache::draw(QPainter& painter, const QPointF& topLeft, const QString& text)
{
    if (text.isEmpty())
        return;
    auto found = shaped_.find(text);
    if (found != shaped_.end()) {
        ++found_;
    } else if (worthShaping()) {
        ++missed_;
        found = shaped_.emplace(text, shape(painter, text)).first;
    } else {
        drawCellText(painter, QRectF(topLeft, box_), text, style_);
        return;
    }
    const Shaped& shaped = found->second;
    painter.setPen(Qt::black);
    if (!shaped.layout) {
        painter.setFont(shaped.font);
        painter.drawText(QRectF(topLeft, box_), shaped.text, optionFor(style_));
        return;
    }
    if (shaped.clipped) {
        painter.save();
        painter.setClipRect(QRectF(topLeft, box_), Qt::IntersectClip);
    }
    shaped.layout->lineAt(0).draw(&painter, topLeft + shaped.offset);
    if (shaped.clipped)
        painter.restore();
}

// While the values come back at least as often as they are new.
bool CellTextCache::worthShaping() const
{
    return std::ssize(shaped_) < MostShapedValues && (missed_ < TrialValues || found_ >= missed_);
}

// Shapes the text once and finds where QPainter would put it in the box: its vertical place
// from QPainter's own measure, its horizontal place from the line's advance and the alignment.
CellTextCache::Shaped CellTextCache::shape(QPainter& painter, const QString& text) const
{
    const Fitted fitted = fit(text, style_.font, box_.width());
    if (!isPlainLine(fitted.text))
        return {fitted.font, fitted.text, nullptr, {}, false};
    const QRectF box(QPointF(0, 0), box_);
    painter.setFont(fitted.font);
    const QRectF bounds = painter.boundingRect(box, fitted.text, optionFor(style_));
    auto layout = std::make_unique<QTextLayout>(fitted.text, fitted.font, painter.device());
    QTextOption lineOption(Qt::AlignLeft); // the line is placed below, not by the layout
    lineOption.setTextDirection(style_.direction);
    lineOption.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(lineOption);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    line.setLineWidth(UnwrappedLineWidth);
    line.setPosition(QPointF(0, 0));
    layout->endLayout();
    if (layout->lineCount() != 1)
        return {fitted.font, fitted.text, nullptr, {}, false};
    const qreal advance = line.horizontalAdvance();
    const Qt::Alignment alignment = visualAlignment(style_);
    qreal x = 0;
    if (alignment & Qt::AlignRight)
        x = box.width() - advance;
    else if (alignment & Qt::AlignHCenter)
        x = (box.width() - advance) / 2;
    return {fitted.font, fitted.text, std::move(layout), QPointF(x, bounds.top()),
            !box.contains(bounds)};
}
