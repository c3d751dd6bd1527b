// Pictures every screen, panel and box in three themes into the folder given as the first
// argument, one PNG each, for looking the layout over. The display scale factor is the
// environment's (QT_SCALE_FACTOR); it is part of each file name.

#include "appearance/ThemeFiles.h"
#include "support/ScreenCatalogue.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QRegularExpression>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: helper_screenshots FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    TestHome home;
    ThemeFiles::installMissing(home.path());
    ScreenCatalogue::seed();
    int failed = 0;
    for (const int theme : {1, 3, 7}) {
        Fixture::setSetting(QStringLiteral("TH"), QString::number(theme));
        for (const ScreenCatalogue::Entry& entry : ScreenCatalogue::entries()) {
            QString name = entry.name;
            name.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
            const QString file =
                folder.filePath(QStringLiteral("theme%1-x%2-%3.png").arg(theme).arg(scale, name));
            entry.run([&](QWidget* window) {
                if (!window->grab().save(file))
                    ++failed;
            });
        }
    }
    std::printf("pictures in %s\n", qPrintable(folder.absolutePath()));
    return failed == 0 ? 0 : 1;
}
