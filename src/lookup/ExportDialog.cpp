#include "lookup/ExportDialog.h"

#include "data/Columns.h"
#include "data/Database.h"
#include "export/ExportJob.h"
#include "ui/Notice.h"

#include <QCalendar>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QProgressDialog>
#include <QTextCharFormat>

namespace {

struct FileType
{
    ExportWriter::Format format;
    QString caption;
    QString suffix;
};

const QList<FileType>& fileTypes()
{
    static const QList<FileType> types{
        {ExportWriter::Format::Csv, QStringLiteral("CSV (.csv)"), QStringLiteral("csv")},
        {ExportWriter::Format::Xlsx, QStringLiteral("اکسل (.xlsx)"), QStringLiteral("xlsx")},
        {ExportWriter::Format::Sav, QStringLiteral("SPSS (.sav)"), QStringLiteral("sav")},
    };
    return types;
}

const FileType& typeOf(ExportWriter::Format format)
{
    for (const FileType& type : fileTypes()) {
        if (type.format == format)
            return type;
    }
    return fileTypes().constFirst();
}

// The week starts on Saturday and Friday is the weekend.
void useIranianWeek(QCalendarWidget* calendar)
{
    calendar->setFirstDayOfWeek(Qt::Saturday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    const QTextCharFormat workday = calendar->weekdayTextFormat(Qt::Monday);
    calendar->setWeekdayTextFormat(Qt::Saturday, workday);
    calendar->setWeekdayTextFormat(Qt::Sunday, workday);
    QTextCharFormat weekend = workday;
    weekend.setForeground(Qt::red);
    calendar->setWeekdayTextFormat(Qt::Friday, weekend);
}

// The file the user names in a save dialog, with the chosen type's extension; empty when the
// user cancels.
QString chooseTarget(QWidget* owner, const FileType& type)
{
    QFileDialog dialog(owner, QStringLiteral("ذخیره‌ی خروجی"));
    dialog.setObjectName(QStringLiteral("ExportFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(type.caption.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" (*.") +
                         type.suffix + QLatin1Char(')'));
    dialog.setDefaultSuffix(type.suffix);
    dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString target = dialog.selectedFiles().constFirst();
    if (ExportWriter::formatOf(target) != type.format)
        target += QLatin1Char('.') + type.suffix;
    return target;
}

// Writes the rows in slices; the progress dialog lets the event loop run between them.
bool writeRows(QWidget* owner, ExportJob& job)
{
    QProgressDialog progress(QStringLiteral("در حال نوشتن خروجی…"), QStringLiteral("انصراف"), 0,
                             std::max(job.rowCount(), 1), owner);
    progress.setObjectName(QStringLiteral("ExportProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    constexpr int Slice = 500;
    while (!job.atEnd()) {
        if (!job.writeSome(Slice)) {
            progress.reset();
            Notice::warn(owner, job.problem().persian);
            return false;
        }
        progress.setValue(std::min(job.rowsWritten(), progress.maximum() - 1));
        if (progress.wasCanceled()) {
            job.abandon();
            Notice::tell(
                owner, QMessageBox::Information, QStringLiteral("خروجی"),
                QStringLiteral("خروجی لغو شد و پرونده‌ای نوشته نشد."));
            return false;
        }
    }
    progress.reset();
    return true;
}

} // namespace

ExportDialog::ExportDialog(const QString& group, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(QStringLiteral("خروجی"));
    auto* form = new QFormLayout(this);
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("ExportFormat"));
    for (const FileType& type : fileTypes())
        format_->addItem(type.caption);
    form->addRow(QStringLiteral("نوع پرونده:"), format_);
    group_ = new QComboBox(this);
    group_->setObjectName(QStringLiteral("ExportGroup"));
    group_->addItem(QStringLiteral("همه‌ی گروه‌ها"));
    group_->addItems(subjectGroups());
    group_->setCurrentIndex(std::max(0, group_->findText(group)));
    form->addRow(QStringLiteral("گروه:"), group_);
    addDayRow(form, QStringLiteral("از تاریخ:"), QStringLiteral("ExportFrom"), &fromTick_, &from_);
    addDayRow(form, QStringLiteral("تا تاریخ:"), QStringLiteral("ExportTo"), &toTick_, &to_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("ExportButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QDateEdit* ExportDialog::dayPicker(const QString& name)
{
    auto* picker = new QDateEdit(QDate::currentDate(), this);
    picker->setObjectName(name);
    picker->setCalendar(QCalendar(QCalendar::System::Jalali));
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker->setCalendarPopup(true);
    picker->calendarWidget()->setCalendar(QCalendar(QCalendar::System::Jalali));
    useIranianWeek(picker->calendarWidget());
    picker->setEnabled(false);
    return picker;
}

// A day limit: a tick that turns it on, and the picker of the day.
void ExportDialog::addDayRow(QFormLayout* form, const QString& caption, const QString& name,
                             QCheckBox** tick, QDateEdit** picker)
{
    *tick = new QCheckBox(caption, this);
    (*tick)->setObjectName(name + QStringLiteral("On"));
    *picker = dayPicker(name);
    connect(*tick, &QCheckBox::toggled, *picker, &QWidget::setEnabled);
    form->addRow(*tick, *picker);
}

ExportWriter::Format ExportDialog::format() const
{
    return fileTypes().at(std::max(0, format_->currentIndex())).format;
}

ExportTable::Filter ExportDialog::filter() const
{
    ExportTable::Filter filter;
    if (group_->currentIndex() > 0)
        filter.group = group_->currentText();
    if (fromTick_->isChecked())
        filter.from = from_->date();
    if (toTick_->isChecked())
        filter.to = to_->date();
    return filter;
}

namespace ExportFlow {

void run(QWidget* owner, const QString& group)
{
    ExportDialog choices(group, owner);
    if (choices.exec() != QDialog::Accepted)
        return;
    const ExportTable::Filter filter = choices.filter();
    if (filter.from.isValid() && filter.to.isValid() && filter.from > filter.to) {
        Notice::warn(owner, QStringLiteral("«از تاریخ» پس از «تا تاریخ» است."));
        return;
    }
    const QString target = chooseTarget(owner, typeOf(choices.format()));
    if (target.isEmpty())
        return;
    ExportJob job;
    if (!job.start(Database::absolutePath(Database::File::Subjects), target, filter)) {
        Notice::warn(owner, job.problem().persian);
        return;
    }
    if (!writeRows(owner, job))
        return;
    if (!job.finish()) {
        Notice::warn(owner, job.problem().persian);
        return;
    }
    Notice::tell(owner, QMessageBox::Information, QStringLiteral("خروجی"),
                 QStringLiteral("%1 ردیف در «%2» نوشته شد.")
                     .arg(job.rowsWritten())
                     .arg(QDir::toNativeSeparators(target)));
}

} // namespace ExportFlow
