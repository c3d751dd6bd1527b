#pragma once

#include "export/ExportTable.h"
#include "export/ExportWriter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;

// What to export: the file type, the group (or every group) and, when ticked, the first and
// last day of the administrations, picked on the Solar Hijri calendar.
class ExportDialog : public QDialog
{
    Q_OBJECT

  public:
    // group: the group to offer first; any text that names no group offers every group.
    explicit ExportDialog(const QString& group, QWidget* parent = nullptr);

    ExportWriter::Format format() const;
    ExportTable::Filter filter() const;

  private:
    QDateEdit* dayPicker(const QString& name);
    void addDayRow(class QFormLayout* form, const QString& caption, const QString& name,
                   QCheckBox** tick, QDateEdit** picker);

    QComboBox* format_ = nullptr;
    QComboBox* group_ = nullptr;
    QCheckBox* fromTick_ = nullptr;
    QCheckBox* toTick_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
};

// The export from the code finder: the choices above, a save dialog, the rows written in
// slices under a progress bar the user can cancel, and a notice with the row count and the path
// (or the reason it failed).
namespace ExportFlow {
void run(QWidget* owner, const QString& group);
}
