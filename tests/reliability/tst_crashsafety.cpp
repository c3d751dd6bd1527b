// Kills a process that works through the real screens at random moments, again and again, and
// checks after every kill that the subject database is intact: integrity_check is "ok", every
// subject code is in all three tables or in none, and every action the interface confirmed
// before the kill is stored. The number of kills comes from SENVORA_STRESS_KILLS (default 30).

#include "data/Database.h"
#include "data/Schema.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

struct Findings
{
    int kills = 0;
    int partialSubjects = 0;
    int lostConfirmedActions = 0;
    bool integrity = true;
    QStringList details;
};

class SubjectFile
{
  public:
    explicit SubjectFile(const QString& path)
    {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        db_.open();
    }
    ~SubjectFile()
    {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    QStringList column(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(db_);
        query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        QStringList rows;
        if (query.exec()) {
            while (query.next())
                rows << query.value(0).toString();
        } else {
            rows << QStringLiteral("<error> ") + query.lastError().text();
        }
        return rows;
    }

  private:
    QString name_ = QStringLiteral("crash-check");
    QSqlDatabase db_;
};

void checkDatabase(const QString& home, const QString& logPath, Findings& findings)
{
    SubjectFile file(home + QStringLiteral("/DBM/DB2.mdb"));
    const QStringList integrity = file.column(QStringLiteral("PRAGMA integrity_check"));
    if (integrity != QStringList{QStringLiteral("ok")}) {
        findings.integrity = false;
        findings.details << QStringLiteral("integrity: ") + integrity.join(QLatin1Char(' '));
    }
    const QStringList partial = file.column(QStringLiteral(
        "SELECT Code FROM (SELECT Code FROM IDE UNION SELECT Code FROM Answer UNION "
        "SELECT Code FROM Print1) AS c WHERE Code NOT IN (SELECT Code FROM IDE) "
        "OR Code NOT IN (SELECT Code FROM Answer) OR Code NOT IN (SELECT Code FROM Print1)"));
    findings.partialSubjects += static_cast<int>(partial.size());
    for (const QString& code : partial)
        findings.details << QStringLiteral("partial subject ") + code;

    QFile log(logPath);
    log.open(QIODevice::ReadOnly | QIODevice::Text);
    const QStringList lines =
        QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '));
        const QString& code = parts.value(1);
        bool kept = true;
        if (parts[0] == QLatin1String("enrol")) {
            kept = !file.column(QStringLiteral("SELECT Code FROM IDE WHERE Code = ?"), {code})
                        .isEmpty();
        } else if (parts[0] == QLatin1String("answers")) {
            QStringList items;
            for (int i = 1; i <= 15; ++i)
                items << Schema::quoted(QString::number(i));
            const QStringList stored =
                file.column(QStringLiteral("SELECT %1 FROM Answer WHERE Code = ?")
                                .arg(items.join(QStringLiteral(" || "))),
                            {code});
            kept = stored.value(0) == parts.value(2);
        } else if (parts[0] == QLatin1String("score")) {
            kept = file.column(QStringLiteral("SELECT Score FROM Print1 WHERE Code = ?"), {code})
                       .value(0) == parts.value(2);
        }
        if (!kept) {
            ++findings.lostConfirmedActions;
            findings.details << QStringLiteral("lost: ") + line;
        }
    }
}

} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

  private slots:
    void killedAtRandomMomentsLosesNothing();
};

void TestCrashSafety::killedAtRandomMomentsLosesNothing()
{
    const int kills = qEnvironmentVariableIsSet("SENVORA_STRESS_KILLS")
                          ? qEnvironmentVariableIntValue("SENVORA_STRESS_KILLS")
                          : 30;
    TestHome home;
    const QString helper =
        QCoreApplication::applicationDirPath() + QStringLiteral("/helper_crashloop");
    const QString logPath = home.file(QStringLiteral("confirmed.log"));
    QRandomGenerator random(20261210);
    Findings findings;
    for (int round = 0; round < kills; ++round) {
        QProcess worker;
        worker.setProcessChannelMode(QProcess::SeparateChannels);
        worker.start(helper, {home.path(), logPath, QString::number(round)});
        QVERIFY2(worker.waitForStarted(), qPrintable(worker.errorString()));
        // Kill after a random number of operator steps: a round of enrolment, test and
        // scoring takes about forty-five, so the database grows by a few dozen subjects a run.
        const qint64 killAt = 1 + random.bounded(2000);
        qint64 steps = 0;
        while (steps < killAt) {
            if (worker.state() != QProcess::Running)
                QFAIL(qPrintable(QStringLiteral("worker stopped by itself (exit %1): %2")
                                     .arg(worker.exitCode())
                                     .arg(QString::fromLocal8Bit(worker.readAllStandardError()))));
            QVERIFY2(worker.waitForReadyRead(20000), "worker stalled: a step took over 20 s");
            steps += worker.readAllStandardOutput().count('.');
        }
        worker.kill();
        worker.waitForFinished();
        ++findings.kills;
        checkDatabase(home.path(), logPath, findings);
        if (!findings.details.isEmpty())
            break;
    }
    const QString summary =
        QStringLiteral("kills: %1, partial subjects: %2, lost confirmed actions: %3, integrity: %4")
            .arg(findings.kills)
            .arg(findings.partialSubjects)
            .arg(findings.lostConfirmedActions)
            .arg(findings.integrity ? QStringLiteral("ok") : QStringLiteral("bad"));
    std::printf("%s\n", qPrintable(summary));
    QVERIFY2(findings.details.isEmpty(), qPrintable(findings.details.join(QLatin1Char('\n'))));
    QVERIFY2(Database::verify().isEmpty(), "the application must start on the database afterwards");
    QVERIFY(Fixture::rowCount(QStringLiteral("IDE")) > 0);
}

QTEST_MAIN(TestCrashSafety)
#include "tst_crashsafety.moc"
