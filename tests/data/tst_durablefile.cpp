// Every file the program puts in place (databases it creates, backups, the restored database
// and its safety copy, reports) is flushed under its temporary name, renamed over the target,
// and the folder is flushed after the rename.

#include "backup/CopyFileInBlocks.h"
#include "backup/SubjectRestore.h"
#include "data/Database.h"
#include "data/DurableFile.h"
#include "scoring/ReportDestination.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QPainter>
#include <QtTest>

class TestDurableFile : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { DurableFile::setTrace({}); }
    void everyPlacedFileIsDurable_data();
    void everyPlacedFileIsDurable();

  private:
    // What was missing for target to be put in place durably; empty when nothing was.
    static QString missingStep(const QStringList& steps, const QString& target)
    {
        const QString renamed = QStringLiteral(" ") + target;
        const qsizetype rename = [&] {
            for (qsizetype i = 0; i < steps.size(); ++i) {
                if (steps[i].startsWith(QLatin1String("rename ")) && steps[i].endsWith(renamed))
                    return i;
            }
            return qsizetype(-1);
        }();
        if (rename < 0)
            return QStringLiteral("no rename onto ") + target;
        const QString temporary = steps[rename].mid(7, steps[rename].size() - 7 - renamed.size());
        if (!steps.mid(0, rename).contains(QStringLiteral("flush ") + temporary))
            return QStringLiteral("no flush of ") + temporary;
        if (!steps.mid(rename).contains(QStringLiteral("folder ") +
                                        QFileInfo(target).absolutePath()))
            return QStringLiteral("no folder flush after ") + target;
        return {};
    }
};

void TestDurableFile::everyPlacedFileIsDurable_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("databases created") << "create";
    QTest::newRow("backup") << "backup";
    QTest::newRow("restore and safety copy") << "restore";
    QTest::newRow("report") << "report";
}

void TestDurableFile::everyPlacedFileIsDurable()
{
    QFETCH(QString, action);
    TestHome home;
    const QString live = Database::absolutePath(Database::File::Subjects);
    QStringList targets;
    QStringList steps;
    if (action != QLatin1String("create")) {
        Fixture::enrol({.code = QStringLiteral("D1")});
        Database::closeAll();
    }
    DurableFile::setTrace([&steps](const QString& step) { steps << step; });
    if (action == QLatin1String("create")) {
        QCOMPARE(Database::verify(), QString());
        targets << Database::absolutePath(Database::File::Settings) << live;
    } else if (action == QLatin1String("backup")) {
        const QString target = home.file(QStringLiteral("out.mdbB"));
        QCOMPARE(CopyFileInBlocks(live, target), 1);
        targets << target;
    } else if (action == QLatin1String("restore")) {
        const QString backup = home.file(QStringLiteral("in.mdbB"));
        QVERIFY(QFile::copy(live, backup));
        QVERIFY(SubjectRestore::place(backup, QDateTime::currentDateTime()).placed);
        const QDir back(home.file(QStringLiteral("Back")));
        targets << live << back.filePath(back.entryList(QDir::Files).value(0));
    } else {
        ReportDestination destination;
        QPainter painter;
        QVERIFY(destination.begin(painter));
        painter.drawText(QPointF(100, 100), QStringLiteral("GDS"));
        QVERIFY(destination.finish(painter));
        targets << destination.pdfPath();
    }
    DurableFile::setTrace({});
    for (const QString& target : targets) {
        QVERIFY(QFileInfo::exists(target));
        QCOMPARE(missingStep(steps, QFileInfo(target).absoluteFilePath()), QString());
    }
}

QTEST_MAIN(TestDurableFile)
#include "tst_durablefile.moc"
