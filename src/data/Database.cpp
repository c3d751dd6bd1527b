#include "data/Database.h"

#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

struct FileState
{
    QString openedPath;
    QString error;
};

QHash<Database::File, FileState>& states()
{
    static QHash<Database::File, FileState> table;
    return table;
}

QString connectionName(Database::File file)
{
    return file == Database::File::Settings ? QStringLiteral("senvora-settings")
                                            : QStringLiteral("senvora-subjects");
}

QList<TableSchema> tablesOf(Database::File file)
{
    return file == Database::File::Settings ? Schema::settingsTables() : Schema::subjectTables();
}

QString unusableFile(const QString& shownPath, const QString& reason)
{
    return QStringLiteral(
               "پرونده پایگاه داده «%1» قابل استفاده نیست.\n%2\n"
               "برنامه این پرونده را تغییر نمی‌دهد تا بتوانید آن را بازیابی "
               "کنید.")
        .arg(shownPath, reason);
}

bool runAll(QSqlDatabase& db, const QStringList& statements, QString* error)
{
    QSqlQuery query(db);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

// Missing columns or tables, described in Persian; empty when the schema is complete.
QString schemaProblem(QSqlDatabase& db, const QList<TableSchema>& tables)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")))
        return QStringLiteral("این پرونده پایگاه داده نیست یا آسیب دیده است.");
    QStringList present;
    while (query.next())
        present << query.value(0).toString();
    for (const TableSchema& table : tables) {
        if (!present.contains(table.name, Qt::CaseInsensitive))
            return QStringLiteral("جدول «%1» در این پرونده نیست.").arg(table.name);
        QSqlQuery info(db);
        info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Schema::quoted(table.name)));
        QStringList columns;
        while (info.next())
            columns << info.value(1).toString();
        for (const QString& column : table.columns) {
            if (!columns.contains(column, Qt::CaseInsensitive))
                return QStringLiteral("ستون «%1» در جدول «%2» نیست.").arg(column, table.name);
        }
    }
    return {};
}

// A file can hold the right tables and still be cut short or damaged further in; SQLite's
// own quick check reads every page.
QString quickCheckProblem(QSqlDatabase& db)
{
    QSqlQuery check(db);
    if (check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
        check.value(0).toString() == QLatin1String("ok"))
        return {};
    return QStringLiteral("این پرونده ناقص یا آسیب دیده است.");
}

// Runs fn on a private connection to path and removes the connection afterwards.
template <typename Fn> auto withConnection(const QString& path, Fn fn)
{
    const QString name = QStringLiteral("senvora-probe-") + QUuid::createUuid().toString();
    decltype(fn(std::declval<QSqlDatabase&>())) result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        result = fn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

// Builds a fresh file beside the target and renames it into place, so that an interrupted
// creation never leaves a half-made database behind.
QString createFile(Database::File file, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString temporary = path + QStringLiteral(".new");
    QFile::remove(temporary);
    const QString error = withConnection(temporary, [&](QSqlDatabase& db) -> QString {
        if (!db.open())
            return db.lastError().text();
        const QList<TableSchema> tables = tablesOf(file);
        QStringList statements = Schema::createStatements(tables) + Schema::indexStatements(tables);
        if (file == Database::File::Settings)
            statements << QStringLiteral("INSERT INTO [Theme] ([TH], [Name], [Adress]) "
                                         "VALUES ('1', '', '')");
        QString failure;
        db.transaction();
        if (!runAll(db, statements, &failure)) {
            db.rollback();
            return failure;
        }
        return db.commit() ? QString() : db.lastError().text();
    });
    if (error.isEmpty()) {
        QFile::setPermissions(temporary, QFile::ReadOwner | QFile::WriteOwner);
        if (QFile::rename(temporary, path))
            return {};
    }
    QFile::remove(temporary);
    return QStringLiteral("پرونده پایگاه داده «%1» ساخته نشد.\n%2")
        .arg(Database::relativePath(file),
             error.isEmpty() ? QStringLiteral("نوشتن در پوشه ممکن نیست.") : error);
}

QString existingFileProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("پرونده پیدا نشد.");
    if (info.isDir())
        return QStringLiteral(
            "به جای پرونده، پوشه‌ای با این نام هست.");
    if (!info.isReadable())
        return QStringLiteral("اجازه خواندن این پرونده نیست.");
    return {};
}

void closeConnection(Database::File file)
{
    const QString name = connectionName(file);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    states()[file].openedPath.clear();
}

} // namespace

QString Database::relativePath(File file)
{
    return file == File::Settings ? QStringLiteral("DBM/DB.mdb") : QStringLiteral("DBM/DB2.mdb");
}

QString Database::absolutePath(File file)
{
    return QDir::current().absoluteFilePath(relativePath(file));
}

QSqlDatabase Database::connection(File file)
{
    FileState& state = states()[file];
    const QString path = absolutePath(file);
    const QString name = connectionName(file);
    if (state.openedPath == path && state.error.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            return db;
    }
    closeConnection(file);
    state.openedPath = path;
    state.error.clear();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        state.error = createFile(file, path);
    } else if (QString problem = existingFileProblem(path); !problem.isEmpty()) {
        state.error = unusableFile(relativePath(file), problem);
    }
    if (!state.error.isEmpty())
        return QSqlDatabase();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        state.error = unusableFile(relativePath(file), db.lastError().text());
        return QSqlDatabase();
    }
    if (QString problem = schemaProblem(db, tablesOf(file)); !problem.isEmpty()) {
        db.close();
        state.error = unusableFile(relativePath(file), problem);
        return QSqlDatabase();
    }
    QString ignored;
    runAll(db, Schema::indexStatements(tablesOf(file)), &ignored); // best effort on old files
    return db;
}

QString Database::lastError(File file)
{
    return states().value(file).error;
}

QString Database::verify()
{
    for (File file : {File::Settings, File::Subjects}) {
        if (!connection(file).isOpen())
            return lastError(file);
    }
    return {};
}

bool Database::isSubjectDatabase(const QString& path, QString* problem)
{
    QString reason = existingFileProblem(path);
    if (reason.isEmpty() && QFileInfo(path).size() == 0)
        reason = QStringLiteral("این پرونده خالی است.");
    if (reason.isEmpty()) {
        reason = withConnection(path, [](QSqlDatabase& db) -> QString {
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            if (!db.open())
                return db.lastError().text();
            const QString missing = schemaProblem(db, Schema::subjectTables());
            return missing.isEmpty() ? quickCheckProblem(db) : missing;
        });
    }
    if (problem)
        *problem = reason;
    return reason.isEmpty();
}

void Database::closeAll()
{
    for (File file : {File::Settings, File::Subjects})
        closeConnection(file);
}

QStringList Database::columns(File file, const QString& table)
{
    for (const TableSchema& schema : tablesOf(file)) {
        if (schema.name.compare(table, Qt::CaseInsensitive) == 0) {
            QStringList all = schema.columns;
            if (schema.hasId)
                all.prepend(QStringLiteral("ID"));
            return all;
        }
    }
    return {};
}
