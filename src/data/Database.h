#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// The two database files of the program folder: the settings file (one row: theme number,
// clinic name and address) and the subject file (IDE, Answer, Print1). Paths are relative to
// the working folder, which is the program folder.
class Database
{
  public:
    enum class File
    {
        Settings,
        Subjects
    };
    enum class Access
    {
        ReadWrite,
        ReadOnly
    };

    // The journal mode of every file of ours, set on each connection to it once its schema is
    // known to be ours (switching the mode writes the file's header). With the write-ahead log
    // and synchronous=FULL a commit costs one flush of the log; the log is carried into the
    // file when it grows past SQLite's automatic checkpoint, on release() and when the last
    // connection closes.
    static constexpr const char* JournalMode = "WAL";
    static constexpr int BusyTimeoutMs = 5000;

    static QString relativePath(File file);
    static QString absolutePath(File file);

    // Whether the file's tables live on a PostgreSQL server (the subject tables, when
    // SENVORA_DATABASE names one) rather than in the file.
    static bool isServer(File file);
    // The store as messages name it: the file's relative path, or the server.
    static QString shownName(File file);
    // The column that orders a table's rows and names one row: SQLite's rowid in the files,
    // the ID the server assigns on a server (the subject tables all have it).
    static QString rowKey(File file);
    // A read or write failed with error: when it says the server went away, the next
    // connection() checks that the server answers and connects anew (no effect on the files).
    static void noteFailure(File file, const QSqlError& error);
    // Whether error is the server refusing a second row with a code already enrolled.
    static bool isDuplicateKey(const QSqlError& error);

    // An open connection to the file, created with its tables when it is missing (or to the
    // server, whose empty database is given the tables). A subject
    // file whose schema is not exactly ours has its rows copied into a fresh file of ours (the
    // original kept in Back/). An existing file that cannot be used is never changed: the
    // connection is then invalid and lastError() says why, in Persian, naming the file.
    static QSqlDatabase connection(File file);
    static QString lastError(File file);

    // Opens db (its file name set) the way every connection of ours is opened: SQLite's
    // defensive mode, schema code untrusted, a bounded wait on a busy file. False when the file
    // does not open. Nothing is written to the file.
    static bool open(QSqlDatabase& db, Access access);

    // Checks both files (creating missing ones, removing what an interrupted restore left);
    // returns the Persian description of the first problem, or the empty text.
    static QString verify();

    // Whether the file at path is a usable subject database (opens, has IDE, Answer, Print1
    // with their columns, passes SQLite's quick check).
    static bool isSubjectDatabase(const QString& path, QString* problem = nullptr);

    // Whether the file at path holds exactly the objects our schema makes, nothing more.
    static bool hasOurSchema(File file, const QString& path);

    // Releases every connection, e.g. before the subject file is replaced.
    static void closeAll();

    // Puts every confirmed change into the file itself (no write-ahead log left beside it) and
    // closes the connection, so that a copy of the one file is complete. False, with the
    // Persian reason, when another program keeps changes outside the file.
    static bool release(File file, QString* problem);

    // Where a restore stages its files: the live subject file's name plus ".restore" and the
    // suffix. Every name with that beginning is a leftover once no restore runs.
    static QString stagingPath(const QString& suffix = QString());
    // Removes what an interrupted restore or creation left in DBM/ and Back/.
    static void removeLeftovers();
    // The SQLite files that belong beside a database file (journal, write-ahead log, its index).
    static void removeCompanions(const QString& path);

    // A free name in Back/ for a copy of the subject file kept before it is replaced; label
    // says why (e.g. «پیش از بازیابی»).
    static QString safetyCopyPath(const QString& label, const QDateTime& now);

    static QStringList columns(File file, const QString& table);
};

// A private connection to a file, removed when the object goes.
class ScopedConnection
{
  public:
    ScopedConnection(const QString& path, Database::Access access);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;

    bool isOpen() const { return db_.isOpen(); }
    QSqlDatabase& db() { return db_; }

  private:
    QString name_;
    QSqlDatabase db_;
};
