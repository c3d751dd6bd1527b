#include "data/ServerStore.h"

#include "data/Schema.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace ServerStore {

namespace {

// How long a workstation waits for the server before it tells the user (seconds): to connect,
// for one statement, for a lock another workstation holds, and for a silent network.
constexpr int ConnectSeconds = 5;
constexpr int StatementSeconds = 15;
constexpr int LockSeconds = 10;

// One lock the workstations take while they look at and make the tables.
constexpr qint64 SchemaLock = 0x53656e766f7261; // "Senvora"

QString notAUri(const QString& reason)
{
    return QStringLiteral("نشانی سرور پایگاه داده در %1 درست نیست: %2")
        .arg(QLatin1String(Variable), reason);
}

QString unreachable(const QSqlDatabase& db, const QString& detail)
{
    Address address;
    address.host = db.hostName();
    address.port = db.port();
    address.database = db.databaseName();
    return QStringLiteral("اتصال به سرور پایگاه داده «%1» برقرار نشد.\n%2")
        .arg(describe(address), detail.trimmed());
}

bool run(QSqlQuery& query, const QString& statement, QString* error)
{
    if (query.exec(statement))
        return true;
    *error = query.lastError().text();
    return false;
}

QStringList columnsOf(QSqlDatabase& db, const QString& table)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT column_name FROM information_schema.columns "
                                 "WHERE table_schema = current_schema() AND table_name = ?"));
    query.addBindValue(table);
    QStringList columns;
    if (query.exec()) {
        while (query.next())
            columns << query.value(0).toString();
    }
    return columns;
}

// Missing tables or columns, described in Persian; empty when the layout is complete.
QString layoutProblem(QSqlDatabase& db)
{
    for (const TableSchema& table : Schema::subjectTables()) {
        const QStringList present = columnsOf(db, table.name);
        if (present.isEmpty())
            return QStringLiteral("جدول «%1» در پایگاه داده سرور نیست.").arg(table.name);
        for (const QString& column : table.columns) {
            if (!present.contains(column))
                return QStringLiteral("ستون «%1» در جدول «%2» سرور نیست.").arg(column, table.name);
        }
    }
    return {};
}

// The layout version the server holds: 0 when it has none of our tables, -1 when it holds
// tables of ours without a version (made by something else).
int storedVersion(QSqlDatabase& db, QString* error)
{
    QSqlQuery query(db);
    if (!run(query,
             QStringLiteral("SELECT to_regclass(%1) IS NOT NULL, to_regclass(%2) IS NOT NULL")
                 .arg(QStringLiteral("'%1'").arg(Schema::quoted(Schema::VersionTable)),
                      QStringLiteral("'%1'").arg(
                          Schema::quoted(Schema::subjectTables().first().name))),
             error) ||
        !query.next())
        return -1;
    if (!query.value(0).toBool())
        return query.value(1).toBool() ? -1 : 0;
    if (!run(
            query,
            QStringLiteral("SELECT max(version) FROM %1").arg(Schema::quoted(Schema::VersionTable)),
            error) ||
        !query.next())
        return -1;
    return query.value(0).toInt();
}

QString createLayout(QSqlDatabase& db)
{
    const QList<TableSchema> tables = Schema::subjectTables();
    QStringList statements = Schema::createStatements(tables, Schema::Dialect::PostgreSQL) +
                             Schema::indexStatements(tables, Schema::Dialect::PostgreSQL);
    statements << QStringLiteral("CREATE TABLE %1 (version INTEGER NOT NULL)")
                      .arg(Schema::quoted(Schema::VersionTable))
               << QStringLiteral("INSERT INTO %1 (version) VALUES (%2)")
                      .arg(Schema::quoted(Schema::VersionTable))
                      .arg(Schema::Version);
    QSqlQuery query(db);
    QString error;
    for (const QString& statement : statements) {
        if (!run(query, statement, &error))
            return QStringLiteral(
                       "جدول‌های برنامه روی سرور ساخته نشد.\n%1")
                .arg(error);
    }
    return {};
}

QString versionProblem(int version)
{
    if (version < 0)
        return QStringLiteral(
            "این پایگاه داده جدول‌هایی دارد که این برنامه نساخته است؛ "
            "برای سنوورا یک پایگاه داده خالی بسازید.");
    if (version > Schema::Version)
        return QStringLiteral(
                   "پایگاه داده سرور را نسخه تازه‌تری از برنامه ساخته است "
                   "(نسخه %1 جدول‌ها؛ این برنامه نسخه %2 را می‌شناسد). "
                   "این ایستگاه را به‌روز کنید.")
            .arg(version)
            .arg(Schema::Version);
    return {};
}

// Looks at the server's tables under a lock every workstation takes, so that two starting at
// once on an empty database make the tables once.
QString prepareLayout(QSqlDatabase& db)
{
    if (!db.transaction())
        return db.lastError().text();
    QSqlQuery lock(db);
    QString problem;
    if (run(lock, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(SchemaLock), &problem)) {
        const int version = storedVersion(db, &problem);
        if (problem.isEmpty())
            problem = version == 0 ? createLayout(db) : versionProblem(version);
    }
    if (!problem.isEmpty()) {
        db.rollback();
        return problem;
    }
    if (!db.commit())
        return db.lastError().text();
    return layoutProblem(db);
}

} // namespace

bool isChosen()
{
    return !chosenUri().isEmpty();
}

QString chosenUri()
{
    return qEnvironmentVariable(Variable).trimmed();
}

bool parse(const QString& given, Address* address, QString* problem)
{
    // A socket folder written as the host, percent-encoded (postgresql://u@%2Frun%2Fpg/db),
    // is not a host name a URL may hold: it is read as the host option instead.
    static const QRegularExpression encodedFolder(
        QStringLiteral("^([a-z]+://(?:[^/?#@]*@)?)(%2F[^/?#:]*)(?::(\\d+))?(/[^?#]*)(?:\\?(.*))?$"),
        QRegularExpression::CaseInsensitiveOption);
    QString uri = given;
    if (const auto match = encodedFolder.match(given); match.hasMatch()) {
        QStringList options{QStringLiteral("host=") + match.captured(2)};
        if (!match.captured(3).isEmpty())
            options << QStringLiteral("port=") + match.captured(3);
        if (!match.captured(5).isEmpty())
            options << match.captured(5);
        uri = match.captured(1) + match.captured(4) + QLatin1Char('?') +
              options.join(QLatin1Char('&'));
    }
    const QUrl url(uri, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("postgresql") &&
                           url.scheme() != QLatin1String("postgres"))) {
        *problem = notAUri(QStringLiteral("باید با postgresql:// آغاز شود."));
        return false;
    }
    Address read;
    read.host = url.host(QUrl::FullyDecoded);
    read.port = url.port(-1);
    read.user = url.userName(QUrl::FullyDecoded);
    read.password = url.password(QUrl::FullyDecoded);
    read.database = url.path(QUrl::FullyDecoded).mid(1);
    const QUrlQuery options(url);
    for (const auto& [key, value] : options.queryItems(QUrl::FullyDecoded)) {
        if (key == QLatin1String("host")) {
            read.host = value;
        } else if (key == QLatin1String("port")) {
            bool ok = false;
            read.port = value.toInt(&ok);
            if (!ok) {
                *problem = notAUri(QStringLiteral("درگاه «%1» عدد نیست.").arg(value));
                return false;
            }
        } else if (key == QLatin1String("dbname")) {
            read.database = value;
        } else if (key == QLatin1String("user")) {
            read.user = value;
        } else if (key == QLatin1String("password")) {
            read.password = value;
        } else if (key == QLatin1String("sslmode") &&
                   QStringList{"disable", "allow", "prefer", "require", "verify-ca", "verify-full"}
                       .contains(value)) {
            read.sslMode = value;
        } else {
            *problem = notAUri(QStringLiteral("گزینه «%1» شناخته نیست.").arg(key));
            return false;
        }
    }
    if (read.database.isEmpty() || read.database.contains(QLatin1Char('/'))) {
        *problem = notAUri(QStringLiteral("نام پایگاه داده در آن نیامده است."));
        return false;
    }
    *address = read;
    return true;
}

QString describe(const Address& address)
{
    QString where = address.host.isEmpty() ? QStringLiteral("localhost") : address.host;
    if (address.port > 0)
        where += QLatin1Char(':') + QString::number(address.port);
    return address.database + QLatin1Char('@') + where;
}

QString open(QSqlDatabase& db)
{
    Address address;
    QString problem;
    if (!parse(chosenUri(), &address, &problem))
        return problem;
    db.setHostName(address.host);
    if (address.port > 0)
        db.setPort(address.port);
    db.setDatabaseName(address.database);
    db.setUserName(address.user);
    db.setPassword(address.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=5;"
                                        "keepalives_interval=2;keepalives_count=3;"
                                        "tcp_user_timeout=%2;application_name=senvora%3")
                             .arg(ConnectSeconds)
                             .arg(StatementSeconds * 1000)
                             .arg(address.sslMode.isEmpty()
                                      ? QString()
                                      : QStringLiteral(";sslmode=") + address.sslMode));
    if (!db.open())
        return unreachable(db, db.lastError().text());
    QSqlQuery settings(db);
    for (const QString& statement :
         {QStringLiteral("SET statement_timeout = %1").arg(StatementSeconds * 1000),
          QStringLiteral("SET lock_timeout = %1").arg(LockSeconds * 1000),
          QStringLiteral("SET client_encoding = 'UTF8'")}) {
        if (!run(settings, statement, &problem)) {
            db.close();
            return unreachable(db, problem);
        }
    }
    problem = prepareLayout(db);
    if (!problem.isEmpty()) {
        db.close();
        return QStringLiteral("پایگاه داده سرور «%1» قابل استفاده نیست.\n%2")
            .arg(describe(address), problem);
    }
    return {};
}

} // namespace ServerStore
