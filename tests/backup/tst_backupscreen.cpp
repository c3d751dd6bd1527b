#include "backup/CopyFileInBlocks.h"
#include "backup/Frmbackup.h"
#include "data/AuditTrail.h"
#include "data/Database.h"
#include "support/ForeignFile.h"
#include "support/TestSupport.h"
#include "ui/ApplicationEnd.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

class TestBackupScreen : public QObject
{
    Q_OBJECT

  private slots:
    void cleanup() { Frmbackup::setClock({}); }
    void proposesANameAndKeepsTheDialogName();
    void emptyPathIsRefused_data();
    void emptyPathIsRefused();
    void backupEndsTheApplication();
    void backupOntoAnExistingFile_data();
    void backupOntoAnExistingFile();
    void failedBackupIsToldOverTheScreen();
    void restoreBringsTheOldSubjectsBack();
    void refusedRestoreLeavesTheLiveDatabase_data();
    void refusedRestoreLeavesTheLiveDatabase();
    void foreignRestoreBringsInRowsOnly_data();
    void foreignRestoreBringsInRowsOnly();
    void backupHoldsWhatTheLogHeld();
    void exitEndsTheApplication();

  private:
    template <typename T> static T* child(Frmbackup& screen, const char* name)
    {
        return screen.findChild<T*>(QString::fromLatin1(name));
    }
    static void click(Frmbackup& screen, const char* name)
    {
        QTest::mouseClick(child<QPushButton>(screen, name), Qt::LeftButton);
    }
    // Puts the path into the path box, presses the button and answers the boxes that follow in
    // order; returns what they said (nothing when fewer boxes came than expected).
    static QList<ModalDriver::Box> press(Frmbackup& screen, const char* pathBox,
                                         const QString& path, const char* button,
                                         const QList<QMessageBox::StandardButton>& answers)
    {
        child<QLineEdit>(screen, pathBox)->setText(path);
        ModalDriver driver;
        for (QMessageBox::StandardButton answer : answers)
            driver.box(answer);
        click(screen, button);
        return driver.done() ? driver.boxes() : QList<ModalDriver::Box>();
    }
    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QString live() { return Database::absolutePath(Database::File::Subjects); }
    // A copy of the live file as the backup screen makes it: the log carried into the file and
    // the file released first, so that the copy alone holds every confirmed subject.
    static bool copyOfLive(const QString& to)
    {
        QString busy;
        return Database::release(Database::File::Subjects, &busy) &&
               CopyFileInBlocks(live(), to) == 1;
    }
    static void enrolSeveral(const QString& prefix, int count)
    {
        QSqlDatabase db = Database::connection(Database::File::Subjects);
        db.transaction();
        for (int n = 1; n <= count; ++n)
            Fixture::enrol({.code = prefix + QString::number(n), .answers = "101010101010101"});
        db.commit();
    }
    static QStringList codesIn(const QString& path)
    {
        return peek(path, QStringLiteral("SELECT Code FROM IDE ORDER BY Code"));
    }
    // The files the program folder's DBM/ holds: nothing but the two databases once no
    // connection is open and no restore runs.
    static QStringList dbmFiles()
    {
        Database::closeAll();
        return QDir(QStringLiteral("DBM")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

void TestBackupScreen::proposesANameAndKeepsTheDialogName()
{
    TestHome home;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Back")));
    QDateTime moment(QDate(2014, 11, 2), QTime(9, 5, 40));
    Frmbackup::setClock([&moment] { return moment; });
    Frmbackup screen;
    screen.show();
    QCOMPARE(screen.windowTitle(), QStringLiteral("Back up ...  Reastor"));
    QCOMPARE(child<QLabel>(screen, "Label1")->text(), QStringLiteral("1393.8.11"));
    QCOMPARE(child<QLabel>(screen, "Label3")->text(), QStringLiteral("1393.8.11"));
    QCOMPARE(child<QLabel>(screen, "Label2")->text(), QStringLiteral("9.05"));
    QVERIFY(screen.property("themeFile").isValid());

    // Cancelled: the preset name, without a folder, still lands in Text1.
    const QString proposed = QStringLiteral("در تاريخ1393.8.11 ساعت)9.05).mdbB");
    QString shownName;
    ModalDriver driver;
    driver.then([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        QCOMPARE(dialog->objectName(), QStringLiteral("CommonDialog1"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Database Backup (*.mdbB)")});
        QCOMPARE(QDir(dialog->directory()).canonicalPath(),
                 QDir(home.file(QStringLiteral("Back"))).canonicalPath());
        shownName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->reject();
    });
    click(screen, "b1");
    QVERIFY(driver.done());
    QCOMPARE(shownName, proposed);
    QCOMPARE(child<QLineEdit>(screen, "Text1")->text(), proposed);

    // After midnight the clock moves on, the date part stays; a confirmed name is a full path.
    moment = QDateTime(QDate(2014, 11, 3), QTime(14, 30));
    QTRY_COMPARE(child<QLabel>(screen, "Label2")->text(), QStringLiteral("14.30"));
    const QString laterName = QStringLiteral("در تاريخ1393.8.11 ساعت)14.30).mdbB");
    QString chosen;
    ModalDriver save;
    save.then([&](QWidget* modal) {
        auto* dialog = static_cast<QFileDialog*>(modal);
        chosen = dialog->selectedFiles().value(0);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    click(screen, "b1");
    QVERIFY(save.done());
    QCOMPARE(QFileInfo(chosen).fileName(), laterName);
    QCOMPARE(child<QLineEdit>(screen, "Text1")->text(), chosen);

    // The open dialog, cancelled, hands on the last name the save dialog held.
    ModalDriver open;
    open.then([](QWidget* modal) {
        auto* dialog = static_cast<QFileDialog*>(modal);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        dialog->reject();
    });
    click(screen, "b2");
    QVERIFY(open.done());
    QCOMPARE(child<QLineEdit>(screen, "Text2")->text(), chosen);
}

void TestBackupScreen::emptyPathIsRefused_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("backup") << "VisualButtonEx2"
                            << QStringLiteral("لطفا مسير تهيه نسخه پشتيبان را وارد کنيد");
    QTest::newRow("restore") << "VisualButtonEx3"
                             << QStringLiteral("لطفا مسير فايل مربوطه را وارد کنيد");
}

void TestBackupScreen::emptyPathIsRefused()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    TestHome home;
    Frmbackup screen;
    screen.show();
    const auto boxes = press(screen, "Text1", QString(), qPrintable(button), {QMessageBox::Ok});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, text);
    QCOMPARE(boxes.first().title, QStringLiteral("خطا"));
    QCOMPARE(boxes.first().icon, QMessageBox::Warning);
    QVERIFY(screen.isVisible());
    QVERIFY(!ApplicationEnd::isEnding());
}

void TestBackupScreen::backupEndsTheApplication()
{
    TestHome home;
    enrolSeveral(QStringLiteral("S"), 20);
    Frmbackup screen;
    screen.show();
    const QString target = home.file(QStringLiteral("out.mdbB"));

    // While the copy runs: the progress bar shows and the other buttons wait.
    auto* bar = child<QProgressBar>(screen, "ProgressBar1");
    bool barSeen = false;
    bool restoreHeld = false;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, this, [&] {
        barSeen = barSeen || bar->isVisible();
        restoreHeld = restoreHeld || !child<QPushButton>(screen, "VisualButtonEx3")->isEnabled();
    });
    watcher.start();
    const auto boxes = press(screen, "Text1", target, "VisualButtonEx2", {QMessageBox::Ok});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    QCOMPARE(boxes.first().title, QStringLiteral("Senvora"));
    QCOMPARE(boxes.first().icon, QMessageBox::NoIcon);
    QVERIFY(barSeen);
    QVERIFY(restoreHeld);
    QVERIFY(ApplicationEnd::isEnding());
    QVERIFY(!screen.isVisible());
    QCOMPARE(bytesOf(target), bytesOf(live()));
    QCOMPARE(QFile::permissions(target) & (QFile::ReadGroup | QFile::ReadOther),
             QFile::Permissions());
}

void TestBackupScreen::backupOntoAnExistingFile_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("No leaves it") << QMessageBox::No;
    QTest::newRow("Yes replaces it") << QMessageBox::Yes;
}

void TestBackupScreen::backupOntoAnExistingFile()
{
    QFETCH(QMessageBox::StandardButton, answer);
    TestHome home;
    QVERIFY(Database::verify().isEmpty());
    const QString target = home.file(QStringLiteral("old.mdbB"));
    const QByteArray longer(QFileInfo(live()).size() + 5000, 'o');
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(longer);
    }
    Frmbackup screen;
    screen.show();
    const auto boxes = press(screen, "Text1", target, "VisualButtonEx2", {answer, QMessageBox::Ok});
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.first().text,
             QStringLiteral(
                 "فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟"));
    QCOMPARE(boxes.first().icon, QMessageBox::NoIcon);
    if (answer == QMessageBox::No) {
        QCOMPARE(boxes.last().text, QStringLiteral("عدم موفقيت در تهيه نسخه پشتيبان"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QCOMPARE(bytesOf(target), longer);
        QVERIFY(screen.isVisible());
    } else {
        QCOMPARE(boxes.last().text, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
        QCOMPARE(bytesOf(target), bytesOf(live()));
        QVERIFY(ApplicationEnd::isEnding());
    }
}

// The copy cannot even start (its folder is missing): one stop box over the screen, which stays
// open, and nothing is written.
void TestBackupScreen::failedBackupIsToldOverTheScreen()
{
    TestHome home;
    QVERIFY(Database::verify().isEmpty());
    const QString target = home.file(QStringLiteral("missing/out.mdbB"));
    Frmbackup screen;
    screen.show();
    screen.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &screen);
    const auto boxes = press(screen, "Text1", target, "VisualButtonEx2", {QMessageBox::Ok});
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().title, QStringLiteral("Senvora"));
    QCOMPARE(boxes.first().icon, QMessageBox::Critical);
    QVERIFY2(boxes.first().text.startsWith(QStringLiteral("اشکال در ايجاد نسخه پشتيباني") +
                                           QStringLiteral("\r\n")),
             qPrintable(boxes.first().text));
    QVERIFY(boxes.first().text.contains(QDir::toNativeSeparators(target)));
    QVERIFY(!ApplicationEnd::isEnding());
    QVERIFY(screen.isVisible());
    QVERIFY(!QFileInfo::exists(home.file(QStringLiteral("missing"))));
}

void TestBackupScreen::restoreBringsTheOldSubjectsBack()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("OLD")});
    const QString backup = home.file(QStringLiteral("kept.mdbB"));
    QVERIFY(copyOfLive(backup));
    Fixture::enrol({.code = QStringLiteral("NEW")});

    Frmbackup screen;
    screen.show();
    const auto boxes =
        press(screen, "Text2", backup, "VisualButtonEx3", {QMessageBox::Yes, QMessageBox::Ok});
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.first().text, QStringLiteral("آيا ميخواهيد اطلاعات را بازيابي کنيد؟"));
    QCOMPARE(boxes.last().text, QStringLiteral("بازيابي اطلاعات انجام شد"));
    QVERIFY(ApplicationEnd::isEnding());
    QCOMPARE(Fixture::rowCount(QStringLiteral("IDE")), 1);
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("OLD"), QStringLiteral("Code")),
        QStringLiteral("OLD"));

    // The restored file's trail tells of the restore once: which file, subjects before and after.
    const QList<AuditTrail::Entry> trail = AuditTrail::entries(QStringLiteral(""));
    QCOMPARE(trail.size(), 1);
    QCOMPARE(trail.first().action, AuditTrail::Action::Restore);
    QCOMPARE(trail.first().code, QString(""));
    QCOMPARE(trail.first().change.field, QStringLiteral("kept.mdbB"));
    QCOMPARE(trail.first().change.oldValue, QStringLiteral("2"));
    QCOMPARE(trail.first().change.newValue, QStringLiteral("1"));
    QCOMPARE(trail.first().user, AuditTrail::currentUser());

    // The database it replaced is kept in Back/, owner-only.
    const QFileInfoList kept = QDir(home.file(QStringLiteral("Back"))).entryInfoList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(codesIn(kept.first().filePath()), QStringList({"NEW", "OLD"}));
    QCOMPARE(kept.first().permissions() & (QFile::ReadGroup | QFile::ReadOther),
             QFile::Permissions());
    QVERIFY(!QFile::exists(live() + QStringLiteral(".restore")));
}

void TestBackupScreen::refusedRestoreLeavesTheLiveDatabase_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("told"); // how the last box begins
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("answer No") << "backup" << QMessageBox::No << "عدم موفقيت در بازيابي اطلاعات "
                               << QMessageBox::NoIcon;
    const QString notStaged = QStringLiteral("بازیابی اطلاعات انجام نشد.");
    QTest::newRow("missing file") << "missing" << QMessageBox::Yes << notStaged
                                  << QMessageBox::Critical;
    QTest::newRow("not a database")
        << "text" << QMessageBox::Yes << "پرونده «" << QMessageBox::Warning;
    QTest::newRow("truncated database")
        << "truncated" << QMessageBox::Yes << "پرونده «" << QMessageBox::Warning;
    QTest::newRow("damaged database")
        << "damaged" << QMessageBox::Yes << "پرونده «" << QMessageBox::Warning;
    QTest::newRow("zero bytes") << "empty" << QMessageBox::Yes << "پرونده «"
                                << QMessageBox::Warning;
    QTest::newRow("random bytes") << "random" << QMessageBox::Yes << "پرونده «"
                                  << QMessageBox::Warning;
    QTest::newRow("a folder") << "folder" << QMessageBox::Yes << notStaged << QMessageBox::Critical;
    QTest::newRow("codes 000, 00 and 0 collapsed into one number")
        << "integer codes" << QMessageBox::Yes << "پرونده «" << QMessageBox::Warning;
    QTest::newRow("IDE is a view")
        << "view" << QMessageBox::Yes << "پرونده «" << QMessageBox::Warning;
    QTest::newRow("a settings database")
        << "settings" << QMessageBox::Yes << "پرونده «" << QMessageBox::Warning;
}

void TestBackupScreen::refusedRestoreLeavesTheLiveDatabase()
{
    QFETCH(QString, kind);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, told);
    QFETCH(QMessageBox::Icon, icon);
    TestHome home;
    enrolSeveral(QStringLiteral("B"), 40);
    const QString chosen = home.file(QStringLiteral("chosen.mdbB"));
    QVERIFY(copyOfLive(chosen));
    if (kind == QLatin1String("missing"))
        QFile::remove(chosen);
    if (kind == QLatin1String("text")) {
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Code,FName\nB1,Ali\n");
    }
    if (kind == QLatin1String("empty"))
        QVERIFY(QFile::resize(chosen, 0));
    if (kind == QLatin1String("random")) {
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 0; i < 64; ++i)
            file.write(QByteArray::number(QRandomGenerator::global()->generate64()).repeated(50));
    }
    if (kind == QLatin1String("folder")) {
        QFile::remove(chosen);
        QVERIFY(QDir().mkpath(chosen));
    }
    if (kind == QLatin1String("truncated"))
        QVERIFY(QFile::resize(chosen, QFileInfo(chosen).size() / 2));
    if (kind == QLatin1String("damaged")) { // full length, its last page wiped
        QFile file(chosen);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(file.size() - 4096));
        file.write(QByteArray(4096, '\0'));
    }
    if (kind == QLatin1String("settings")) {
        QFile::remove(chosen);
        QVERIFY(Database::verify().isEmpty());
        QVERIFY(QFile::copy(Database::absolutePath(Database::File::Settings), chosen));
    }
    if (kind == QLatin1String("integer codes")) {
        QFile::remove(chosen);
        ForeignFile made(chosen,
                         ForeignFile::insertsFor("000") + ForeignFile::insertsFor("00") +
                             ForeignFile::insertsFor("0"),
                         false, QStringLiteral("INTEGER"));
        QCOMPARE(made.problem(), QString());
    }
    if (kind == QLatin1String("view")) {
        QFile::remove(chosen);
        ForeignFile made(chosen, {QStringLiteral("ALTER TABLE IDE RENAME TO Hidden"),
                                  QStringLiteral("CREATE VIEW IDE AS SELECT * FROM Hidden")});
        QCOMPARE(made.problem(), QString());
    }
    Fixture::enrol({.code = QStringLiteral("LATEST")});
    const QByteArray before = bytesOf(live());

    Frmbackup screen;
    screen.show();
    const auto boxes = press(screen, "Text2", chosen, "VisualButtonEx3", {answer, QMessageBox::Ok});
    QCOMPARE(boxes.size(), 2);
    QVERIFY2(boxes.last().text.startsWith(told), qPrintable(boxes.last().text));
    QCOMPARE(boxes.last().icon, icon);
    QVERIFY(!ApplicationEnd::isEnding());
    QVERIFY(screen.isVisible());
    QCOMPARE(bytesOf(live()), before);
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("LATEST"), QStringLiteral("Code")),
        QStringLiteral("LATEST"));
    QVERIFY(!QDir(home.file(QStringLiteral("Back"))).exists());
    QCOMPARE(dbmFiles(), QStringList({"DB.mdb", "DB2.mdb"}));
}

// Files another program made: whatever schema or journal mode they carry, the restored file
// holds their rows in our own schema, is worked on in our journal mode, and later work stays
// whole.
void TestBackupScreen::foreignRestoreBringsInRowsOnly_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<bool>("keepLog");
    QTest::addColumn<QString>("codeType");
    QTest::addColumn<QStringList>("codes");
    const QStringList three{"B1", "B2", "B3"};
    QTest::newRow("WAL mode, subjects still in the log")
        << ForeignFile::insertsFor("W1") << true << "TEXT" << QStringList{"B1", "B2", "B3", "W1"};
    QTest::newRow("trigger wipes the registry on enrolment")
        << QStringList{"CREATE TRIGGER wipe AFTER INSERT ON IDE BEGIN "
                       "DELETE FROM IDE WHERE Code <> NEW.Code; END"}
        << false << "TEXT" << three;
    QTest::newRow("trigger rewrites stored scores")
        << QStringList{"CREATE TRIGGER fake AFTER UPDATE ON Print1 BEGIN "
                       "UPDATE Print1 SET Score = '0' WHERE ID = NEW.ID AND Score <> '0'; END"}
        << false << "TEXT" << three;
    QTest::newRow("extra table, index and view")
        << QStringList{"CREATE TABLE Spy (x)", "CREATE INDEX odd ON IDE (LName, Sen)",
                       "CREATE VIEW Seen AS SELECT * FROM IDE"}
        << false << "TEXT" << three;
    QTest::newRow("codes in an INTEGER column")
        << (ForeignFile::insertsFor("7") + ForeignFile::insertsFor("0012")) << false << "INTEGER"
        << QStringList{"12", "7", "B1", "B2", "B3"};
    QTest::newRow("earlier version without Print1")
        << QStringList{"DROP TABLE Print1"} << false << "TEXT" << three;
}

void TestBackupScreen::foreignRestoreBringsInRowsOnly()
{
    QFETCH(QStringList, extra);
    QFETCH(bool, keepLog);
    QFETCH(QString, codeType);
    QFETCH(QStringList, codes);
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("LIVE")});
    const QString chosen = home.file(QStringLiteral("foreign.mdbB"));
    ForeignFile made(chosen, extra, keepLog, codeType);
    QCOMPARE(made.problem(), QString());
    {
        Frmbackup screen;
        screen.show();
        const auto boxes =
            press(screen, "Text2", chosen, "VisualButtonEx3", {QMessageBox::Yes, QMessageBox::Ok});
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes.last().text, QStringLiteral("بازيابي اطلاعات انجام شد"));
    }
    QCOMPARE(codesIn(live()), codes);
    QVERIFY(Database::hasOurSchema(Database::File::Subjects, live()));
    QCOMPARE(peek(live(), "SELECT DISTINCT typeof(Code) FROM IDE"), QStringList{"text"});
    QCOMPARE(dbmFiles(), QStringList({"DB.mdb", "DB2.mdb"}));
    // Whatever mode the file came in, the program works on it in its own.
    QSqlQuery mode(Database::connection(Database::File::Subjects));
    QVERIFY(mode.exec(QStringLiteral("PRAGMA journal_mode")) && mode.next());
    QCOMPARE(mode.value(0).toString(), QString::fromLatin1(Database::JournalMode).toLower());
    mode.finish();

    // The next working period: an enrolment and a changed score stay as confirmed, and the
    // backup made afterwards holds them, read from the one backup file alone.
    ApplicationEnd::reset();
    Fixture::enrol({.code = QStringLiteral("NEW"), .score = QStringLiteral("3")});
    QSqlQuery(Database::connection(Database::File::Subjects))
        .exec(QStringLiteral("UPDATE Print1 SET Score = '9' WHERE Code = 'NEW'"));
    const QString backup = home.file(QStringLiteral("later/next.mdbB"));
    QVERIFY(QDir().mkpath(home.file(QStringLiteral("later"))));
    {
        Frmbackup screen;
        screen.show();
        QCOMPARE(press(screen, "Text1", backup, "VisualButtonEx2", {QMessageBox::Ok}).size(), 1);
    }
    QCOMPARE(QDir(home.file(QStringLiteral("later"))).entryList(QDir::Files),
             QStringList{"next.mdbB"});
    QStringList withNew = codes + QStringList{"NEW"};
    withNew.sort();
    QCOMPARE(codesIn(backup), withNew);
    QCOMPARE(peek(backup, "SELECT Score FROM Print1 WHERE Code = 'NEW'"), QStringList{"9"});
}

// Another program switched the live file to WAL mode and keeps it open: confirmed subjects sit
// in the log, and the backup still holds every one of them.
void TestBackupScreen::backupHoldsWhatTheLogHeld()
{
    TestHome home;
    QVERIFY(Database::verify().isEmpty()); // our connection is open before the other's
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
    other.setDatabaseName(live());
    QVERIFY(other.open());
    QSqlQuery(other).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    QSqlQuery(other).exec(QStringLiteral("PRAGMA wal_autocheckpoint = 0"));
    QSqlQuery(other).exec(QStringLiteral("SELECT count(*) FROM IDE"));
    enrolSeveral(QStringLiteral("L"), 3);
    QVERIFY(QFileInfo(live() + QStringLiteral("-wal")).size() > 0);
    const QString backup = home.file(QStringLiteral("copy.mdbB"));
    {
        Frmbackup screen;
        screen.show();
        const auto boxes = press(screen, "Text1", backup, "VisualButtonEx2", {QMessageBox::Ok});
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().text, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    }
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    QCOMPARE(codesIn(backup), QStringList({"L1", "L2", "L3"}));
}

void TestBackupScreen::exitEndsTheApplication()
{
    TestHome home;
    Frmbackup screen;
    screen.show();
    click(screen, "Command1");
    QVERIFY(ApplicationEnd::isEnding());
    QVERIFY(!screen.isVisible());
}

QTEST_MAIN(TestBackupScreen)
#include "tst_backupscreen.moc"
