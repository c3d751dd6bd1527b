#include "SubjectGenerator.h"

#include "data/Columns.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/Transaction.h"
#include "questionnaire/Questionnaires.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <array>
#include <cstdint>

namespace SubjectGenerator {

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

// A well-mixed 64-bit value for (index, salt): the same subject always gets the same data.
std::uint64_t mix(int index, std::uint64_t salt)
{
    std::uint64_t z = static_cast<std::uint64_t>(index) * 0x9E3779B97F4A7C15ULL + salt;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

template <std::size_t Size>
const QString& pick(const std::array<QString, Size>& list, int index, std::uint64_t salt)
{
    return list[mix(index, salt) % Size];
}

const std::array<QString, 24> maleNames{
    "علی",  "محمد",  "حسین", "رضا",   "مهدی",    "احمد",
    "حسن",  "عباس",  "جواد", "مرتضی", "غلامرضا", "ابراهیم",
    "اکبر", "محمود", "اصغر", "منصور", "یدالله",  "نعمت‌الله",
    "قاسم", "کاظم",  "ناصر", "بهرام", "فریدون",  "هوشنگ"};

const std::array<QString, 24> femaleNames{"فاطمه", "زهرا",  "مریم",   "معصومه", "سکینه", "خدیجه",
                                          "زینب",  "اشرف",  "پروین",  "منیژه",  "عفت",   "طاهره",
                                          "شهین",  "ملیحه", "فرخنده", "صدیقه",  "کبری",  "صغری",
                                          "بتول",  "رقیه",  "مهین",   "اقدس",   "ژاله",  "توران"};

const std::array<QString, 40> familyNames{
    "محمدی",  "حسینی",  "احمدی",  "رضایی", "کریمی",   "موسوی",   "جعفری",    "رحیمی",
    "صادقی",  "حیدری",  "قاسمی",  "اکبری", "نوری",    "کاظمی",   "ابراهیمی", "سلیمانی",
    "مرادی",  "یوسفی",  "فرهادی", "شریفی", "تهرانی",  "اصفهانی", "شیرازی",   "قربانی",
    "عباسی",  "زارعی",  "باقری",  "نجفی",  "میرزایی", "طاهری",   "امیری",    "کرمانی",
    "سبحانی", "بهرامی", "خسروی",  "نظری",  "پورمحمد", "دهقان",   "فلاحی",    "رستمی"};

const std::array<QString, 6> educations{"بی‌سواد", "ابتدایی", "سیکل",
                                        "دیپلم",           "لیسانس",  "فوق لیسانس"};

const QString male = QStringLiteral("مرد");
const QString female = QStringLiteral("زن");
const QString single = QStringLiteral("مجرد");
const QString married = QStringLiteral("متأهل");

enum Salt : std::uint64_t
{
    SaltGender = 1,
    SaltName,
    SaltFamily,
    SaltAge,
    SaltMarital,
    SaltEducation,
    SaltDate,
    SaltGroup,
    SaltAnswers,
    SaltTaken
};

bool isMale(int index)
{
    return mix(index, SaltGender) % 2 == 0;
}

QString dateOf(int index)
{
    const std::uint64_t value = mix(index, SaltDate);
    return QStringLiteral("%1/%2/%3")
        .arg(1395 + value % 9)
        .arg((value >> 8) % 12 + 1, 2, 10, QLatin1Char('0'))
        .arg((value >> 16) % 29 + 1, 2, 10, QLatin1Char('0'));
}

QString timeOf(int index)
{
    const std::uint64_t value = mix(index, SaltDate) >> 24;
    return QStringLiteral("%1:%2")
        .arg(8 + value % 10)
        .arg((value >> 8) % 60, 2, 10, QLatin1Char('0'));
}

QVariant orNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

class Inserter
{
  public:
    Inserter(QSqlDatabase db, const QString& table, const QStringList& columns) : query_(db)
    {
        QStringList names;
        for (const QString& column : columns)
            names << Schema::quoted(column);
        QStringList marks(columns.size(), QStringLiteral("?"));
        query_.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(Schema::quoted(table), names.join(QStringLiteral(", ")),
                                marks.join(QStringLiteral(", "))));
    }

    bool insert(const QVariantList& values)
    {
        for (int i = 0; i < values.size(); ++i)
            query_.bindValue(i, values[i]);
        return query_.exec();
    }

    QString error() const { return query_.lastError().text(); }

  private:
    QSqlQuery query_;
};

// The columns of a subjects table, as the schema creates them.
QStringList columnsOf(const QString& table)
{
    for (const TableSchema& schema : Schema::subjectTables()) {
        if (schema.name == table)
            return schema.columns;
    }
    return {};
}

} // namespace

QString reportGroup()
{
    return QStringLiteral("G");
}

bool hasReportGroup(int subjects)
{
    return subjects >= 7 * ReportRows;
}

QString codeOf(int index)
{
    return QString::number(index + 1);
}

QString firstNameOf(int index)
{
    return isMale(index) ? pick(maleNames, index, SaltName) : pick(femaleNames, index, SaltName);
}

QString familyNameOf(int index)
{
    return pick(familyNames, index, SaltFamily);
}

QString groupOf(int index, int subjects)
{
    static const QString groups = QStringLiteral("ABCDEFG");
    if (!hasReportGroup(subjects))
        return groups.mid(static_cast<int>(mix(index, SaltGroup) % 7), 1);
    const int stride = subjects / ReportRows;
    if (index % stride == 0 && index / stride < ReportRows)
        return reportGroup();
    return groups.mid(static_cast<int>(mix(index, SaltGroup) % 6), 1);
}

bool hasTakenTest(int index)
{
    return mix(index, SaltTaken) % 10 != 0; // one subject in ten is enrolled but not tested
}

QString answersOf(int index)
{
    if (!hasTakenTest(index))
        return {};
    const std::uint64_t bits = mix(index, SaltAnswers);
    QString answers;
    for (int item = 0; item < scale().itemCount(); ++item)
        answers += (bits >> item) & 1 ? Questionnaire::Yes : Questionnaire::No;
    return answers;
}

int scoreOf(int index)
{
    const QString answers = answersOf(index);
    if (answers.isEmpty())
        return -1;
    return scale().score(answers.split(QString(), Qt::SkipEmptyParts));
}

QString fill(int subjects)
{
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    if (!db.isOpen())
        return Database::lastError(Database::File::Subjects);
    QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -65536"));
    Transaction transaction(Database::File::Subjects);
    Inserter ide(db, TableName::Subjects, columnsOf(TableName::Subjects));
    Inserter answer(db, TableName::Answers, columnsOf(TableName::Answers));
    Inserter print(db, TableName::Results, columnsOf(TableName::Results));
    for (int index = 0; index < subjects; ++index) {
        const QString code = codeOf(index);
        const QString first = firstNameOf(index);
        const QString family = familyNameOf(index);
        const QString group = groupOf(index, subjects);
        const bool ok = ide.insert(
            {code, first, family, QString::number(60 + mix(index, SaltAge) % 36),
             isMale(index) ? male : female, mix(index, SaltMarital) % 4 == 0 ? single : married,
             pick(educations, index, SaltEducation), dateOf(index), timeOf(index), group});
        if (!ok)
            return ide.error();
        QVariantList answerRow{code, group};
        const QString answers = answersOf(index);
        for (int item = 0; item < scale().itemCount(); ++item)
            answerRow << orNull(answers.mid(item, 1));
        if (!answer.insert(answerRow))
            return answer.error();
        const int score = scoreOf(index);
        const QString scoreText = score < 0 ? QString() : QString::number(score);
        const QString comment = score < 0 ? QString() : scale().bandText(score);
        if (!print.insert({code, first, family, group, orNull(scoreText), orNull(comment)}))
            return print.error();
    }
    return transaction.commit() ? QString() : QStringLiteral("commit failed");
}

} // namespace SubjectGenerator
