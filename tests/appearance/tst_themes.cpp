#include "app/Frm1.h"
#include "appearance/ApplyTheme.h"
#include "appearance/ThemeFiles.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

class TestThemes : public QObject
{
    Q_OBJECT

  private slots:
    void numberSelectsThemeFile_data();
    void numberSelectsThemeFile();
    void everyThemeFileIsAStyleSheetOfItsOwn();
    void unusableThemeFileLeavesWindowUnthemedButWorking_data();
    void unusableThemeFileLeavesWindowUnthemedButWorking();
    void themeFileUpToTheSizeCapIsLoaded();
    void installLeavesExistingFilesAlone();

  private:
    static QString contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

void TestThemes::numberSelectsThemeFile_data()
{
    QTest::addColumn<QString>("thText");
    QTest::addColumn<bool>("backupTable");
    QTest::addColumn<QString>("file");
    const auto row = [](const char* name, const QString& th, bool backup, const QString& file) {
        QTest::newRow(name) << th << backup << file;
    };
    row("1", QStringLiteral("1"), false, QStringLiteral("chizh.skn"));
    row("2", QStringLiteral("2"), false, QStringLiteral("Green.skn"));
    row("4", QStringLiteral("4"), false, QStringLiteral("_temp.skn"));
    row("5", QStringLiteral("5"), false, QStringLiteral("B-Studio.skn"));
    row("6", QStringLiteral("6"), false, QStringLiteral("Mac.skn"));
    row("7 standard", QStringLiteral("7"), false, QStringLiteral("O-Universe.skn"));
    row("7 backup", QStringLiteral("7"), true, QStringLiteral("Zippo.skn"));
    row("8", QStringLiteral("8"), false, QStringLiteral("metallic.skn"));
    row("8 backup", QStringLiteral("8"), true, QStringLiteral("metallic.skn"));
    row("9", QStringLiteral("9"), false, QStringLiteral("Paper.skn"));
    row("10", QStringLiteral("10"), false, QStringLiteral("winaqua.skn"));
    row("11", QStringLiteral("11"), false, QStringLiteral("office2007.skn"));
    row("11 backup", QStringLiteral("11"), true, QStringLiteral("office2007.skn"));
    row("leading numeral 3abc", QStringLiteral("3abc"), false, QStringLiteral("galaxy.skn"));
    row("leading blanks", QStringLiteral("  9"), false, QStringLiteral("Paper.skn"));
    row("7.0 equals 7", QStringLiteral("7.0"), false, QStringLiteral("O-Universe.skn"));
    row("0", QStringLiteral("0"), false, QString());
    row("12", QStringLiteral("12"), false, QString());
    row("8.5", QStringLiteral("8.5"), false, QString());
    row("negative", QStringLiteral("-3"), false, QString());
    row("empty", QString(), false, QString());
    row("empty backup", QString(), true, QString());
    row("letters first", QStringLiteral("x3"), false, QString());
}

void TestThemes::numberSelectsThemeFile()
{
    QFETCH(QString, thText);
    QFETCH(bool, backupTable);
    QFETCH(QString, file);
    TestHome home;
    ThemeFiles::installMissing(home.path());
    const ThemeTable table = backupTable ? ThemeTable::Backup : ThemeTable::Standard;
    QCOMPARE(ThemeFileFor(thText, table), file);

    QWidget window;
    window.setStyleSheet(QStringLiteral("QWidget { color: red; }")); // replaced in every case
    ApplyTheme(&window, thText, table);
    QCOMPARE(window.property("themeFile").toString(), file);
    QCOMPARE(window.styleSheet(), file.isEmpty() ? QString() : contents(home.file(file)));
}

// Each theme file kept with the program is a style sheet that Qt reads without complaint and
// that gives the main window a look of its own, unlike the others and unlike no theme.
void TestThemes::everyThemeFileIsAStyleSheetOfItsOwn()
{
    const QStringList expected{QStringLiteral("chizh.skn"),      QStringLiteral("Green.skn"),
                               QStringLiteral("galaxy.skn"),     QStringLiteral("_temp.skn"),
                               QStringLiteral("B-Studio.skn"),   QStringLiteral("Mac.skn"),
                               QStringLiteral("O-Universe.skn"), QStringLiteral("Zippo.skn"),
                               QStringLiteral("metallic.skn"),   QStringLiteral("Paper.skn"),
                               QStringLiteral("winaqua.skn"),    QStringLiteral("office2007.skn")};
    QStringList found;
    for (QDirIterator it(QStringLiteral(":/themes"), QDir::Files); it.hasNext();)
        found << QFileInfo(it.next()).fileName();
    QCOMPARE(QSet<QString>(found.begin(), found.end()),
             QSet<QString>(expected.begin(), expected.end()));

    TestHome home;
    ThemeFiles::installMissing(home.path());
    QTest::failOnWarning(
        QRegularExpression(QStringLiteral("parse"), QRegularExpression::CaseInsensitiveOption));
    const auto pictureOf = [](const QString& sheet) {
        Frm1 window;
        window.setStyleSheet(sheet);
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command9")),
                          Qt::LeftButton);
        const QImage picture = window.grab().toImage();
        return QCryptographicHash::hash(QByteArrayView(picture.constBits(), picture.sizeInBytes()),
                                        QCryptographicHash::Sha1);
    };
    Fixture::setSetting(QStringLiteral("TH"), QStringLiteral("0")); // windows open unthemed
    QSet<QByteArray> looks{pictureOf(QString())};
    for (const QString& name : expected)
        looks.insert(pictureOf(contents(home.file(name))));
    QCOMPARE(looks.size(), expected.size() + 1); // each its own look, none left unthemed
}

void TestThemes::unusableThemeFileLeavesWindowUnthemedButWorking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray rule("QWidget { color: red; }\n");
    QTest::newRow("missing") << "missing" << QByteArray();
    QTest::newRow("empty") << "file" << QByteArray();
    QTest::newRow("binary file of another program") << "file" << QByteArray("SKN\0\x01\x02\xff", 7);
    QTest::newRow("one byte over the size cap")
        << "file" << rule.repeated(ThemeFiles::maximumSize / rule.size() + 1);
    QTest::newRow("50 MB style sheet") << "file" << rule.repeated(50 * 1024 * 1024 / rule.size());
    QTest::newRow("named pipe") << "fifo" << QByteArray();
    QTest::newRow("link to /dev/zero") << "link" << QByteArray("/dev/zero");
    QTest::newRow("link to /dev/urandom") << "link" << QByteArray("/dev/urandom");
    QTest::newRow("dangling link") << "link" << QByteArray("/nonexistent/theme.skn");
    QTest::newRow("folder") << "folder" << QByteArray();
}

// Whatever stands in the theme file's place, the window opens at once, unthemed and working;
// a pipe with no writer would block a plain open for ever, a device would be read without end.
void TestThemes::unusableThemeFileLeavesWindowUnthemedButWorking()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, bytes);
    TestHome home;
    ThemeFiles::installMissing(home.path());
    const QString path = home.file(QStringLiteral("Green.skn"));
    QFile::remove(path);
    if (kind == QLatin1String("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    } else if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(QString::fromUtf8(bytes), path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path));
    }
    Fixture::setSetting(QStringLiteral("TH"), QStringLiteral("2"));
    Frm1 window;
    window.show();
    QCOMPARE(window.property("themeFile").toString(), QString());
    QCOMPARE(window.styleSheet(), QString());
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command9")), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command68")), Qt::LeftButton);
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("Frame6"))->isVisible());
}

// The size cap leaves room for any real theme: one of exactly the cap's size is loaded.
void TestThemes::themeFileUpToTheSizeCapIsLoaded()
{
    TestHome home;
    const QByteArray rule("QWidget { color: red; }\n");
    QByteArray sheet = rule.repeated(ThemeFiles::maximumSize / rule.size());
    sheet.append(ThemeFiles::maximumSize - sheet.size(), ' ');
    QFile file(home.file(QStringLiteral("Mac.skn")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(sheet), ThemeFiles::maximumSize);
    file.close();
    QWidget window;
    ApplyTheme(&window, QStringLiteral("6"));
    QCOMPARE(window.property("themeFile").toString(), QStringLiteral("Mac.skn"));
    QCOMPARE(window.styleSheet().size(), ThemeFiles::maximumSize);
}

void TestThemes::installLeavesExistingFilesAlone()
{
    TestHome home;
    const QString path = home.file(QStringLiteral("Mac.skn"));
    {
        QFile own(path);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("QWidget { color: navy; }");
    }
    ThemeFiles::installMissing(home.path());
    QCOMPARE(contents(path), QStringLiteral("QWidget { color: navy; }"));
    QVERIFY(QFile::exists(home.file(QStringLiteral("Zippo.skn"))));
}

QTEST_MAIN(TestThemes)
#include "tst_themes.moc"
