#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The screens' message boxes: every box is modal over its owner and returns when closed.
// The timed notice ("پيام", closing itself) is TimedMessage, built on the same box.
namespace Notice {

inline const QString ErrorTitle = QStringLiteral("خطا");

// What a box says, for code that finds a problem and leaves telling it to the screen.
struct Message
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text; // empty when there is nothing to tell

    bool isEmpty() const { return text.isEmpty(); }
};

// A box with the given buttons; returns the button that closed it.
QMessageBox::StandardButton ask(QWidget* owner, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A box with one OK button.
void tell(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text);

// A box with one OK button showing the message; nothing when the message is empty.
void tell(QWidget* owner, const Message& message);

// A warning titled "خطا" with one OK button.
void warn(QWidget* owner, const QString& text);

} // namespace Notice

// Notices that several screens show.
namespace NoticeText {
inline const QString CodeMissing = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
inline const QString NoSuchSubject = QStringLiteral("فردي با اين مشخصات وجود ندارد");
inline const QString NotANumber = QStringLiteral("شما بايد عدد وارد كنيد");
} // namespace NoticeText
