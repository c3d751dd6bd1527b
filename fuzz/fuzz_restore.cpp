// Any bytes offered as a backup: the live subject database is unchanged unless the restore
// reports success; a restored database holds exactly our schema and passes SQLite's integrity
// check; no staging file, journal or log is left in DBM/. An input longer than the database
// its header describes carries the rest as the write-ahead log lying beside the backup.
#include "FuzzSupport.h"
#include "backup/SubjectRestore.h"
#include "data/Database.h"
#include "data/SchemaCopy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdint>

namespace {

QTemporaryDir* folder = nullptr;
QByteArray pristine; // the live database every input is restored over

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The length of the database the SQLite header describes (0 when it describes none).
qsizetype describedLength(const QByteArray& bytes)
{
    if (bytes.size() < 100)
        return 0;
    const auto byte = [&bytes](int at) { return static_cast<quint32>(quint8(bytes[at])); };
    quint32 pageSize = byte(16) << 8 | byte(17);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 pages = byte(28) << 24 | byte(29) << 16 | byte(30) << 8 | byte(31);
    const quint64 length = quint64(pageSize) * pages;
    return length > 0 && length < quint64(bytes.size()) ? qsizetype(length) : 0;
}

QString live()
{
    return Database::absolutePath(Database::File::Subjects);
}

bool restoredIsSound()
{
    ScopedConnection probe(live(), Database::Access::ReadOnly);
    QSqlQuery check(probe.db());
    return probe.isOpen() && SchemaCopy::matches(probe.db(), Schema::subjectTables()) &&
           check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next() &&
           check.value(0).toString() == QLatin1String("ok");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: the SQL connections' registry is torn down at exit before a static
    // application would be, and the application's teardown would then reach into it.
    new QApplication(*argc, *argv);
    folder = new QTemporaryDir;
    QDir::setCurrent(folder->path());
    check(Database::verify().isEmpty());
    QSqlQuery enrol(Database::connection(Database::File::Subjects));
    check(enrol.exec(QStringLiteral("INSERT INTO IDE (Code, FName) VALUES ('LIVE', 'x')")));
    Database::closeAll();
    pristine = read(live());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype mainLength = describedLength(input);
    const QString backup = folder->filePath(QStringLiteral("offered.mdbB"));
    QFile::remove(backup + QStringLiteral("-wal"));
    write(backup, mainLength > 0 ? input.left(mainLength) : input);
    if (mainLength > 0)
        write(backup + QStringLiteral("-wal"), input.mid(mainLength));

    const SubjectRestore::Outcome outcome =
        SubjectRestore::place(backup, QDateTime(QDate(2026, 1, 1), QTime(10, 0)));
    Database::closeAll();
    if (outcome.placed) {
        check(restoredIsSound());
        QDir back(QStringLiteral("Back"));
        const QStringList kept = back.entryList(QDir::Files);
        check(kept.size() == 1 && read(back.filePath(kept.first())) == pristine);
        check(back.removeRecursively());
        write(live(), pristine);
    } else {
        check(!outcome.problem.isEmpty());
        check(read(live()) == pristine);
    }
    check(QDir(QStringLiteral("DBM")).entryList(QDir::Files | QDir::Hidden) ==
          QStringList({"DB.mdb", "DB2.mdb"}));
    return 0;
}
