#include "support/TestSupport.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "data/ServerStore.h"
#include "ui/ApplicationEnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QMouseEvent>

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

bool TestServerDatabase::wanted()
{
    return qEnvironmentVariableIsSet("SENVORA_TEST_SERVER");
}

QString TestServerDatabase::uriOf(const QString& database)
{
    QFile state(qEnvironmentVariable("SENVORA_TEST_SERVER"));
    if (!state.open(QIODevice::ReadOnly))
        qFatal("the test cluster is not running (%s missing)", qPrintable(state.fileName()));
    QUrl url(QString::fromUtf8(state.readAll()).trimmed());
    url.setPath(QLatin1Char('/') + database);
    return url.toString();
}

bool TestServerDatabase::administer(const QString& statement)
{
    const QString name = QStringLiteral("test-administration");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const QUrl url(uriOf(QStringLiteral("postgres")));
        db.setHostName(QUrlQuery(url).queryItemValue(QStringLiteral("host")));
        db.setUserName(url.userName());
        db.setDatabaseName(QStringLiteral("postgres"));
        ok = db.open() && QSqlQuery(db).exec(statement);
        if (!ok)
            qWarning("%s: %s", qPrintable(statement), qPrintable(db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

TestServerDatabase::TestServerDatabase()
    : name_(QStringLiteral("senvora_test_") + QUuid::createUuid().toString(QUuid::Id128).left(16)),
      previous_(qgetenv(ServerStore::Variable))
{
    if (!administer(QStringLiteral("CREATE DATABASE %1").arg(name_)))
        qFatal("the test database was not made on the cluster");
    qputenv(ServerStore::Variable, uri().toUtf8());
}

TestServerDatabase::~TestServerDatabase()
{
    Database::closeAll();
    qputenv(ServerStore::Variable, previous_);
    administer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
}

TestHome::TestHome() : previous_(QDir::currentPath())
{
    Database::closeAll();
    if (TestServerDatabase::wanted())
        server_ = std::make_unique<TestServerDatabase>();
    QDir::setCurrent(dir_.path());
    ApplicationEnd::setQuitsEventLoop(false);
    ApplicationEnd::reset();
}

TestHome::~TestHome()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->close();
    QApplication::processEvents();
    Database::closeAll();
    server_.reset();
    ApplicationEnd::reset();
    QDir::setCurrent(previous_);
}

ModalDriver::ModalDriver()
{
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalDriver::poll);
    timer_.start();
    qApp->installEventFilter(this);
}

ModalDriver::~ModalDriver()
{
    qApp->removeEventFilter(this);
}

// A window that is shown is served as soon as the event loop turns, not at the next poll.
bool ModalDriver::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow())
        QMetaObject::invokeMethod(this, &ModalDriver::poll, Qt::QueuedConnection);
    return false;
}

ModalDriver& ModalDriver::box(QMessageBox::StandardButton button)
{
    steps_.append({[](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
                   [button](QWidget* w) {
                       auto* box = static_cast<QMessageBox*>(w);
                       QAbstractButton* target =
                           button == QMessageBox::NoButton
                               ? static_cast<QAbstractButton*>(box->defaultButton())
                               : box->button(button);
                       if (!target && !box->buttons().isEmpty())
                           target = box->buttons().first();
                       if (target)
                           target->click();
                   }});
    return *this;
}

ModalDriver& ModalDriver::notice(bool waitForTimer)
{
    steps_.append({[](QWidget* w) {
                       auto* box = qobject_cast<QMessageBox*>(w);
                       return box && box->windowTitle() == QStringLiteral("پيام");
                   },
                   [waitForTimer](QWidget* w) {
                       if (!waitForTimer)
                           static_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
                   }});
    return *this;
}

ModalDriver& ModalDriver::input(const QString& text)
{
    steps_.append({[](QWidget* w) { return qobject_cast<QInputDialog*>(w) != nullptr; },
                   [text](QWidget* w) {
                       auto* dialog = static_cast<QInputDialog*>(w);
                       dialog->setTextValue(text);
                       dialog->accept();
                   }});
    return *this;
}

ModalDriver& ModalDriver::cancelInput()
{
    steps_.append({[](QWidget* w) { return qobject_cast<QInputDialog*>(w) != nullptr; },
                   [](QWidget* w) { static_cast<QInputDialog*>(w)->reject(); }});
    return *this;
}

ModalDriver& ModalDriver::then(std::function<void(QWidget*)> action)
{
    steps_.append({[](QWidget*) { return true; }, std::move(action)});
    return *this;
}

QStringList ModalDriver::texts() const
{
    QStringList all;
    for (const Box& box : boxes_)
        all << box.text;
    return all;
}

void ModalDriver::record(QWidget* modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        boxes_.append({box->windowTitle(), box->text(), box->icon()});
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == lastHandled_ || steps_.isEmpty())
        return;
    if (!steps_.first().matches(modal))
        return;
    const Step step = steps_.takeFirst();
    lastHandled_ = modal;
    record(modal);
    // Act from a timer of its own: an action that opens a nested modal window blocks, and the
    // polling timer must stay free to serve that window.
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, this, [step, target] {
        if (target)
            step.act(target);
    });
}

void hoverOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x7f && c.isPrint())
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

namespace Fixture {

static QSqlQuery run(const QString& sql, const QVariantList& values,
                     Database::File file = Database::File::Subjects)
{
    QSqlQuery query(Database::connection(file));
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        qFatal("fixture query failed: %s", qPrintable(query.lastError().text()));
    return query;
}

static QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void enrol(const Subject& s)
{
    run(QStringLiteral(
            "INSERT INTO \"IDE\" (\"Code\", \"FName\", \"LName\", \"Sen\", \"Jens\", "
            "\"Taahol\", \"Tahsil\", \"Date\", \"Time\", \"Group\") VALUES (?, ?, ?, '70', 'مرد', 'متأهل', 'دیپلم', "
            "'1403/01/01', '10:00', ?)"),
        {s.code, s.firstName, s.familyName, s.group});
    QVariantList answerValues{s.code, s.group};
    QStringList columns;
    for (int item = 1; item <= 15; ++item) {
        columns << Schema::quoted(QString::number(item));
        const QString answer = item <= s.answers.size() ? s.answers.mid(item - 1, 1) : QString();
        answerValues << textOrNull(answer.trimmed());
    }
    run(QStringLiteral("INSERT INTO \"Answer\" (\"Code\", \"Group\", %1) VALUES (?, ?%2)")
            .arg(columns.join(QStringLiteral(", ")), QStringLiteral(", ?").repeated(15)),
        answerValues);
    run(QStringLiteral("INSERT INTO \"Print1\" (\"Code\", \"FName\", \"LName\", \"Group\", "
                       "\"Score\", \"Comment\") "
                       "VALUES (?, ?, ?, ?, ?, ?)"),
        {s.code, s.firstName, s.familyName, s.group, textOrNull(s.score), textOrNull(s.comment)});
}

QString columnOf(const QString& table, const QString& code, const QString& column)
{
    QSqlQuery query = run(QStringLiteral("SELECT %1 FROM %2 WHERE \"Code\" = ? ORDER BY %3")
                              .arg(Schema::quoted(column), Schema::quoted(table),
                                   Database::rowKey(Database::File::Subjects)),
                          {code});
    return query.next() ? query.value(0).toString() : QString();
}

QString answerOf(const QString& code, int item)
{
    return columnOf(QStringLiteral("Answer"), code, QString::number(item));
}

int rowCount(const QString& table)
{
    QSqlQuery query = run(QStringLiteral("SELECT COUNT(*) FROM %1").arg(Schema::quoted(table)), {});
    return query.next() ? query.value(0).toInt() : -1;
}

QString setting(const QString& column)
{
    QSqlQuery query = run(
        QStringLiteral("SELECT %1 FROM [Theme] ORDER BY rowid LIMIT 1").arg(Schema::quoted(column)),
        {}, Database::File::Settings);
    return query.next() ? query.value(0).toString() : QString();
}

void setSetting(const QString& column, const QString& value)
{
    run(QStringLiteral("UPDATE [Theme] SET %1 = ? WHERE rowid = (SELECT MIN(rowid) FROM [Theme])")
            .arg(Schema::quoted(column)),
        {textOrNull(value)}, Database::File::Settings);
}

} // namespace Fixture

namespace Reports {

QStringList files()
{
    QDir folder(QDir::current().filePath(QStringLiteral("Reports")));
    QStringList paths;
    const QFileInfoList found =
        folder.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& file : found)
        paths << file.absoluteFilePath();
    return paths;
}

QString plain(const QString& text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.remove(QRegularExpression(QStringLiteral("[\\x{200B}-\\x{200F}\\x{202A}-\\x{202E}]")));
    folded.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
    for (char16_t digit = 0; digit < 10; ++digit) // Arabic-Indic digits as Persian ones
        folded.replace(QChar(0x0660 + digit), QChar(0x06F0 + digit));
    folded.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    return folded;
}

QString text(const QString& path, bool layout)
{
    QProcess process;
    QStringList arguments;
    if (layout)
        arguments << QStringLiteral("-layout");
    arguments << path << QStringLiteral("-");
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("pdftotext failed on %s", qPrintable(path));
    return plain(QString::fromUtf8(process.readAllStandardOutput()));
}

QList<QPair<int, QString>> detailLines(const QString& layoutText)
{
    static const QRegularExpression line(QStringLiteral("([A-Z]\\d+)\\S* (\\d+)\\S*\\s*$"));
    QList<QPair<int, QString>> lines;
    for (const QString& printed : layoutText.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(printed);
        if (match.hasMatch())
            lines.append({match.captured(2).toInt(), match.captured(1)});
    }
    return lines;
}

QList<QPair<int, QString>> detailLinesOf(const QString& path)
{
    return detailLines(text(path, true));
}

} // namespace Reports

namespace CodePrompt {

void addRefusals(const QStringList& unknownCodes)
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("notice");
    const QString noCode = QStringLiteral("شما بايد شماره آزمودني مورد نظر را وارد كنيد");
    QTest::newRow("cancelled") << true << QString() << noCode;
    QTest::newRow("empty") << false << QString() << noCode;
    for (const QString& code : unknownCodes)
        QTest::addRow("unknown %s", qPrintable(code))
            << false << code << QStringLiteral("فردي با اين مشخصات وجود ندارد");
}

void refuse(ModalDriver& driver)
{
    QFETCH(bool, cancel);
    QFETCH(QString, code);
    if (cancel)
        driver.cancelInput();
    else
        driver.input(code);
    driver.notice();
}

} // namespace CodePrompt
