#include "export/XlsxWriter.h"

#include "export/CellText.h"

#include <xlsxwriter.h>

namespace {

// The longest text a cell holds, in UTF-8 bytes here; a longer one is cut.
constexpr int MaxCellBytes = 32767;

QString reasonOf(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

} // namespace

XlsxWriter::~XlsxWriter()
{
    // An unfinished workbook is closed into its (abandoned) file so that its memory is freed.
    if (workbook_)
        workbook_close(workbook_);
}

bool XlsxWriter::begin(const QString& path, int, const QList<int>&)
{
    const QByteArray file = path.toLocal8Bit();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    workbook_ = workbook_new_opt(file.constData(), &options);
    if (!workbook_)
        return fail(QStringLiteral("the workbook could not be started"));
    sheet_ = workbook_add_worksheet(workbook_, nullptr);
    bold_ = workbook_add_format(workbook_);
    if (!sheet_ || !bold_)
        return fail(QStringLiteral("the worksheet could not be started"));
    format_set_bold(bold_);
    worksheet_right_to_left(sheet_);
    worksheet_freeze_panes(sheet_, 1, 0);
    const QStringList names = ExportTable::columnNames();
    for (int column = 0; column < names.size(); ++column) {
        if (!writeText(column, names.at(column), bold_))
            return false;
    }
    row_ = 1;
    return true;
}

bool XlsxWriter::write(const ExportTable::Row& row)
{
    const QList<ExportTable::Column>& columns = ExportTable::columns();
    for (int column = 0; column < row.size() && column < columns.size(); ++column) {
        if (!writeCell(column, columns.at(column), row.at(column)))
            return false;
    }
    ++row_;
    return true;
}

bool XlsxWriter::writeCell(int column, const ExportTable::Column& kind, const QString& text)
{
    if (text.isEmpty())
        return true;
    using Kind = ExportTable::Kind;
    if (kind.kind == Kind::Number || kind.kind == Kind::Answer) {
        if (const auto number = CellText::wholeNumber(text)) {
            const lxw_error error =
                worksheet_write_number(sheet_, static_cast<lxw_row_t>(row_),
                                       static_cast<lxw_col_t>(column), *number, nullptr);
            return error == LXW_NO_ERROR || fail(reasonOf(error));
        }
    }
    return writeText(column, text, nullptr);
}

bool XlsxWriter::writeText(int column, const QString& text, lxw_format* format)
{
    const QByteArray bytes = CellText::boundedUtf8(text, MaxCellBytes);
    const lxw_error error =
        worksheet_write_string(sheet_, static_cast<lxw_row_t>(row_), static_cast<lxw_col_t>(column),
                               bytes.constData(), format);
    return error == LXW_NO_ERROR || fail(reasonOf(error));
}

bool XlsxWriter::end()
{
    lxw_workbook* workbook = workbook_;
    workbook_ = nullptr;
    const lxw_error error = workbook_close(workbook);
    return error == LXW_NO_ERROR || fail(reasonOf(error));
}
