#include "data/Database.h"

#include "calendar/SolarHijriDate.h"
#include "data/DurableFile.h"
#include "data/ProgramPaths.h"
#include "data/Schema.h"
#include "data/SchemaCopy.h"
#include "data/ServerStore.h"
#include "data/SubjectHistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <sqlite3.h>

namespace {

struct FileState
{
    QString openedPath;
    QString error;
    bool suspect = false;
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
        if (!present.contains(table.name, Qt::CaseInsensitive)) {
            if (table.addedLater)
                continue; // a file of an earlier version: the table is made when it is opened
            return QStringLiteral("جدول «%1» در این پرونده نیست.").arg(table.name);
        }
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

// Files of earlier versions lack the tables added since: they are made, empty, in one
// transaction. Empty text when done, else SQLite's reason.
QString addLaterTables(QSqlDatabase& db, const QList<TableSchema>& tables)
{
    QList<TableSchema> missing;
    const QStringList present = db.tables();
    for (const TableSchema& table : tables) {
        if (table.addedLater && !present.contains(table.name, Qt::CaseInsensitive))
            missing << table;
    }
    if (missing.isEmpty())
        return {};
    QString error;
    if (!db.transaction())
        return db.lastError().text();
    if (SchemaCopy::create(db, missing, &error) && db.commit())
        return {};
    if (error.isEmpty())
        error = db.lastError().text();
    db.rollback();
    return error;
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

// Builds a fresh file beside the target and puts it in place durably, so that an interrupted
// creation never leaves a half-made database behind.
QString createFile(Database::File file, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString temporary = path + QStringLiteral(".new");
    QFile::remove(temporary);
    QString error;
    {
        ScopedConnection fresh(temporary, Database::Access::ReadWrite);
        QSqlDatabase& db = fresh.db();
        if (!fresh.isOpen()) {
            error = db.lastError().text();
        } else {
            db.transaction();
            if (SchemaCopy::create(db, tablesOf(file), &error) &&
                (file != Database::File::Settings ||
                 runAll(db,
                        {QStringLiteral("INSERT INTO [Theme] ([TH], [Name], [Adress]) "
                                        "VALUES ('1', '', '')")},
                        &error))) {
                if (!db.commit())
                    error = db.lastError().text();
            } else {
                db.rollback();
            }
        }
    }
    if (error.isEmpty()) {
        QFile::setPermissions(temporary, QFile::ReadOwner | QFile::WriteOwner);
        if (DurableFile::replace(temporary, path, &error))
            return {};
    }
    QFile::remove(temporary);
    return QStringLiteral("پرونده پایگاه داده «%1» ساخته نشد.\n%2")
        .arg(Database::relativePath(file),
             error.isEmpty() ? QStringLiteral("نوشتن در پوشه ممکن نیست.") : error);
}

// A subject file whose schema is not exactly ours (placed by hand, or by an earlier version):
// the original is kept byte for byte in Back/, its rows are copied into a fresh file of ours
// and that file takes its place. Empty text when done, else the Persian reason (the file is
// then left as it was).
QString rebuildSubjects(const QString& path)
{
    const QString rebuilt = Database::stagingPath(QStringLiteral("-rebuilt"));
    if (QString problem = SchemaCopy::copySubjects(path, rebuilt); !problem.isEmpty())
        return problem;
    QDir().mkpath(ProgramPaths::backupFolder());
    const QString kept =
        Database::safetyCopyPath(QStringLiteral("پیش از بازسازی"), QDateTime::currentDateTime());
    const QString keptPart =
        QFileInfo(kept).dir().filePath(QLatin1Char('.') + QFileInfo(kept).fileName() + ".part");
    QString error;
    if (!QFile::copy(path, keptPart) ||
        !QFile::setPermissions(keptPart, QFile::ReadOwner | QFile::WriteOwner) ||
        !DurableFile::replace(keptPart, kept, &error)) {
        QFile::remove(keptPart);
        QFile::remove(rebuilt);
        return QStringLiteral("نسخه ایمنی این پرونده در پوشه Back ساخته نشد. %1").arg(error);
    }
    Database::removeCompanions(path);
    if (!DurableFile::replace(rebuilt, path, &error)) {
        QFile::remove(rebuilt);
        return error;
    }
    return {};
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

// The subject tables on the chosen server: connected on first use and after the server went
// away (a failed action marks the connection suspect; the next one checks it).
QSqlDatabase serverConnection()
{
    FileState& state = states()[Database::File::Subjects];
    const QString uri = ServerStore::chosenUri();
    const QString name = connectionName(Database::File::Subjects);
    if (state.openedPath == uri && state.error.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() && (!state.suspect || QSqlQuery(db).exec(QStringLiteral("SELECT 1")))) {
            state.suspect = false;
            return db;
        }
    }
    closeConnection(Database::File::Subjects);
    state = FileState{uri, {}, false};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    state.error = ServerStore::open(db);
    return state.error.isEmpty() ? db : QSqlDatabase();
}

} // namespace

bool Database::isServer(File file)
{
    return file == File::Subjects && ServerStore::isChosen();
}

QString Database::shownName(File file)
{
    ServerStore::Address address;
    QString ignored;
    if (isServer(file) && ServerStore::parse(ServerStore::chosenUri(), &address, &ignored))
        return ServerStore::describe(address);
    return relativePath(file);
}

QString Database::rowKey(File file)
{
    return isServer(file) ? Schema::quoted(QStringLiteral("ID")) : QStringLiteral("rowid");
}

void Database::noteFailure(File file, const QSqlError& error)
{
    // libpq's own errors (no SQLSTATE), connection exceptions (08) and a server shutting
    // down (57P) mean the connection is gone; other errors leave it usable.
    const QString state = error.nativeErrorCode();
    if (isServer(file) && (state.isEmpty() || state.startsWith(QLatin1String("08")) ||
                           state.startsWith(QLatin1String("57P"))))
        states()[file].suspect = true;
}

bool Database::isDuplicateKey(const QSqlError& error)
{
    return error.nativeErrorCode() == QLatin1String("23505");
}

QString Database::relativePath(File file)
{
    return file == File::Settings ? QStringLiteral("DBM/DB.mdb") : QStringLiteral("DBM/DB2.mdb");
}

QString Database::absolutePath(File file)
{
    return ProgramPaths::absolute(relativePath(file));
}

QSqlDatabase Database::connection(File file)
{
    if (isServer(file))
        return serverConnection();
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
    } else if (file == File::Subjects && !hasOurSchema(file, path)) {
        if (QString refused = rebuildSubjects(path); !refused.isEmpty())
            state.error = unusableFile(relativePath(file), refused);
    }
    if (!state.error.isEmpty())
        return QSqlDatabase();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (!open(db, Access::ReadWrite)) {
        state.error = unusableFile(relativePath(file), db.lastError().text());
        return QSqlDatabase();
    }
    QString problem = addLaterTables(db, tablesOf(file));
    if (problem.isEmpty())
        problem = schemaProblem(db, tablesOf(file));
    if (problem.isEmpty() && file == File::Subjects && !SubjectHistory::seed(db, &problem))
        problem = QStringLiteral(
                      "سابقه آزمون‌های آزمودنی‌ها ساخته نشد: %1")
                      .arg(problem);
    if (!problem.isEmpty()) {
        db.close();
        state.error = unusableFile(relativePath(file), problem);
        return QSqlDatabase();
    }
    // Only now that the file is known to be ours: switching the journal mode writes its header.
    QString ignored;
    runAll(db,
           {QStringLiteral("PRAGMA journal_mode = %1").arg(QLatin1String(JournalMode)),
            QStringLiteral("PRAGMA synchronous = FULL")},
           &ignored); // a file another program holds keeps its mode until it is released
    runAll(db, Schema::indexStatements(tablesOf(file)), &ignored); // best effort on old files
    return db;
}

bool Database::open(QSqlDatabase& db, Access access)
{
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (access == Access::ReadOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return false;
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0) {
        if (sqlite3* native = *static_cast<sqlite3* const*>(handle.constData())) {
            sqlite3_db_config(native, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
            sqlite3_db_config(native, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        }
    }
    QStringList pragmas{QStringLiteral("PRAGMA trusted_schema = OFF"),
                        QStringLiteral("PRAGMA busy_timeout = %1").arg(BusyTimeoutMs)};
    QSqlQuery query(db);
    for (const QString& pragma : pragmas)
        query.exec(pragma); // a file another program holds keeps its mode until it is released
    return true;
}

QString Database::lastError(File file)
{
    return states().value(file).error;
}

QString Database::verify()
{
    removeLeftovers();
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
        ScopedConnection probe(path, Access::ReadOnly);
        if (!probe.isOpen()) {
            reason = probe.db().lastError().text();
        } else {
            reason = schemaProblem(probe.db(), Schema::subjectTables());
            if (reason.isEmpty())
                reason = quickCheckProblem(probe.db());
        }
    }
    if (problem)
        *problem = reason;
    return reason.isEmpty();
}

bool Database::hasOurSchema(File file, const QString& path)
{
    ScopedConnection probe(path, Access::ReadOnly);
    return probe.isOpen() && SchemaCopy::matches(probe.db(), tablesOf(file));
}

void Database::closeAll()
{
    for (File file : {File::Settings, File::Subjects})
        closeConnection(file);
}

bool Database::release(File file, QString* problem)
{
    const QString path = absolutePath(file);
    const QString name = connectionName(file);
    if (QSqlDatabase::contains(name) && QSqlDatabase::database(name, false).isOpen()) {
        QSqlQuery checkpoint(QSqlDatabase::database(name, false));
        if (!checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")) ||
            (checkpoint.next() && checkpoint.value(0).toInt() != 0)) {
            *problem = QStringLiteral("پرونده «%1» در دست برنامه دیگری است.")
                           .arg(QDir::toNativeSeparators(path));
            return false;
        }
    }
    closeConnection(file);
    if (QFileInfo(path + QStringLiteral("-wal")).size() > 0) {
        *problem =
            QStringLiteral(
                "برنامه دیگری هنوز در پرونده «%1» می‌نویسد.")
                .arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

QString Database::stagingPath(const QString& suffix)
{
    return absolutePath(File::Subjects) + QStringLiteral(".restore") + suffix;
}

void Database::removeCompanions(const QString& path)
{
    for (const char* companion : {"-journal", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(companion));
}

void Database::removeLeftovers()
{
    const QFileInfo staging(stagingPath());
    QStringList patterns{staging.fileName() + QLatin1Char('*'), QStringLiteral(".*.part")};
    for (File file : {File::Settings, File::Subjects})
        patterns << QFileInfo(relativePath(file)).fileName() + QStringLiteral(".new*");
    for (const QDir& dir : {staging.absoluteDir(), QDir(ProgramPaths::backupFolder())}) {
        bool removed = false;
        for (const QString& name :
             dir.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System))
            removed = QFile::remove(dir.filePath(name)) || removed;
        if (removed)
            DurableFile::flushFolder(dir.absolutePath());
    }
}

QString Database::safetyCopyPath(const QString& label, const QDateTime& now)
{
    const QDir back(ProgramPaths::backupFolder());
    const QString stem =
        label +
        QStringLiteral(" %1 ساعت %2").arg(SolarHijriDate(now, 4), now.time().toString(u"H.mm.ss"));
    QString path = back.filePath(stem + QStringLiteral(".mdbB"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = back.filePath(stem + QStringLiteral(" (%1).mdbB").arg(n));
    return path;
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

ScopedConnection::ScopedConnection(const QString& path, Database::Access access)
    : name_(QStringLiteral("senvora-private-") + QUuid::createUuid().toString())
{
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path);
    Database::open(db_, access);
}

ScopedConnection::~ScopedConnection()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}
