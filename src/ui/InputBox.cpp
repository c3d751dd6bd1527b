#include "ui/InputBox.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QStyle>

namespace {

// The room a title bar keeps beside its title for the window's icon and buttons.
constexpr int titleBarButtons = 120;

} // namespace

QString inputBox(QWidget* owner, const QString& title, const QString& prompt)
{
    QInputDialog box(owner);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    // The box sizes itself to its contents: the typing line is made wide enough for the title.
    const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
    const int need = titleFont.horizontalAdvance(title) + titleBarButtons;
    if (auto* line = box.findChild<QLineEdit*>()) {
        const int margins = box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin) +
                            box.style()->pixelMetric(QStyle::PM_LayoutRightMargin);
        line->setMinimumWidth(need - margins);
    }
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
