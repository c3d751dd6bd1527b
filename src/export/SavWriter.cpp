#include "export/SavWriter.h"

#include "export/CellText.h"

#include <readstat.h>

namespace {

// The longest string SPSS stores.
constexpr int MaxStringBytes = 32767;

ssize_t writeBytes(const void* bytes, size_t length, void* context)
{
    auto* writer = static_cast<SavWriter*>(context);
    return writer->append(bytes, static_cast<qint64>(length)) ? static_cast<ssize_t>(length) : -1;
}

} // namespace

SavWriter::~SavWriter()
{
    if (writer_)
        readstat_writer_free(writer_);
}

bool SavWriter::append(const void* bytes, qint64 length)
{
    return file_.write(static_cast<const char*>(bytes), length) == length;
}

bool SavWriter::check(int status)
{
    if (status == READSTAT_OK)
        return true;
    const QString reason =
        file_.error() != QFileDevice::NoError
            ? file_.errorString()
            : QString::fromUtf8(readstat_error_message(static_cast<readstat_error_t>(status)));
    return fail(reason);
}

void SavWriter::addVariables(const QList<int>& widths)
{
    using Kind = ExportTable::Kind;
    const QList<ExportTable::Column>& columns = ExportTable::columns();
    for (int i = 0; i < columns.size(); ++i) {
        const ExportTable::Column& column = columns.at(i);
        const bool text = column.kind == Kind::Text;
        const int width =
            text ? std::clamp(i < widths.size() ? widths.at(i) : 1, 1, MaxStringBytes) : 0;
        widths_ << width;
        readstat_variable_t* variable = readstat_add_variable(
            writer_, column.name.toLatin1().constData(),
            text ? READSTAT_TYPE_STRING : READSTAT_TYPE_DOUBLE, static_cast<size_t>(width));
        readstat_variable_set_label(variable, column.label.toUtf8().constData());
        if (!text) {
            readstat_variable_set_format(variable, "F8.0");
            readstat_variable_set_measure(variable, column.values.isEmpty()
                                                        ? READSTAT_MEASURE_SCALE
                                                        : READSTAT_MEASURE_NOMINAL);
        }
        if (!column.values.isEmpty()) {
            readstat_label_set_t* labels = readstat_add_label_set(
                writer_, READSTAT_TYPE_DOUBLE,
                (QStringLiteral("labels_") + column.name).toLatin1().constData());
            for (const ExportTable::ValueLabel& value : column.values)
                readstat_label_double_value(labels, value.value, value.text.toUtf8().constData());
            readstat_variable_set_label_set(variable, labels);
        }
        variables_ << variable;
    }
}

bool SavWriter::begin(const QString& path, int rowCount, const QList<int>& widths)
{
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file_.errorString());
    writer_ = readstat_writer_init();
    if (!writer_)
        return fail(QStringLiteral("the statistics file could not be started"));
    readstat_set_data_writer(writer_, writeBytes);
    readstat_writer_set_compression(writer_, READSTAT_COMPRESS_ROWS);
    addVariables(widths);
    return check(readstat_begin_writing_sav(writer_, this, rowCount));
}

bool SavWriter::write(const ExportTable::Row& row)
{
    using Kind = ExportTable::Kind;
    const QList<ExportTable::Column>& columns = ExportTable::columns();
    if (!check(readstat_begin_row(writer_)))
        return false;
    for (int i = 0; i < columns.size(); ++i) {
        const ExportTable::Column& column = columns.at(i);
        const QString text = i < row.size() ? row.at(i) : QString();
        readstat_variable_t* variable = variables_.at(i);
        int status = READSTAT_OK;
        if (column.kind == Kind::Text) {
            status = readstat_insert_string_value(
                writer_, variable, CellText::boundedUtf8(text, widths_.at(i)).constData());
        } else if (column.kind == Kind::Coded) {
            const int code = ExportTable::codeOf(column, text);
            status = code < 0 ? readstat_insert_missing_value(writer_, variable)
                              : readstat_insert_double_value(writer_, variable, code);
        } else if (const auto number = CellText::wholeNumber(text)) {
            status = readstat_insert_double_value(writer_, variable, *number);
        } else {
            status = readstat_insert_missing_value(writer_, variable);
        }
        if (!check(status))
            return false;
    }
    return check(readstat_end_row(writer_));
}

bool SavWriter::end()
{
    if (!check(readstat_end_writing(writer_)))
        return false;
    if (!file_.flush())
        return fail(file_.errorString());
    file_.close();
    return file_.error() == QFileDevice::NoError || fail(file_.errorString());
}
