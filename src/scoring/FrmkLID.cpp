#include "scoring/FrmkLID.h"

#include "appearance/ApplyTheme.h"
#include "appearance/ThemeBox.h"
#include "data/Adodcs.h"
#include "data/AuditTrail.h"
#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "data/Transaction.h"
#include "history/FrmHistory.h"
#include "questionnaire/Questionnaires.h"
#include "scoring/PrintResultReport.h"
#include "ui/BoxCaption.h"
#include "ui/HiddenBox.h"
#include "ui/InputBox.h"
#include "ui/Notice.h"
#include "ui/SubjectFields.h"
#include "ui/TimedMessage.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

// The names of the subject panel's boxes, in the order of subjectFields().
const QStringList& subjectBoxNames()
{
    static const QStringList names{
        QStringLiteral("Text15"), QStringLiteral("Text3(3)"), QStringLiteral("Text12"),
        QStringLiteral("Text10"), QStringLiteral("Text6"),    QStringLiteral("Text11"),
        QStringLiteral("Text7"),  QStringLiteral("Text8"),    QStringLiteral("Text9")};
    return names;
}

QLabel* plainLabel(QWidget* parent, const QString& name, const QString& text, QRect place)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    return label;
}

} // namespace

FrmkLID::FrmkLID(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmkLID"));
    setWindowTitle(QStringLiteral("کليد گذاري"));
    setFixedSize(twips(9360), twips(6600));
    buildRecordSets();
    buildSubjectPanel();
    buildAnswerBoxes();
    buildScoreArea();
    buildButtons();
    for (RecordSet* records : adodc_)
        records->refresh();
    Form_Load();
}

void FrmkLID::buildRecordSets()
{
    using File = Database::File;
    adodc_ = makeAdodcs(this, {{File::Settings, TableName::Settings},
                               {File::Subjects, TableName::Answers},
                               {File::Subjects, TableName::Subjects},
                               {File::Subjects, TableName::Results}});
    text1_ = themeBox(this, settings(), QStringLiteral("Text1"));
    text13_ = hiddenBox(this, QStringLiteral("Text13"));
    settings().bind(text13_, SettingsColumn::Name);
    text16_ = hiddenBox(this, QStringLiteral("Text16"));
    settings().bind(text16_, SettingsColumn::Address);
    text5_ = hiddenBox(this, QStringLiteral("Text5"));
}

// The subject's enrolment row, for reading: this screen never saves it.
void FrmkLID::buildSubjectPanel()
{
    frame5_ = new QGroupBox(this);
    frame5_->setObjectName(QStringLiteral("Frame5"));
    frame5_->setGeometry(twipsRect(4560, 120, 4680, 3840));
    int top = 300;
    for (qsizetype i = 0; i < subjectFields().size(); ++i) {
        const SubjectField& field = subjectFields().at(i);
        boxCaption(field.caption, frame5_, twipsRect(3000, top, 1560, 340));
        auto* box = new QLineEdit(frame5_);
        box->setObjectName(subjectBoxNames().at(i));
        box->setGeometry(twipsRect(120, top, 2800, 340));
        box->setReadOnly(true);
        subjects().bind(box, field.column);
        top += 380;
    }
    frame5_->findChild<QLineEdit*>(QStringLiteral("Text6"))->setMaxLength(3);
}

// Two rows, items 1 to 7 and 8 to 15, each ascending from left to right.
void FrmkLID::buildAnswerBoxes()
{
    constexpr int step = 660;
    for (int item = 1; item <= scale().itemCount(); ++item) {
        const bool firstRow = item <= 7;
        const int count = firstRow ? 7 : 8;
        const int index = firstRow ? item - 1 : item - 8;
        const int left = (9360 - (count * step - 120)) / 2 + index * step;
        const int top = firstRow ? 4320 : 5040;
        plainLabel(this, {}, QString::number(item), twipsRect(left, top - 300, 540, 280))
            ->setAlignment(Qt::AlignCenter);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Txt3(%1)").arg(item));
        box->setGeometry(twipsRect(left, top, 540, 360));
        box->setAlignment(Qt::AlignCenter);
        box->setReadOnly(true);
        answers().bind(box, Questionnaire::answerColumn(item));
        txt3_.append(box);
    }
}

void FrmkLID::buildScoreArea()
{
    plainLabel(this, QStringLiteral("SkinLabel1(1)"), QStringLiteral("ميزان افسردگي"),
               twipsRect(2400, 360, 1920, 420))
        ->setAlignment(Qt::AlignCenter);
    txt6_ = new QLineEdit(this);
    txt6_->setObjectName(QStringLiteral("Txt6"));
    txt6_->setGeometry(twipsRect(1080, 360, 1200, 420));
    txt6_->setAlignment(Qt::AlignCenter);
    results().bind(txt6_, ResultColumn::Score);
    bandLabel_ = plainLabel(this, QStringLiteral("SkinLabel1(2)"), QStringLiteral("0"),
                            twipsRect(120, 960, 4320, 900));
    label1_ = plainLabel(this, QStringLiteral("Label1"), {}, twipsRect(120, 2040, 4320, 900));
    for (QLabel* label : {bandLabel_, label1_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    results().bind(label1_, ResultColumn::Comment);
    connect(txt6_, &QLineEdit::textEdited, this, &FrmkLID::Txt6_Change);
    connect(&results(), &RecordSet::currentRowChanged, this, &FrmkLID::showStoredBand);
}

void FrmkLID::buildButtons()
{
    const auto button = [this](const char* name, const QString& caption, int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsRect(left, 5760, 1560, 480));
        return b;
    };
    connect(button("Command1", QStringLiteral("جستجو"), 7320), &QPushButton::clicked, this,
            &FrmkLID::Command1_Click);
    connect(button("Command6", QStringLiteral("پرينت"), 3900), &QPushButton::clicked, this,
            &FrmkLID::Command6_Click);
    connect(button("Command4", QStringLiteral(" خروج"), 480), &QPushButton::clicked, this,
            &FrmkLID::Command4_Click);
    // The searched subject's history, between Print and Search.
    QPushButton* history = button("CmdHistory", QStringLiteral("سابقه"), 5610);
    history->setAccessibleName(QStringLiteral("سابقه آزمودنی جستجوشده"));
    history->setEnabled(false);
    connect(text5_, &QLineEdit::textChanged, history,
            [history](const QString& code) { history->setEnabled(!code.isEmpty()); });
    connect(history, &QPushButton::clicked, this,
            [this] { ShowSubjectHistory(this, text5_->text()); });
}

void FrmkLID::Form_Load()
{
    ApplyTheme(this, text1_->text(), ThemeTable::Standard);
}

void FrmkLID::Command1_Click()
{
    SearchSubject();
}

void FrmkLID::Command4_Click()
{
    close();
}

void FrmkLID::SearchSubject()
{
    const QString code = inputBox(this, QStringLiteral(" کد آزمودني را وارد کنيد"),
                                  QStringLiteral(" Enter Number "));
    if (code.isEmpty()) {
        TimedMessage(this, NoticeText::CodeMissing);
        return;
    }
    answers().refresh();
    answers().setFilter(SubjectColumn::Code, code);
    if (!answers().hasRows()) {
        TimedMessage(this, NoticeText::NoSuchSubject);
        return;
    }
    warnAboutUnansweredItems();
    subjects().setFilter(SubjectColumn::Code, code);
    results().setFilter(SubjectColumn::Code, code);
    text5_->setText(code);
    scoreAnswers();
}

void FrmkLID::warnAboutUnansweredItems()
{
    QString unansweredList;
    for (int item = 1; item <= scale().itemCount(); ++item) {
        if (txt3_.at(item - 1)->text().isEmpty())
            unansweredList += QLatin1Char(' ') + QString::number(item) + QStringLiteral("  ");
    }
    if (unansweredList.isEmpty())
        return;
    Notice::warn(this, QStringLiteral("شما به سوالات زير پاسخ نداده ايد") +
                           QStringLiteral("\r\n\r\n") + unansweredList);
}

// Counts the answers that match their item's key, committing every step to the result row.
// The steps of one search are stored together or not at all: a failure leaves the row as it
// was and the subject unsearched. An unanswered item never matches its key.
void FrmkLID::scoreAnswers()
{
    DataFailure::Collector failure;
    if (storeScore(failure))
        return;
    const QString code = text5_->text();
    text5_->clear();
    results().setFilter(SubjectColumn::Code, code);
    DataFailure::show(QStringLiteral("نمره آزمودنی ذخیره نشد.\n") + failure.message());
}

bool FrmkLID::storeScore(const DataFailure::Collector& failure)
{
    Transaction transaction(Database::File::Subjects);
    if (!transaction.isActive())
        return false;
    const QString before = results().field(ResultColumn::Score);
    setScore(scale().score(answers().fields(scale().answerColumns())));
    QString problem;
    if (!AuditTrail::append(AuditTrail::Action::Scoring, text5_->text(),
                            AuditTrail::changes({ResultColumn::Score}, {before},
                                                {results().field(ResultColumn::Score)}),
                            &problem)) {
        DataFailure::report(problem);
        return false;
    }
    return !failure.failed() && transaction.commit();
}

void FrmkLID::setScore(int score)
{
    txt6_->setText(QString::number(score));
    Txt6_Change();
}

// The band rule: the band of the score is shown and stored with it. A text that is not a
// whole number 0 to 15 has no band, and none is shown or stored for it.
void FrmkLID::Txt6_Change()
{
    showBand(scale().bandTextForStored(txt6_->text()));
    results().commitRow();
}

void FrmkLID::showBand(const QString& bandText)
{
    bandLabel_->setText(bandText);
    label1_->setText(bandText);
}

// A stored row is only shown: its band beside the score, its stored comment below.
void FrmkLID::showStoredBand()
{
    bandLabel_->setText(scale().bandTextForStored(txt6_->text()));
}

void FrmkLID::Command6_Click()
{
    if (text5_->text().isEmpty()) {
        TimedMessage(
            this,
            QStringLiteral(
                "ابتدا روي جستجو کليک کرده سپس کد آزمودني را وارد کنيد بعد روي پرينت کليک کنيد "),
            2000);
        return;
    }
    PrintResultReport(this, results(), text13_->text(), text16_->text());
    text5_->clear();
}
