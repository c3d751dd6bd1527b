#include "ui/DataFailureBox.h"

#include "data/DataFailure.h"
#include "ui/Notice.h"

#include <QApplication>
#include <QPointer>

namespace DataFailureBox {

void show(const QString& text)
{
    // The box may outlive the window it is shown over (a window closed meanwhile takes its
    // children with it): it is held by a guard, never owned by this frame.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Critical, Notice::ErrorTitle, text,
                                                QMessageBox::Ok, QApplication::activeWindow());
    box->exec();
    delete box.data();
}

void install()
{
    DataFailure::setHandler(&show);
}

} // namespace DataFailureBox
