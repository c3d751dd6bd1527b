#include "export/ExportReaders.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <readstat.h>

namespace ExportReaders {

namespace {

QByteArray runTool(const QString& program, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ") +
                 QString::fromUtf8(process.readAllStandardError());
        return {};
    }
    return process.readAllStandardOutput();
}

// Excel's escape of characters XML cannot carry: _xHHHH_.
QString unescapeXlsx(const QString& text)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    auto it = escape.globalMatch(text);
    while (it.hasNext()) {
        const auto match = it.next();
        out += text.mid(last, match.capturedStart() - last);
        out += QChar(match.captured(1).toUShort(nullptr, 16));
        last = match.capturedEnd();
    }
    return out + text.mid(last);
}

int columnIndex(const QString& reference)
{
    int index = 0;
    for (QChar c : reference) {
        if (!c.isLetter())
            break;
        index = index * 26 + (c.toLatin1() - 'A' + 1);
    }
    return index - 1;
}

int rowIndex(const QString& reference)
{
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    return digits.match(reference).captured().toInt() - 1;
}

QStringList sharedStrings(const QString& path)
{
    QString ignored;
    QXmlStreamReader xml(
        runTool(QStringLiteral("unzip"),
                {QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")}, &ignored));
    QStringList strings;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            strings << QString();
        else if (xml.isStartElement() && xml.name() == QLatin1String("t"))
            strings.last() += unescapeXlsx(xml.readElementText());
    }
    return strings;
}

// Whether the cell format numbered index uses a bold font.
bool boldFormat(const QString& path, int index)
{
    QString error;
    QXmlStreamReader xml(runTool(QStringLiteral("unzip"),
                                 {QStringLiteral("-p"), path, QStringLiteral("xl/styles.xml")},
                                 &error));
    QList<bool> fontBold;
    QList<int> formatFont;
    QString section;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("fonts") || xml.name() == QLatin1String("cellXfs") ||
            xml.name() == QLatin1String("cellStyleXfs"))
            section = xml.name().toString();
        else if (section == QLatin1String("fonts") && xml.name() == QLatin1String("font"))
            fontBold << false;
        else if (section == QLatin1String("fonts") && xml.name() == QLatin1String("b"))
            fontBold.last() = true;
        else if (section == QLatin1String("cellXfs") && xml.name() == QLatin1String("xf"))
            formatFont << xml.attributes().value(QLatin1String("fontId")).toInt();
    }
    return index < formatFont.size() && formatFont.at(index) < fontBold.size() &&
           fontBold.at(formatFont.at(index));
}

} // namespace

QList<QStringList> parseCsv(const QString& text, const QString& lineEnd, QString* error)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool fieldStarted = false;
    while (i < n) {
        if (!fieldStarted && text.at(i) == QLatin1Char('"')) {
            ++i;
            for (;;) {
                if (i >= n) {
                    *error = QStringLiteral("unterminated quoted field");
                    return {};
                }
                if (text.at(i) == QLatin1Char('"')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text.at(i++);
            }
            fieldStarted = true;
            if (i < n && text.at(i) != QLatin1Char(',') && !text.mid(i).startsWith(lineEnd)) {
                *error = QStringLiteral("text after a closing quote at %1").arg(i);
                return {};
            }
            continue;
        }
        if (text.at(i) == QLatin1Char(',')) {
            record << field;
            field.clear();
            fieldStarted = false;
            ++i;
        } else if (text.mid(i).startsWith(lineEnd)) {
            record << field;
            records << record;
            record.clear();
            field.clear();
            fieldStarted = false;
            i += lineEnd.size();
        } else if (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\n') ||
                   text.at(i) == QLatin1Char('\r')) {
            *error = QStringLiteral("bare quote or line break at %1").arg(i);
            return {};
        } else {
            field += text.at(i++);
            fieldStarted = true;
        }
    }
    if (fieldStarted || !record.isEmpty()) {
        *error = QStringLiteral("the last record has no line end");
        return {};
    }
    return records;
}

Sheet readXlsx(const QString& path, QString* error)
{
    Sheet sheet;
    const QByteArray xmlBytes =
        runTool(QStringLiteral("unzip"),
                {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")}, error);
    if (xmlBytes.isEmpty())
        return sheet;
    const QStringList shared = sharedStrings(path);
    QXmlStreamReader xml(xmlBytes);
    int headerStyle = -1;
    int width = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto attributes = xml.attributes();
        if (xml.name() == QLatin1String("sheetView")) {
            sheet.rightToLeft =
                attributes.value(QLatin1String("rightToLeft")) == QLatin1String("1");
        } else if (xml.name() == QLatin1String("pane")) {
            sheet.headerFrozen =
                attributes.value(QLatin1String("state")) == QLatin1String("frozen") &&
                attributes.value(QLatin1String("ySplit")) == QLatin1String("1");
        } else if (xml.name() == QLatin1String("f")) {
            sheet.hasFormula = true;
        } else if (xml.name() == QLatin1String("c")) {
            const QString reference = attributes.value(QLatin1String("r")).toString();
            const QString type = attributes.value(QLatin1String("t")).toString();
            const int row = rowIndex(reference);
            const int column = columnIndex(reference);
            if (row == 0 && column == 0)
                headerStyle = attributes.value(QLatin1String("s")).toInt();
            QString value;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("c")) && !xml.atEnd()) {
                xml.readNext();
                if (xml.isStartElement() && xml.name() == QLatin1String("f"))
                    sheet.hasFormula = true;
                else if (xml.isStartElement() &&
                         (xml.name() == QLatin1String("t") || xml.name() == QLatin1String("v")))
                    value += xml.readElementText();
            }
            if (type == QLatin1String("s"))
                value = shared.value(value.toInt());
            else if (type == QLatin1String("inlineStr") || type == QLatin1String("str"))
                value = unescapeXlsx(value);
            else if (type.isEmpty() || type == QLatin1String("n"))
                sheet.numbers.insert({row, column});
            while (sheet.cells.size() <= row)
                sheet.cells << QStringList();
            QStringList& cells = sheet.cells[row];
            while (cells.size() <= column)
                cells << QString();
            cells[column] = type == QLatin1String("inlineStr") || type == QLatin1String("s")
                                ? value
                                : unescapeXlsx(value);
            width = std::max(width, column + 1);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    for (QStringList& cells : sheet.cells) {
        while (cells.size() < width)
            cells << QString();
    }
    sheet.headerBold = headerStyle > 0 && boldFormat(path, headerStyle);
    return sheet;
}

QList<QStringList> readSav(const QString& path, QString* error)
{
    const QByteArray csv = runTool(QStringLiteral("readstat"), {path, QStringLiteral("-")}, error);
    if (!error->isEmpty())
        return {};
    return parseCsv(QString::fromUtf8(csv), QStringLiteral("\n"), error);
}

QString savSummary(const QString& path)
{
    QString error;
    return QString::fromUtf8(runTool(QStringLiteral("readstat"), {path}, &error)) + error;
}

namespace {

struct Dictionary
{
    QList<SavVariable> variables;
    QStringList labelSets; // the value-label set of each variable
    QMap<QString, QMap<double, QString>> sets;
};

int onVariable(int, readstat_variable_t* variable, const char* labelSet, void* context)
{
    auto* dictionary = static_cast<Dictionary*>(context);
    dictionary->variables.append({QString::fromUtf8(readstat_variable_get_name(variable)),
                                  QString::fromUtf8(readstat_variable_get_label(variable)),
                                  readstat_variable_get_type(variable) != READSTAT_TYPE_STRING,
                                  {}});
    dictionary->labelSets << QString::fromUtf8(labelSet ? labelSet : "");
    return READSTAT_HANDLER_OK;
}

int onValueLabel(const char* labelSet, readstat_value_t value, const char* label, void* context)
{
    auto* dictionary = static_cast<Dictionary*>(context);
    dictionary->sets[QString::fromUtf8(labelSet)].insert(readstat_double_value(value),
                                                         QString::fromUtf8(label));
    return READSTAT_HANDLER_OK;
}

} // namespace

QList<SavVariable> savDictionary(const QString& path, QString* error)
{
    Dictionary dictionary;
    readstat_parser_t* parser = readstat_parser_init();
    readstat_set_variable_handler(parser, onVariable);
    readstat_set_value_label_handler(parser, onValueLabel);
    const readstat_error_t status =
        readstat_parse_sav(parser, QFile::encodeName(path).constData(), &dictionary);
    readstat_parser_free(parser);
    if (status != READSTAT_OK) {
        *error = QString::fromUtf8(readstat_error_message(status));
        return {};
    }
    for (int i = 0; i < dictionary.variables.size(); ++i)
        dictionary.variables[i].valueLabels = dictionary.sets.value(dictionary.labelSets.at(i));
    return dictionary.variables;
}

} // namespace ExportReaders
