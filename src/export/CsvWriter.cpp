#include "export/CsvWriter.h"

#include "export/CellText.h"

namespace {

QString field(const QString& text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    QString value = CellText::neutralised(text);
    if (std::none_of(value.cbegin(), value.cend(), [](QChar c) { return special.contains(c); }))
        return value;
    value.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + value + QLatin1Char('"');
}

} // namespace

bool CsvWriter::begin(const QString& path, int, const QList<int>&)
{
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file_.errorString());
    if (file_.write("\xEF\xBB\xBF") != 3)
        return fail(file_.errorString());
    return writeLine(ExportTable::columnNames());
}

bool CsvWriter::write(const ExportTable::Row& row)
{
    return writeLine(row);
}

bool CsvWriter::writeLine(const QStringList& fields)
{
    QStringList line;
    line.reserve(fields.size());
    for (const QString& text : fields)
        line << field(text);
    const QByteArray bytes = (line.join(QLatin1Char(',')) + QLatin1String("\r\n")).toUtf8();
    if (file_.write(bytes) != bytes.size())
        return fail(file_.errorString());
    return true;
}

bool CsvWriter::end()
{
    if (!file_.flush())
        return fail(file_.errorString());
    file_.close();
    if (file_.error() != QFileDevice::NoError)
        return fail(file_.errorString());
    return true;
}
