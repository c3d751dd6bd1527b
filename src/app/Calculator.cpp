#include "app/Calculator.h"

#include "ui/Notice.h"

#include <QProcess>
#include <QStandardPaths>

namespace Calculator {

static QString findProgram()
{
#ifdef Q_OS_WIN
    return QStandardPaths::findExecutable(QStringLiteral("calc.exe"));
#else
    for (const char* name :
         {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path;
    }
    return {};
#endif
}

void start(QWidget* owner)
{
    const QString program = findProgram();
    if (!program.isEmpty() && QProcess::startDetached(program, {}))
        return;
    Notice::warn(
        owner,
        QStringLiteral(
            "ماشین حساب در این رایانه نصب نیست یا اجرا نشد.\n"
            "یکی از برنامه‌های ماشین حساب (مانند gnome-calculator) را نصب "
            "کنید."));
}

} // namespace Calculator
