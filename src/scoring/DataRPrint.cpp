#include "scoring/DataRPrint.h"

#include "calendar/SolarHijriDate.h"
#include "questionnaire/Questionnaires.h"
#include "ui/Fonts.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QSqlQuery>
#include <QVarLengthArray>

namespace {

constexpr int ReportWidth = 9512;
constexpr int ReportHeaderHeight = 1830;
constexpr int PageHeaderHeight = 510;
constexpr int DetailHeight = 378;
constexpr int ReportFooterHeight = 387;
constexpr double TwipsPerInch = 1440.0;
constexpr int Padding = 40;

// One column of the table: its heading in the page header and its field in the detail line.
struct Column
{
    int headingLeft;
    int headingWidth;
    QString heading;
    int fieldLeft;
    int fieldWidth;
    Qt::Alignment alignment;
};

const QList<Column>& columns()
{
    const Qt::Alignment centred = Qt::AlignCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    static const QList<Column> table{
        {8945, 525, QStringLiteral("رديف"), 9008, 495, centred},
        {8378, 525, QStringLiteral("کد"), 8441, 495, centred},
        {7244, 1158, QStringLiteral("نام "), 7244, 1125, right},
        {6110, 1170, QStringLiteral("نام خانوادگي"), 6110, 1125, right},
        {5417, 663, QStringLiteral("گروه"), 5417, 684, centred},
        {4851, 594, QStringLiteral("نمره"), 4850, 558, centred},
        {0, 4851, QStringLiteral("توضيحات"), 0, 4845, right},
    };
    return table;
}

// Where the grid is ruled: the outer edges and the borders between the headings.
const QList<int>& ruleLines()
{
    static const QList<int> lines{0, 4851, 5417, 6110, 7244, 8378, 8945, ReportWidth};
    return lines;
}

// Fonts are sized in twips, the painter's unit: one point is twenty twips.
QFont inTwips(QFont font)
{
    font.setPixelSize(qRound(font.pointSizeF() * 20));
    return font;
}

} // namespace

DataRPrint::DataRPrint()
    : headingFont_(inTwips(Fonts::nazanin(11))), detailFont_(inTwips(Fonts::nazanin(11, false))),
      titleFont_(inTwips(Fonts::titr(14))), clinicFont_(inTwips(Fonts::titr(16)))
{}

void DataRPrint::setClinic(const QString& name, const QString& address)
{
    clinicName_ = name;
    clinicAddress_ = address;
}

bool DataRPrint::print(QPainter& painter, QPagedPaintDevice& device, QSqlQuery& rows,
                       const std::function<bool(int drawn)>& keepGoing)
{
    rowCounter_ = 0;
    y_ = 0;
    detailCells_.clear();
    for (const Column& column : columns()) {
        detailCells_.emplace_back(CellStyle{detailFont_, column.alignment, Qt::RightToLeft},
                                  QSizeF(column.fieldWidth - 2 * Padding, DetailHeight));
    }
    placeOnPage(painter, device);
    drawReportHeader(painter);
    drawPageHeader(painter);
    while (rows.next()) {
        if (!ensureRoom(painter, device, DetailHeight))
            return false;
        drawDetail(painter, rows);
        if (keepGoing && !keepGoing(rowCounter_))
            return false;
    }
    if (!ensureRoom(painter, device, ReportFooterHeight))
        return false;
    drawReportFooter(painter);
    return true;
}

// Twips become device pixels; a page narrower than the report shrinks it to fit, a wider one
// centres it.
void DataRPrint::placeOnPage(QPainter& painter, const QPagedPaintDevice& device)
{
    const QRect paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double twipsToPixels = device.logicalDpiX() / TwipsPerInch;
    const double pageWidth = paintRect.width() / twipsToPixels;
    const double fit = qMin(1.0, pageWidth / ReportWidth);
    const double scale = twipsToPixels * fit;
    painter.resetTransform();
    painter.translate(qMax(0.0, (paintRect.width() - ReportWidth * scale) / 2), 0);
    painter.scale(scale, device.logicalDpiY() / TwipsPerInch * fit);
    pageHeight_ =
        static_cast<int>(paintRect.height() / (device.logicalDpiY() / TwipsPerInch * fit));
}

// Starts a new page, headed by the column headings, when the next section does not fit.
bool DataRPrint::ensureRoom(QPainter& painter, QPagedPaintDevice& device, int height)
{
    if (y_ + height <= pageHeight_)
        return true;
    if (!device.newPage())
        return false;
    y_ = 0;
    drawPageHeader(painter);
    return true;
}

void DataRPrint::drawReportHeader(QPainter& painter)
{
    painter.fillRect(QRect(0, y_, ReportWidth, 1827), QColor(192, 192, 192));
    drawText(painter, {1386, 6105}, y_ + 189, 510, clinicName_, clinicFont_, Qt::AlignCenter,
             Qt::RightToLeft);
    drawText(painter, {1449, 6105}, y_ + 882, 510,
             Questionnaires::geriatricDepression().reportTitle, titleFont_, Qt::AlignCenter,
             Qt::LeftToRight);
    y_ += ReportHeaderHeight;
}

void DataRPrint::drawPageHeader(QPainter& painter)
{
    painter.fillRect(QRect(0, y_, ReportWidth, 504), QColor(224, 224, 224));
    for (const Column& column : columns()) {
        drawText(painter, {column.headingLeft, column.headingWidth}, y_, PageHeaderHeight,
                 column.heading, headingFont_, Qt::AlignCenter, Qt::LeftToRight);
    }
    drawRules(painter, y_, PageHeaderHeight, true);
    y_ += PageHeaderHeight;
}

QString DataRPrint::myf_Format()
{
    ++rowCounter_;
    return QString::number(rowCounter_);
}

void DataRPrint::drawDetail(QPainter& painter, const QSqlQuery& row)
{
    const QList<Column>& table = columns();
    for (int i = 0; i < table.size(); ++i) {
        const QString value = i == 0 ? myf_Format() : row.value(i).toString();
        detailCells_[static_cast<std::size_t>(i)].draw(
            painter, QPointF(table[i].fieldLeft + Padding, y_), value);
    }
    drawRules(painter, y_, DetailHeight, false);
    y_ += DetailHeight;
}

void DataRPrint::drawReportFooter(QPainter& painter)
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;
    y_ += 40;
    drawText(painter, {8945, 555}, y_, ReportFooterHeight, QStringLiteral(":آدرس"), headingFont_,
             right, Qt::LeftToRight);
    drawText(painter, {3906, 5040}, y_, ReportFooterHeight, clinicAddress_, detailFont_, right,
             Qt::RightToLeft);
    const QString credit = QStringLiteral("تهیه‌شده با Senvora در ") +
                           SolarHijriDate(QDateTime::currentDateTime(), 0);
    drawText(painter, {252, 4164}, y_, ReportFooterHeight, credit, detailFont_, Qt::AlignCenter,
             Qt::RightToLeft);
    y_ += ReportFooterHeight;
}

void DataRPrint::drawRules(QPainter& painter, int top, int height, bool withTop)
{
    QVarLengthArray<QLine, 10> lines;
    for (int x : ruleLines())
        lines.append(QLine(x, top, x, top + height));
    if (withTop)
        lines.append(QLine(0, top, ReportWidth, top));
    lines.append(QLine(0, top + height, ReportWidth, top + height));
    painter.setPen(QPen(Qt::black, 10));
    painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
}

// The designed captions keep the left-to-right reading they were laid out in (":آدرس" reads
// as the caption of the address to its left); entered data reads right to left. A text wider
// than its field is set smaller, and cut short only when even that does not fit.
void DataRPrint::drawText(QPainter& painter, Cell cell, int top, int height, const QString& text,
                          const QFont& font, Qt::Alignment alignment, Qt::LayoutDirection direction)
{
    drawCellText(painter, QRectF(cell.left + Padding, top, cell.width - 2 * Padding, height), text,
                 {font, alignment, direction});
}
