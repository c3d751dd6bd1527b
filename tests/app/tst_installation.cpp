#include "app/ProgramFolder.h"
#include "appearance/ThemeFiles.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The program as installed: its command line, its program folder and theme defaults when it
// runs from a bin/ folder of its own, and the icon files that are installed with it.
class TestInstallation : public QObject
{
    Q_OBJECT

  private slots:
    void commandLine_data();
    void commandLine();
    void installedProgramKeepsItsDataInTheUsersFolder();
    void themeDefaultsComeFromTheResourcesWhenNoneAreInstalled();
    void iconFilesHaveTheirNamedSizes_data();
    void iconFilesHaveTheirNamedSizes();
};

namespace {

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

void TestInstallation::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("output");
    QTest::addColumn<QStringList>("errors");

    // "xcb" with no DISPLAY: any attempt to open a window would abort the program.
    const QString noDisplay = QStringLiteral("xcb");
    const QString version = QStringLiteral("Senvora " SENVORA_VERSION "\n");
    const QStringList help{QStringLiteral("Usage: senvora [options]\n"), QStringLiteral("--help"),
                           QStringLiteral("--version")};
    const QStringList hint{QStringLiteral("senvora --help")};
    QTest::newRow("--version") << QStringList{"--version"} << noDisplay << 0 << QStringList{version}
                               << QStringList{};
    QTest::newRow("-v") << QStringList{"-v"} << noDisplay << 0 << QStringList{version}
                        << QStringList{};
    QTest::newRow("--help") << QStringList{"--help"} << noDisplay << 0 << help << QStringList{};
    QTest::newRow("-h") << QStringList{"-h"} << noDisplay << 0 << help << QStringList{};
    QTest::newRow("unknown option") << QStringList{"--bogus"} << QStringLiteral("offscreen") << 2
                                    << QStringList{} << (hint + QStringList{"«bogus»"});
    QTest::newRow("stray argument") << QStringList{"stray.txt"} << QStringLiteral("offscreen") << 2
                                    << QStringList{} << (hint + QStringList{"«stray.txt»"});
    // Qt's own options are Qt's: -platform is taken and obeyed, only --bogus is refused.
    QTest::newRow("Qt option kept apart")
        << QStringList{"-platform", "offscreen", "--bogus"} << noDisplay << 2 << QStringList{}
        << (hint + QStringList{"«bogus»"});
}

void TestInstallation::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(int, status);
    QFETCH(QStringList, output);
    QFETCH(QStringList, errors);

    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("SENVORA_HOME"), home.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SENVORA_EXECUTABLE), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    if (output.size() == 1 && output.first().endsWith(QLatin1Char('\n')))
        QCOMPARE(out, output.first());
    for (const QString& text : output)
        QVERIFY2(out.contains(text), qPrintable(out));
    for (const QString& text : errors)
        QVERIFY2(err.contains(text), qPrintable(err));
    if (output.isEmpty())
        QVERIFY2(out.isEmpty(), qPrintable(out));
    // Answering the command line never creates the program folder's contents.
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
}

void TestInstallation::installedProgramKeepsItsDataInTheUsersFolder()
{
    // An installed layout: <prefix>/bin/senvora and <prefix>/share/senvora/themes, with one
    // theme marked so that its copy can be told from the compiled-in one.
    QTemporaryDir root;
    const QDir prefix(root.filePath(QStringLiteral("usr")));
    QVERIFY(prefix.mkpath(QStringLiteral("bin")));
    QVERIFY(prefix.mkpath(QStringLiteral("share/senvora/themes")));
    const QString executable = prefix.filePath(QStringLiteral("bin/senvora"));
    QVERIFY(QFile::copy(QStringLiteral(SENVORA_EXECUTABLE), executable));
    const QString themes = prefix.filePath(QStringLiteral("share/senvora/themes"));
    const QByteArray marked = "QWidget { background: #123456; } /* installed default */\n";
    writeFile(themes + QStringLiteral("/Green.skn"), marked);
    QVERIFY(
        QFile::copy(QStringLiteral(":/themes/Paper.skn"), themes + QStringLiteral("/Paper.skn")));
    QFile::setPermissions(themes + QStringLiteral("/Paper.skn"), QFile::ReadOwner);

    const QString data = root.filePath(QStringLiteral("data"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("SENVORA_HOME"));
    environment.insert(QStringLiteral("HOME"), root.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(root.path());
    program.start(executable, {});
    QVERIFY(program.waitForStarted());

    const QDir folder(data + QStringLiteral("/Senvora"));
    QTRY_VERIFY_WITH_TIMEOUT(folder.exists(QStringLiteral("DBM/DB2.mdb")), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(folder.exists(QStringLiteral("DBM/DB.mdb")), 30000);
    QVERIFY(program.state() == QProcess::Running);
    program.kill();
    QVERIFY(program.waitForFinished());

    QVERIFY(folder.exists(QStringLiteral("Back")));
    QCOMPARE(folder.entryList({QStringLiteral("*.skn")}, QDir::Files),
             (QStringList{QStringLiteral("Green.skn"), QStringLiteral("Paper.skn")}));
    QCOMPARE(readAll(folder.filePath(QStringLiteral("Green.skn"))), QString::fromUtf8(marked));
    QCOMPARE(readAll(folder.filePath(QStringLiteral("Paper.skn"))),
             readAll(QStringLiteral(":/themes/Paper.skn")));
    // Owner, group and others as the file system has them (not the "user" view of Qt).
    const auto ownerGroupOther = QFile::Permissions::fromInt(0x7077);
    for (const QString& name : folder.entryList({QStringLiteral("*.skn")}, QDir::Files))
        QCOMPARE(QFileInfo(folder.filePath(name)).permissions() & ownerGroupOther,
                 QFile::ReadOwner | QFile::WriteOwner);
    // Nothing beside the executable, nothing in the installed defaults.
    QCOMPARE(QDir(prefix.filePath(QStringLiteral("bin")))
                 .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("senvora")});
    QCOMPARE(QDir(themes).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("Green.skn"), QStringLiteral("Paper.skn")}));
}

void TestInstallation::themeDefaultsComeFromTheResourcesWhenNoneAreInstalled()
{
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
    const QString defaults = ThemeFiles::defaultsFolder(root.filePath(QStringLiteral("bin")));
    QCOMPARE(defaults, QStringLiteral(":/themes"));

    QTemporaryDir home;
    writeFile(home.filePath(QStringLiteral("Green.skn")), "/* the user's own */\n");
    ThemeFiles::installMissing(home.path(), defaults);
    const QStringList compiledIn = QDir(QStringLiteral(":/themes")).entryList(QDir::Files);
    QCOMPARE(compiledIn.size(), 12);
    QCOMPARE(QDir(home.path()).entryList(QDir::Files), compiledIn);
    QCOMPARE(readAll(home.filePath(QStringLiteral("Green.skn"))),
             QStringLiteral("/* the user's own */\n"));
}

void TestInstallation::iconFilesHaveTheirNamedSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512})
        QTest::newRow(qPrintable(QString::number(size))) << size;
}

void TestInstallation::iconFilesHaveTheirNamedSizes()
{
    QFETCH(int, size);
    const QImage icon(
        QStringLiteral(SENVORA_SOURCE_DIR "/packaging/icons/senvora-%1.png").arg(size));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // The corners are transparent, the middle is drawn: the rounded square is really there.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
}

QTEST_MAIN(TestInstallation)
#include "tst_installation.moc"
