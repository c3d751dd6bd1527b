#include "data/Database.h"
#include "export/CellText.h"
#include "export/ExportFixture.h"
#include "export/ExportJob.h"
#include "export/ExportReaders.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <sys/mount.h>
#include <sys/stat.h>

using ExportFixture::expectedRows;
using ExportFixture::header;

namespace {

QString subjectFile()
{
    return Database::absolutePath(Database::File::Subjects);
}

bool exportTo(const QString& target, const ExportTable::Filter& filter = {},
              ExportJob::Problem* problem = nullptr)
{
    ExportJob job;
    const bool done = job.run(subjectFile(), target, filter);
    if (problem)
        *problem = job.problem();
    return done;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The CSV file's records after its byte-order mark.
QList<QStringList> csvRecords(const QString& path)
{
    const QByteArray bytes = contents(path);
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return {};
    QString error;
    const auto records =
        ExportReaders::parseCsv(QString::fromUtf8(bytes.mid(3)), QStringLiteral("\r\n"), &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    return records;
}

// How a cell comes back from each format, where the format cannot hold a text exactly.
QString asCsv(const QString& text)
{
    return CellText::looksLikeFormula(text) ? QLatin1Char('\'') + text : text;
}
QString withoutNul(const QString& text)
{
    QString clean = text;
    return clean.replace(QChar(0), QChar(QChar::ReplacementCharacter));
}

QList<QStringList> mapped(QList<QStringList> rows, QString (*cell)(const QString&))
{
    for (QStringList& row : rows) {
        for (QString& text : row)
            text = cell(text);
    }
    return rows;
}

// Compares cell by cell so that a failure names the cell.
void compareTables(const QList<QStringList>& actual, const QList<QStringList>& expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        QCOMPARE(actual.at(row).size(), expected.at(row).size());
        for (int column = 0; column < expected.at(row).size(); ++column) {
            if (actual.at(row).at(column) != expected.at(row).at(column))
                QFAIL(qPrintable(QStringLiteral("row %1, column %2: got «%3», want «%4»")
                                     .arg(row)
                                     .arg(header().value(column))
                                     .arg(actual.at(row).at(column).left(80),
                                          expected.at(row).at(column).left(80))));
        }
    }
}

QStringList leftovers(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

struct CommandResult
{
    int status;
    QString out;
    QString err;
};

CommandResult senvora(const QString& home, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("SENVORA_HOME"), home);
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SENVORA_EXECUTABLE), arguments);
    if (!program.waitForFinished(60000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
            QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

  private slots:
    void csvHoldsEveryCellExactly();
    void xlsxHoldsEveryCellWithTypes();
    void savHoldsEveryCellWithLabels();
    void filtersByGroupAndDay_data();
    void filtersByGroupAndDay();
    void formulaTextIsNeutralised_data();
    void formulaTextIsNeutralised();
    void unwritableTargetLeavesNoFile_data();
    void unwritableTargetLeavesNoFile();
    void fullDiskLeavesEarlierFileIntact_data();
    void fullDiskLeavesEarlierFileIntact();
    void commandLineExports();
    void commandLineRefuses_data();
    void commandLineRefuses();
};

void TestExport::csvHoldsEveryCellExactly()
{
    TestHome home;
    ExportFixture::write();
    const QString target = home.file(QStringLiteral("all.csv"));
    QVERIFY(exportTo(target));
    const QByteArray bytes = contents(target);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QStringList> records = csvRecords(target);
    QVERIFY(!records.isEmpty());
    QCOMPARE(records.constFirst(), header());
    compareTables(records.mid(1), mapped(expectedRows(), asCsv));
    struct stat status = {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0600u);
    QCOMPARE(leftovers(home.path()).filter(QStringLiteral(".partial")), QStringList());
}

void TestExport::xlsxHoldsEveryCellWithTypes()
{
    TestHome home;
    ExportFixture::write();
    const QString target = home.file(QStringLiteral("all.xlsx"));
    QVERIFY(exportTo(target));
    QString error;
    const ExportReaders::Sheet sheet = ExportReaders::readXlsx(target, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(sheet.rightToLeft);
    QVERIFY(sheet.headerFrozen);
    QVERIFY(sheet.headerBold);
    QVERIFY(!sheet.hasFormula);
    QVERIFY(!sheet.cells.isEmpty());
    QCOMPARE(sheet.cells.constFirst(), header());
    const QList<QStringList> expected = mapped(expectedRows(), withoutNul);
    compareTables(sheet.cells.mid(1), expected);
    // Numbers are numbers where the text is one; every other cell is text.
    const QStringList names = header();
    for (int row = 0; row < expected.size(); ++row) {
        for (int column = 0; column < names.size(); ++column) {
            const QString& name = names.at(column);
            const bool numeric =
                name == QLatin1String("Sen") || name == QLatin1String("Administration") ||
                name == QLatin1String("Answered") || name == QLatin1String("Score") ||
                (name.startsWith(QLatin1Char('q')) && name.size() <= 3);
            const QString& text = expected.at(row).at(column);
            const bool isNumber = !text.isEmpty() && CellText::wholeNumber(text).has_value();
            QVERIFY2(sheet.numbers.contains({row + 1, column}) == (numeric && isNumber),
                     qPrintable(QStringLiteral("row %1 %2").arg(row).arg(name)));
        }
    }
}

void TestExport::savHoldsEveryCellWithLabels()
{
    TestHome home;
    ExportFixture::write();
    const QString target = home.file(QStringLiteral("all.sav"));
    QVERIFY(exportTo(target));
    QString error;
    QList<QStringList> records = ExportReaders::readSav(target, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!records.isEmpty());
    QCOMPARE(records.constFirst(), header());
    const QList<ExportReaders::SavVariable> dictionary =
        ExportReaders::savDictionary(target, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(dictionary.size(), header().size());
    // Numbers come back as readstat prints them (72.000000): compare their values. SPSS
    // strings hold no NUL; gender and marital status are their codes; a number that is not one
    // is missing; strings lose their trailing blanks (SPSS pads them).
    QList<QStringList> expected = mapped(expectedRows(), withoutNul);
    for (QStringList& row : expected) {
        for (QString& text : row) {
            while (text.endsWith(QLatin1Char(' ')))
                text.chop(1);
        }
    }
    const int jens = static_cast<int>(header().indexOf(QStringLiteral("Jens")));
    const int sen = static_cast<int>(header().indexOf(QStringLiteral("Sen")));
    const QMap<QString, QString> codes{{QStringLiteral("مرد"), "1"},
                                       {QStringLiteral("زن"), "2"},
                                       {QStringLiteral("مجرد"), "1"},
                                       {QStringLiteral("متأهل"), "2"},
                                       {QString(), QString()}};
    for (QStringList& row : expected) {
        for (int column : {jens, jens + 1})
            row[column] = codes.value(row.at(column), QStringLiteral("0"));
        if (!CellText::wholeNumber(row.at(sen)))
            row[sen].clear();
    }
    for (QStringList& row : records) {
        for (int column = 0; column < row.size(); ++column) {
            if (dictionary.at(column).numeric && !row.at(column).isEmpty())
                row[column] = QString::number(row.at(column).toDouble());
        }
    }
    compareTables(records.mid(1), expected);
    const QString summary = ExportReaders::savSummary(target);
    QVERIFY2(summary.contains(QStringLiteral("Text encoding: UTF-8")), qPrintable(summary));
    // The dictionary: names, kinds, Persian labels, value labels.
    const QStringList numeric{"Sen", "Jens", "Taahol", "Administration", "Answered", "Score"};
    for (int column = 0; column < dictionary.size(); ++column) {
        const ExportReaders::SavVariable& variable = dictionary.at(column);
        QCOMPARE(variable.name, header().at(column));
        const bool item = variable.name.startsWith(QLatin1Char('q')) && variable.name.size() <= 3;
        QCOMPARE(variable.numeric, item || numeric.contains(variable.name));
        QVERIFY2(
            variable.label.contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}]"))),
            qPrintable(variable.name));
        if (item)
            QCOMPARE(variable.valueLabels, (QMap<double, QString>{{0, QStringLiteral("خیر")},
                                                                  {1, QStringLiteral("بلی")}}));
    }
    QCOMPARE(dictionary.at(jens).valueLabels.value(1), QStringLiteral("مرد"));
    QCOMPARE(dictionary.at(jens).valueLabels.value(2), QStringLiteral("زن"));
    QCOMPARE(dictionary.at(jens + 1).valueLabels.value(1), QStringLiteral("مجرد"));
    QCOMPARE(dictionary.at(jens + 1).valueLabels.value(2), QStringLiteral("متأهل"));
    QCOMPARE(dictionary.at(0).label, QStringLiteral("کد آزمودنی"));
}

void TestExport::filtersByGroupAndDay_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::newRow("group A") << QStringLiteral("A") << QDate() << QDate();
    QTest::newRow("group with no administration") << QStringLiteral("G") << QDate() << QDate();
    QTest::newRow("one day") << QString() << QDate(2026, 12, 11) << QDate(2026, 12, 11);
    QTest::newRow("from a day on") << QString() << QDate(2026, 9, 22) << QDate();
    QTest::newRow("up to a day") << QString() << QDate() << QDate(2026, 6, 1);
    QTest::newRow("group and days")
        << QStringLiteral("A") << QDate(2026, 1, 5) << QDate(2026, 3, 20);
}

void TestExport::filtersByGroupAndDay()
{
    QFETCH(QString, group);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    TestHome home;
    ExportFixture::write();
    const QString target = home.file(QStringLiteral("some.csv"));
    QVERIFY(exportTo(target, {group, from, to}));
    const QList<QStringList> records = csvRecords(target);
    QVERIFY(!records.isEmpty());
    compareTables(records.mid(1), mapped(expectedRows(group, from, to), asCsv));
}

void TestExport::formulaTextIsNeutralised_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("formula");
    for (const char* text : {"=1+1", "+98", "-x", "@SUM(A1)", "\tTAB", "\rCR"})
        QTest::newRow(text) << QString::fromUtf8(text) << true;
    for (const char* text : {"a=1", "1-2", "", "'=quoted", " =spaced"})
        QTest::newRow(text) << QString::fromUtf8(text) << false;
}

void TestExport::formulaTextIsNeutralised()
{
    QFETCH(QString, text);
    QFETCH(bool, formula);
    QCOMPARE(CellText::looksLikeFormula(text), formula);
    QCOMPARE(CellText::neutralised(text), formula ? QLatin1Char('\'') + text : text);
}

void TestExport::unwritableTargetLeavesNoFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << QStringLiteral("no-such-folder/out.csv");
    QTest::newRow("a folder") << QStringLiteral("DBM.xlsx");
    QTest::newRow("unknown extension") << QStringLiteral("out.txt");
    QTest::newRow("no extension") << QStringLiteral("out");
}

void TestExport::unwritableTargetLeavesNoFile()
{
    QFETCH(QString, target);
    TestHome home;
    ExportFixture::write();
    QDir(home.path()).mkdir(QStringLiteral("DBM.xlsx"));
    const QStringList before = leftovers(home.path());
    ExportJob::Problem problem;
    QVERIFY(!exportTo(home.file(target), {}, &problem));
    QVERIFY(!problem.persian.isEmpty());
    QVERIFY(!problem.english.isEmpty());
    QVERIFY(!QFileInfo(home.file(target)).isFile());
    QCOMPARE(leftovers(home.path()), before);
}

void TestExport::fullDiskLeavesEarlierFileIntact_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("csv") << QStringLiteral("out.csv");
    QTest::newRow("xlsx") << QStringLiteral("out.xlsx");
    QTest::newRow("sav") << QStringLiteral("out.sav");
}

// A disk that fills up during the export: a small memory file system (root only).
void TestExport::fullDiskLeavesEarlierFileIntact()
{
    QFETCH(QString, name);
    TestHome home;
    ExportFixture::write();
    // Enough rows to overflow 64 KiB in every format.
    ExportFixture::addMany(3000, QStringLiteral("2026-05-05T10:00:00+03:30"),
                           QStringLiteral("101010101010101"));
    const QString disk = home.file(QStringLiteral("small-disk"));
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("small-disk")));
    if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("a small file system can only be mounted by root");
    const auto unmount = qScopeGuard([&] { ::umount(QFile::encodeName(disk).constData()); });
    const QString target = disk + QLatin1Char('/') + name;
    {
        QFile earlier(target);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    ExportJob::Problem problem;
    QVERIFY(!exportTo(target, {}, &problem));
    QVERIFY(problem.persian.contains(QStringLiteral("نوشته نشد")));
    QCOMPARE(contents(target), QByteArray("earlier"));
    QCOMPARE(leftovers(disk), QStringList{name});
}

void TestExport::commandLineExports()
{
    TestHome home;
    ExportFixture::write();
    Database::closeAll();
    for (const QString& name :
         {QStringLiteral("cli.csv"), QStringLiteral("cli.xlsx"), QStringLiteral("cli.sav")}) {
        const CommandResult result =
            senvora(home.path(), {QStringLiteral("--export"), home.file(name)});
        QVERIFY2(result.status == 0, qPrintable(result.err));
        QVERIFY(result.out.contains(QString::number(expectedRows().size())));
        QVERIFY(QFileInfo(home.file(name)).size() > 0);
    }
    compareTables(csvRecords(home.file(QStringLiteral("cli.csv"))).mid(1),
                  mapped(expectedRows(), asCsv));
    // 1405/09/20 is 11 December 2026; group A's administrations of that day.
    const CommandResult filtered =
        senvora(home.path(), {QStringLiteral("--export"), home.file(QStringLiteral("day.csv")),
                              QStringLiteral("--group"), QStringLiteral("A"),
                              QStringLiteral("--from"), QStringLiteral("1405/9/20"),
                              QStringLiteral("--to"), QStringLiteral("1405/09/20")});
    QVERIFY2(filtered.status == 0, qPrintable(filtered.err));
    compareTables(
        csvRecords(home.file(QStringLiteral("day.csv"))).mid(1),
        mapped(expectedRows(QStringLiteral("A"), QDate(2026, 12, 11), QDate(2026, 12, 11)), asCsv));
    QCOMPARE(expectedRows(QStringLiteral("A"), QDate(2026, 12, 11), QDate(2026, 12, 11)).size(), 1);
    const CommandResult help = senvora(home.path(), {QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    for (const char* option : {"--export", "--group", "--from", "--to"})
        QVERIFY2(help.out.contains(QLatin1String(option)), option);
}

void TestExport::commandLineRefuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::addColumn<QString>("file");  // the file that must not appear
    QTest::newRow("bad month") << QStringList{"--export", "x.csv", "--from", "1405/13/01"}
                               << "1405/13/01"
                               << "x.csv";
    QTest::newRow("no such day") << QStringList{"--export", "x.csv", "--to", "1403/12/31"}
                                 << "1403/12/31"
                                 << "x.csv";
    QTest::newRow("not a date") << QStringList{"--export", "x.csv", "--to", "yesterday"}
                                << "yesterday"
                                << "x.csv";
    QTest::newRow("from after to")
        << QStringList{"--export", "x.csv", "--from", "1405/02/01", "--to", "1405/01/01"}
        << "--from"
        << "x.csv";
    QTest::newRow("unknown group") << QStringList{"--export", "x.csv", "--group", "Q'Z"} << "Q'Z"
                                   << "x.csv";
    QTest::newRow("unknown extension") << QStringList{"--export", "x.pdf"} << "pdf"
                                       << "x.pdf";
    QTest::newRow("missing folder") << QStringList{"--export", "nowhere/x.csv"} << "x.csv"
                                    << "nowhere/x.csv";
    QTest::newRow("unknown option") << QStringList{"--export", "x.csv", "--colour"} << "colour"
                                    << "x.csv";
    QTest::newRow("filter alone") << QStringList{"--group", "A"} << "--group"
                                  << "x.csv";
    QTest::newRow("no file") << QStringList{"--export"} << "export"
                             << "x.csv";
}

void TestExport::commandLineRefuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    QFETCH(QString, file);
    TestHome home;
    ExportFixture::write();
    Database::closeAll();
    for (QString& argument : arguments) {
        if (argument.contains(QLatin1Char('.')) && !argument.contains(QLatin1Char('/')) &&
            !argument.startsWith(QLatin1Char('1')))
            argument = home.file(argument);
        else if (argument.startsWith(QLatin1String("nowhere/")))
            argument = home.file(argument);
    }
    const CommandResult result = senvora(home.path(), arguments);
    QVERIFY(result.status != 0);
    QVERIFY2(result.err.contains(named), qPrintable(result.err));
    const QString line = result.err.trimmed();
    if (!line.contains(QLatin1Char('\n'))) // one line: Persian, then English
        QVERIFY2(
            line.contains(QRegularExpression(QStringLiteral("[\\x{0600}-\\x{06FF}].* — .*[a-z]"))),
            qPrintable(line));
    QVERIFY(!QFileInfo::exists(home.file(file)));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
