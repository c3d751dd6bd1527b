#include "export/ExportFixture.h"

#include "calendar/SolarHijriDate.h"
#include "data/Database.h"
#include "questionnaire/Questionnaires.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace ExportFixture {

namespace {

const QString Male = QStringLiteral("مرد");
const QString Female = QStringLiteral("زن");
const QString Single = QStringLiteral("مجرد");
const QString Married = QStringLiteral("متأهل");

QSqlQuery exec(const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(Database::connection(Database::File::Subjects));
    if (!query.prepare(sql))
        qFatal("prepare: %s", qPrintable(query.lastError().text()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        qFatal("exec: %s", qPrintable(query.lastError().text()));
    return query;
}

QString storedAnswer(QChar c)
{
    if (c == QLatin1Char(' '))
        return {};
    if (c == QLatin1Char('x'))
        return QStringLiteral("x");
    return QString(c);
}

} // namespace

QStringList header()
{
    QStringList names{"Code",
                      "FName",
                      "LName",
                      "Sen",
                      "Jens",
                      "Taahol",
                      "Tahsil",
                      "Date",
                      "Time",
                      "Group",
                      "Administration",
                      "AdministeredAt",
                      "AdministeredDate"};
    for (int item = 1; item <= 15; ++item)
        names << QStringLiteral("q%1").arg(item);
    names << "Answered"
          << "Score"
          << "Band";
    return names;
}

QList<Person> people()
{
    const QString nul = QStringLiteral("N") + QChar(0) + QStringLiteral("UL");
    return {
        {{"A-01", "علی", "رضایی", "72", Male, Married, "دیپلم", "1403/01/01", "10:00", "A"}},
        {{"B,02", "Sean \"the\" O'Brien", "line1\nline2\r\nline3", "", Female, Single,
          QStringLiteral("\u202Eabc\u202C\u200F, \u200Cکتاب"), "1403/02/02", "11:30", "B"}},
        {{"=1+1", "+98", "-x", "abc", "نامشخص", "", "@SUM(A1)", "1403/03/03", "\tTAB", "A"}},
        {{nul, nul, QString(10000, QChar(0x06A9)), "80", Male, Single, "\rCR", "1403/04/04",
          "12:00", "C"}},
        {{"Z9", "بی", "اجرا", "65", Female, Married, "", "1403/05/05", "09:00", "A"}},
    };
}

QList<Administration> administrations()
{
    const QString nul = QStringLiteral("N") + QChar(0) + QStringLiteral("UL");
    return {
        {"A-01", 1, "2026-03-20T09:00:00+03:30", "111111111111111"},
        {"A-01", 2, "2026-12-11T14:56:29+03:30", "0101010101     "},
        {"B,02", 1, "2026-06-01T08:00:00+04:30", "000000000000000"},
        {"=1+1", 1, "2026-01-05T10:00:00+03:30", "               "},
        {nul, 1, "2026-09-22T23:30:00+03:30", "100110011001100"},
        {"Q7", 1, "2026-12-01T12:00:00+03:30", "1x0x1x0x1x0x1x0"},
    };
}

void add(const Administration& a)
{
    QStringList columns;
    QVariantList values{a.code, a.number, a.at};
    for (int item = 1; item <= 15; ++item) {
        columns << QStringLiteral("[%1]").arg(item);
        values << storedAnswer(a.answers.at(item - 1));
    }
    exec(QStringLiteral("INSERT INTO [Administration] ([Code], [Number], [AdministeredAt], %1) "
                        "VALUES (?, ?, ?%2)")
             .arg(columns.join(QStringLiteral(", ")), QStringLiteral(", ?").repeated(15)),
         values);
}

void write()
{
    exec(QStringLiteral("BEGIN"));
    const auto commit = qScopeGuard([] { exec(QStringLiteral("COMMIT")); });
    for (const Person& p : people()) {
        QVariantList values;
        for (const QString& text : p.details)
            values << text;
        exec(QStringLiteral("INSERT INTO [IDE] ([Code], [FName], [LName], [Sen], [Jens], "
                            "[Taahol], [Tahsil], [Date], [Time], [Group]) VALUES "
                            "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
             values);
    }
    for (const Administration& a : administrations())
        add(a);
}

void addMany(int count, const QString& at, const QString& answers)
{
    exec(QStringLiteral("BEGIN"));
    for (int i = 0; i < count; ++i)
        add({QStringLiteral("P%1").arg(i), 1, at, answers});
    exec(QStringLiteral("COMMIT"));
}

QList<QStringList> expectedRows(const QString& group, QDate from, QDate to)
{
    const Questionnaire& scale = Questionnaires::geriatricDepression();
    QList<QStringList> rows;
    for (const Administration& a : administrations()) {
        const QDate day = QDate::fromString(a.at.left(10), Qt::ISODate);
        if ((from.isValid() && day < from) || (to.isValid() && day > to))
            continue;
        QStringList details(10);
        details[0] = a.code;
        for (const Person& p : people()) {
            if (p.details.at(0) == a.code) {
                details = p.details;
                break;
            }
        }
        if (!group.isNull() && details.at(9) != group)
            continue;
        QStringList row = details;
        row << QString::number(a.number) << a.at << SolarHijriDate(QDateTime(day, QTime(12, 0)), 0);
        int answered = 0;
        int score = 0;
        for (int item = 1; item <= 15; ++item) {
            const QChar c = a.answers.at(item - 1);
            const bool given = c == QLatin1Char('1') || c == QLatin1Char('0');
            row << (given ? QString(c) : QString());
            answered += given ? 1 : 0;
            score += given && QString(c) == scale.keyedAnswer(item) ? 1 : 0;
        }
        row << QString::number(answered) << QString::number(score)
            << (answered == 15 ? scale.bandText(score) : QString());
        rows << row;
    }
    std::sort(rows.begin(), rows.end(), [](const QStringList& x, const QStringList& y) {
        const QByteArray a = x.at(0).toUtf8();
        const QByteArray b = y.at(0).toUtf8();
        return a != b ? a < b : x.at(10).toInt() < y.at(10).toInt();
    });
    return rows;
}

} // namespace ExportFixture
