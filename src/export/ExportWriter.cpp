#include "export/ExportWriter.h"

#include "export/CsvWriter.h"
#include "export/SavWriter.h"
#include "export/XlsxWriter.h"

#include <QFileInfo>

std::optional<ExportWriter::Format> ExportWriter::formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        return Format::Csv;
    if (suffix == QLatin1String("xlsx"))
        return Format::Xlsx;
    if (suffix == QLatin1String("sav"))
        return Format::Sav;
    return std::nullopt;
}

std::unique_ptr<ExportWriter> ExportWriter::make(Format format)
{
    switch (format) {
    case Format::Csv:
        return std::make_unique<CsvWriter>();
    case Format::Xlsx:
        return std::make_unique<XlsxWriter>();
    case Format::Sav:
        return std::make_unique<SavWriter>();
    }
    return nullptr;
}
