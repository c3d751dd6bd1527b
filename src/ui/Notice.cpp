#include "ui/Notice.h"

namespace Notice {

QMessageBox::StandardButton ask(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, owner);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void tell(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    ask(owner, icon, title, text, QMessageBox::Ok);
}

void tell(QWidget* owner, const Message& message)
{
    if (!message.isEmpty())
        tell(owner, message.icon, message.title, message.text);
}

void warn(QWidget* owner, const QString& text)
{
    tell(owner, QMessageBox::Warning, ErrorTitle, text);
}

} // namespace Notice
