#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "appearance/Frmskin.h"
#include "appearance/ThemeFiles.h"
#include "data/Database.h"
#include "scoring/FrmkLID.h"
#include "support/ScreenDriver.h"
#include "support/TestSupport.h"
#include "ui/ApplicationEnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

// Another program (the sqlite3 tool) holds a write transaction open on a database file while
// the operator saves: every write path waits a bounded time, says so in Persian, stores nothing
// half-way and leaves the application running; once the other program lets go, the same click
// stores the data.
class TestBusyDatabase : public QObject
{
    Q_OBJECT

  private slots:
    void busyWriteIsToldAndRetryStores_data();
    void busyWriteIsToldAndRetryStores();
};

namespace {

// A write transaction of the sqlite3 tool, held until release().
class ForeignWriter
{
  public:
    explicit ForeignWriter(Database::File file) : path_(Database::absolutePath(file))
    {
        tool_.start(QStringLiteral("sqlite3"), {path_});
        tool_.write("BEGIN IMMEDIATE;\n");
    }
    ~ForeignWriter() { release(); }
    // Whether the tool holds the write lock: a write of our own is refused at once.
    bool holding() const
    {
        const QString name = QStringLiteral("busy-probe");
        bool refused = false;
        {
            QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            probe.setDatabaseName(path_);
            probe.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            if (probe.open()) {
                QSqlQuery begin(probe);
                refused = !begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
                if (!refused)
                    QSqlQuery(probe).exec(QStringLiteral("ROLLBACK"));
            }
            probe.close();
        }
        QSqlDatabase::removeDatabase(name);
        return refused;
    }
    void release()
    {
        if (tool_.state() == QProcess::NotRunning)
            return;
        tool_.write("ROLLBACK;\n.quit\n");
        tool_.closeWriteChannel();
        tool_.waitForFinished();
    }

  private:
    QString path_;
    QProcess tool_;
};

// The wait for a busy file is kept short here; the application's own wait is a few seconds.
void shortenBusyWait()
{
    for (Database::File file : {Database::File::Settings, Database::File::Subjects})
        QSqlQuery(Database::connection(file)).exec(QStringLiteral("PRAGMA busy_timeout = 200"));
}

template <typename T> T* child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

void click(QWidget* parent, const char* name)
{
    QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton);
}

struct WritePath
{
    Database::File file;
    QString headline;                          // the failure box starts with it
    std::function<void(Frm1&)> prepare;        // before the other program writes
    std::function<void(Frm1&)> act;            // the operator's save
    std::function<void(ModalDriver&)> dialogs; // what the save asks on its way
    std::function<bool()> stored;              // read back from the file
};

const QString answered = QStringLiteral("101010101010101");

QHash<QString, WritePath> writePaths()
{
    using File = Database::File;
    return {
        {QStringLiteral("theme button"),
         {File::Settings, QStringLiteral("تم برنامه عوض نشد."),
          [](Frm1& w) {
              click(&w, "Command9");
              click(&w, "Command68");
          },
          [](Frm1& w) { click(&w, "Command44"); }, [](ModalDriver&) {},
          [] { return Fixture::setting(QStringLiteral("TH")) == QLatin1String("2"); }}},
        {QStringLiteral("clinic name Save"),
         {File::Settings, QStringLiteral("نام و آدرس کلینیک ذخیره نشد."),
          [](Frm1& w) {
              click(&w, "Command9");
              click(&w, "Command67");
              w.clinicPanel()->nameBox()->setText(QStringLiteral("کلینیک مهر"));
          },
          [](Frm1& w) { click(&w, "Command64"); }, [](ModalDriver&) {},
          [] { return Fixture::setting(QStringLiteral("Name")) == QStringLiteral("کلینیک مهر"); }}},
        {QStringLiteral("enrolment Save"),
         {File::Subjects, QStringLiteral("ثبت آزمودنی انجام نشد"),
          [](Frm1& w) {
              click(&w, "Command1");
              QWidget* panel = child<QWidget>(&w, "Frame10");
              const QList<QPair<const char*, QString>> entries{{"Text11", QStringLiteral("B1")},
                                                               {"Text6", QStringLiteral("علی")},
                                                               {"Text4", QStringLiteral("رضایی")},
                                                               {"Text5", QStringLiteral("72")},
                                                               {"Text7", QStringLiteral("دیپلم")}};
              for (const auto& [name, text] : entries)
                  child<QLineEdit>(panel, name)->setText(text);
              for (const auto& [combo, index] :
                   QList<QPair<const char*, int>>{{"Combo1", 1}, {"Combo2", 0}, {"Combo3", 0}}) {
                  child<QComboBox>(panel, combo)->setCurrentIndex(index);
                  emit child<QComboBox>(panel, combo)->activated(index);
              }
          },
          [](Frm1& w) { click(child<QWidget>(&w, "Frame10"), "Command8"); }, [](ModalDriver&) {},
          [] {
              return Fixture::rowCount(QStringLiteral("IDE")) == 1 &&
                     Fixture::rowCount(QStringLiteral("Answer")) == 1 &&
                     Fixture::rowCount(QStringLiteral("Print1")) == 1;
          }}},
        {QStringLiteral("scoring search"),
         {File::Subjects, QStringLiteral("نمره آزمودنی ذخیره نشد."),
          [](Frm1&) { Fixture::enrol({.code = QStringLiteral("S1"), .answers = answered}); },
          [](Frm1&) {
              FrmkLID screen;
              screen.show();
              click(&screen, "Command1");
          },
          [](ModalDriver& driver) { driver.input(QStringLiteral("S1")); },
          [] {
              return !Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("S1"),
                                        QStringLiteral("Score"))
                          .isEmpty();
          }}},
    };
}

} // namespace

void TestBusyDatabase::busyWriteIsToldAndRetryStores_data()
{
    QTest::addColumn<QString>("path");
    for (const QString& name : writePaths().keys())
        QTest::newRow(qPrintable(name)) << name;
}

void TestBusyDatabase::busyWriteIsToldAndRetryStores()
{
    QFETCH(QString, path);
    const WritePath write = writePaths().value(path);
    TestHome home;
    ThemeFiles::installMissing(home.path());
    QPointer<Frm1> window = Frm1::openNew();
    shortenBusyWait();
    write.prepare(*window);
    {
        ForeignWriter other(write.file);
        QTRY_VERIFY(other.holding());
        ModalDriver driver;
        write.dialogs(driver);
        driver.box();
        write.act(*window);
        QTRY_VERIFY(driver.done());
        QCOMPARE(driver.boxes().size(), 1);
        QCOMPARE(driver.boxes().first().title, QStringLiteral("خطا"));
        QVERIFY2(driver.lastText().startsWith(write.headline), qPrintable(driver.lastText()));
        QVERIFY2(driver.lastText().contains(QStringLiteral("برنامه دیگری")),
                 qPrintable(driver.lastText()));
        QVERIFY(!write.stored());
    }
    // Nothing ended: the main window is up and working, the failed click can be repeated.
    QVERIFY(!ApplicationEnd::isEnding());
    QVERIFY(window && window->isVisible());
    QVERIFY(!findWindow<Frmskin>());
    ModalDriver driver;
    write.dialogs(driver);
    write.act(*window);
    QVERIFY(driver.done());
    QVERIFY(driver.boxes().isEmpty());
    QVERIFY(write.stored());
}

QTEST_MAIN(TestBusyDatabase)
#include "tst_busydatabase.moc"
