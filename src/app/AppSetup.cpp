// Application-wide start-up: right-to-left layout, the Persian interface font, Qt's own
// Persian translation, owner-only files and the box for failures of the databases. Runs when the
// QApplication is created, in our program and in every program that links the core.

#include "ui/DataFailureBox.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <sys/stat.h>

namespace {

void setUpApplication()
{
    ::umask(0077); // databases, backups and reports are readable by their owner only
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    DataFailureBox::install();
    QApplication::setLayoutDirection(Qt::RightToLeft);
    QApplication::setApplicationName(QStringLiteral("Senvora"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setOrganizationName(QStringLiteral("Senvora"));

    QFont font;
    font.setFamilies({QStringLiteral("B Nazanin"), QStringLiteral("Nazli"),
                      QStringLiteral("Noto Naskh Arabic")});
    font.setPointSize(12);
    font.setBold(true);
    QApplication::setFont(font);

    QLocale::setDefault(QLocale(QLocale::Persian, QLocale::Iran));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_fa"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(setUpApplication)
