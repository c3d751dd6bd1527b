// Any code text: a filter on Code finds exactly the rows whose code equals it, never more,
// never fewer, and never changes the table.
#include "data/Database.h"
#include "data/RecordSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdint>

namespace {

QTemporaryDir* home = nullptr;
const QStringList stored{"A1", "a1", "' OR '1'='1", "%", "_", "\\", "x'y", " A1", "A1 ", "A1"};

void enrolStoredCodes()
{
    QSqlQuery query(Database::connection(Database::File::Subjects));
    query.prepare(QStringLiteral("INSERT INTO Answer (Code, [Group]) VALUES (?, 'A')"));
    for (const QString& code : stored) {
        query.addBindValue(code);
        query.exec();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    home = new QTemporaryDir;
    QDir::setCurrent(home->path());
    enrolStoredCodes();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString code =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    RecordSet answers(Database::File::Subjects, QStringLiteral("Answer"));
    if (!answers.setFilter(QStringLiteral("CODE"), code))
        __builtin_trap();
    if (answers.recordCount() != stored.count(code))
        __builtin_trap();
    if (answers.hasRows() && answers.field(QStringLiteral("Code")) != code)
        __builtin_trap();
    answers.refresh();
    if (answers.recordCount() != stored.size())
        __builtin_trap();
    return 0;
}
