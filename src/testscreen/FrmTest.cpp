#include "testscreen/FrmTest.h"

#include "appearance/ApplyTheme.h"
#include "appearance/ThemeBox.h"
#include "data/AuditTrail.h"
#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "data/SubjectHistory.h"
#include "data/Transaction.h"
#include "questionnaire/Questionnaires.h"
#include "text/NumericText.h"
#include "ui/Accessible.h"
#include "ui/ApplicationEnd.h"
#include "ui/BoxCaption.h"
#include "ui/DigitKeys.h"
#include "ui/Fonts.h"
#include "ui/HiddenBox.h"
#include "ui/Notice.h"
#include "ui/SubjectFields.h"
#include "ui/TimedMessage.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

// The names of the subject panel's boxes, in the order of subjectFields().
const QStringList& subjectBoxNames()
{
    static const QStringList names{
        QStringLiteral("Text1"),  QStringLiteral("Text3"), QStringLiteral("Text4"),
        QStringLiteral("Text10"), QStringLiteral("Text5"), QStringLiteral("Text11"),
        QStringLiteral("Text7"),  QStringLiteral("Text8"), QStringLiteral("Text9")};
    return names;
}

} // namespace

FrmTest::FrmTest(QWidget* parent)
    : QWidget(parent, Qt::Window),
      adodc1_(new RecordSet(Database::File::Settings, TableName::Settings, this)),
      adodc2_(new RecordSet(Database::File::Subjects, TableName::Answers, this)),
      adodc3_(new RecordSet(Database::File::Subjects, TableName::Subjects, this)),
      adodc4_(new RecordSet(Database::File::Subjects, TableName::Answers, this)),
      adodc5_(new RecordSet(Database::File::Subjects, TableName::Subjects, this))
{
    setObjectName(QStringLiteral("FrmTest"));
    setWindowTitle(QStringLiteral("صفحه اجراي تست"));
    setFixedSize(twips(9975), twips(7920));
    buildIntroduction();
    buildSubjectPanel();
    buildAnswerPanel();
    buildNavigation();
    buildRecordSets();
    Form_Load();
}

void FrmTest::buildRecordSets()
{
    const std::array<RecordSet*, 5> all{adodc1_, adodc2_, adodc3_, adodc4_, adodc5_};
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i]->setObjectName(QStringLiteral("Adodc%1").arg(i + 1));
    text2_ = themeBox(this, *adodc1_, QStringLiteral("Text2"));
    text15_ = hiddenBox(this, QStringLiteral("Text15"));
    adodc2_->bind(text15_, SubjectColumn::Id);
    for (qsizetype i = 0; i < subjectFields().size(); ++i) {
        adodc3_->bind(frame1_->findChild<QLineEdit*>(subjectBoxNames().at(i)),
                      subjectFields().at(i).column);
    }
    adodc5_->bind(text13_, SubjectColumn::FirstName);
    connect(adodc2_, &RecordSet::currentRowChanged, this, [this] {
        retesting_ = false;
        showRetestWhenComplete();
    });
    for (RecordSet* records : all)
        records->refresh();
}

void FrmTest::buildIntroduction()
{
    const auto label = [this](const char* name, const QRect& place) {
        auto* caption = new QLabel(this);
        caption->setObjectName(QString::fromLatin1(name));
        caption->setGeometry(place);
        caption->setTextFormat(Qt::PlainText);
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        return caption;
    };
    skinLabel3_ = label("SkinLabel3", twipsRect(1200, 600, 7635, 1515));
    skinLabel3_->setText(scale().title);
    skinLabel3_->setFont(Fonts::titr(36));
    skinLabel4_ = label("SkinLabel4", twipsRect(600, 3000, 9075, 4095));
    skinLabel4_->setText(
        QStringLiteral("ميزان موافقت خود را با هر يک از جملات زير با توجه به طيف بيان کنيد"));
    skinLbl5_ = label("SkinLbl5", twipsRect(480, 3360, 8535, 1455));
    skinLbl5_->setText(QStringLiteral(" "));
    skinLbl5_->setFont(Fonts::mitra(15.75));
    skinLbl5_->hide();
}

void FrmTest::buildSubjectPanel()
{
    frame1_ = new QFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(twipsRect(240, 120, 9495, 3135));
    frame1_->setFrameShape(QFrame::StyledPanel);
    constexpr int labelWidth = 1515;
    constexpr int boxWidth = 1500;
    constexpr int pairWidth = 3120;
    for (qsizetype i = 0; i < subjectFields().size(); ++i) {
        const SubjectField& field = subjectFields().at(i);
        const int column = static_cast<int>(i % 3);
        const int top = 300 + static_cast<int>(i / 3) * 900;
        const int labelLeft = 9375 - column * pairWidth - labelWidth;
        boxCaption(field.caption, frame1_, twipsRect(labelLeft, top, labelWidth, 420));
        auto* box = new QLineEdit(frame1_);
        box->setObjectName(subjectBoxNames().at(i));
        box->setGeometry(twipsRect(labelLeft - 60 - boxWidth, top, boxWidth, 420));
        box->setAlignment(Qt::AlignCenter);
    }
    // The code ties the subject's rows in three tables: it is shown, not edited here.
    text1_ = frame1_->findChild<QLineEdit*>(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text5_ = frame1_->findChild<QLineEdit*>(QStringLiteral("Text5"));
    text5_->setMaxLength(3);
    text5_->installEventFilter(this);
    text13_ = hiddenBox(frame1_, QStringLiteral("Text13"));
    frame1_->hide();
}

void FrmTest::buildAnswerPanel()
{
    frame2_ = new QGroupBox(QStringLiteral("1"), this);
    frame2_->setObjectName(QStringLiteral("Frame2"));
    frame2_->setGeometry(twipsRect(3600, 4920, 2775, 1095));
    option1_ = new QRadioButton(QStringLiteral("بلي"), frame2_);
    option1_->setObjectName(QStringLiteral("Option1"));
    option1_->setGeometry(twipsRect(1560, 420, 975, 420));
    option2_ = new QRadioButton(QStringLiteral("خير"), frame2_);
    option2_->setObjectName(QStringLiteral("Option2"));
    option2_->setGeometry(twipsRect(240, 420, 975, 420));
    connect(option1_, &QRadioButton::clicked, this, &FrmTest::Option1_Click);
    connect(option2_, &QRadioButton::clicked, this, &FrmTest::Option2_Click);
    text12_ = hiddenBox(frame2_, QStringLiteral("Text12"));
    text12_->setMaxLength(1);
    frame2_->hide();
}

QAbstractButton* FrmTest::button(const QString& name, const QString& caption, const QRect& place)
{
    auto* pushButton = new QPushButton(caption, this);
    pushButton->setObjectName(name);
    pushButton->setGeometry(place);
    return pushButton;
}

void FrmTest::buildNavigation()
{
    text6_ = new QLineEdit(QStringLiteral("1"), this);
    text6_->setObjectName(QStringLiteral("Text6"));
    text6_->setGeometry(twipsRect(4560, 6180, 855, 420));
    text6_->setAlignment(Qt::AlignCenter);
    text6_->installEventFilter(this);
    text6_->hide();
    connect(text6_, &QLineEdit::textChanged, this, &FrmTest::Text6_Change);

    const QRect startPlace = twipsRect(4200, 7200, 1575, 495);
    command1_ = button(QStringLiteral("Command1"), QStringLiteral("شروع"), startPlace);
    Accessible::describe(
        command1_, QStringLiteral("شروع آزمون"),
        QStringLiteral("نخستین پرسش آزمون را نشان می‌دهد"));
    command5_ = button(QStringLiteral("Command5"), QStringLiteral("ذخيره و خروج"), startPlace);
    cmdBack_ =
        button(QStringLiteral("CmdBack"), QStringLiteral("قبلي"), twipsRect(6240, 6150, 1335, 495));
    cmdNext_ =
        button(QStringLiteral("CmdNext"), QStringLiteral("بعدي"), twipsRect(2400, 6150, 1335, 495));
    // Retest: beside Save and exit, under Previous, where nothing else is drawn.
    cmdRetest_ = button(QStringLiteral("CmdRetest"), QStringLiteral("آزمون مجدد"),
                        twipsRect(6240, 7200, 1575, 495));
    Accessible::describe(
        cmdRetest_, QStringLiteral("آزمون مجدد: شروع اجرای تازه آزمون"),
        QStringLiteral(
            "اجرای تازه‌ای از آزمون را برای همین آزمودنی آغاز می‌کند"));
    cmdRetest_->hide();
    command5_->hide();
    cmdBack_->hide();
    cmdNext_->hide();
    connect(command1_, &QAbstractButton::clicked, this, &FrmTest::Command1_Click);
    connect(command5_, &QAbstractButton::clicked, this, &FrmTest::Command5_Click);
    connect(cmdBack_, &QAbstractButton::clicked, this, &FrmTest::CmdBack_Click);
    connect(cmdNext_, &QAbstractButton::clicked, this, &FrmTest::CmdNext_Click);
    connect(cmdRetest_, &QAbstractButton::clicked, this, &FrmTest::CmdRetest_Click);
}

void FrmTest::Form_Load()
{
    ApplyTheme(this, text2_->text());
    skinLabel4_->show();
    skinLabel4_->setGeometry(twipsRect(600, 3000, 9075, 4095));
    skinLabel3_->show();
    skinLabel3_->setGeometry(twipsRect(1200, 600, 7635, 1515));
    cmdNext_->hide();
    cmdBack_->hide();
}

void FrmTest::resetToStart()
{
    skinLabel4_->show();
    command1_->show();
    cmdBack_->hide();
    skinLabel3_->hide();
    cmdNext_->hide();
    frame1_->show();
    skinLbl5_->show();
    text6_->setText(QStringLiteral("0"));
}

void FrmTest::Command1_Click()
{
    skinLbl5_->show();
    skinLbl5_->setGeometry(twipsRect(480, 3360, 8535, 1455));
    skinLabel3_->hide();
    skinLabel4_->hide();
    frame1_->show();
    frame2_->show();
    text6_->show();
    skinLbl5_->show();
    cmdNext_->show();
    text6_->setText(QStringLiteral("0"));
    cmdBack_->show();
    text1_->setFocus();
    command1_->hide();
    command5_->show();
    text6_->setText(QStringLiteral("1"));
}

void FrmTest::Option1_Click()
{
    text12_->setText(Questionnaire::Yes);
}

void FrmTest::Option2_Click()
{
    text12_->setText(Questionnaire::No);
}

void FrmTest::CmdNext_Click()
{
    stepItem(+1);
}

void FrmTest::CmdBack_Click()
{
    stepItem(-1);
}

// Next and Previous: save the answer row, then move; a failed save keeps the item on screen.
// During a retest the answers stay in the buffer until Save and exit.
void FrmTest::stepItem(int step)
{
    if (!retesting_ && !adodc2_->commitRow())
        return;
    text6_->setText(QString::number(static_cast<int>(itemValue()) + step));
}

double FrmTest::itemValue() const
{
    return numericValue(text6_->text());
}

// Every change of the item number, typed or set here (a change made here re-enters at once and
// the outer run goes on with the new text).
void FrmTest::Text6_Change()
{
    if (!itemTextIsSound())
        return;
    if (text6_->text().isEmpty()) {
        skinLbl5_->setText(QString());
        text6_->setText(QStringLiteral("1"));
    }
    if (itemValue() < 0) {
        TimedMessage(this, QStringLiteral("شروع"));
        text6_->setText(QStringLiteral("1"));
        bindAnswerBuffer();
        frame2_->setTitle(text6_->text());
    } else if (itemValue() == 0) {
        return; // the quiet zero: the item shown stays
    }
    if (itemValue() > scale().itemCount()) {
        TimedMessage(this, QStringLiteral("پايان"));
        text6_->setText(QString::number(scale().itemCount()));
        frame2_->setTitle(text6_->text());
    }
    if (itemValue() < scale().itemCount() + 1) {
        bindAnswerBuffer();
        frame2_->setTitle(text6_->text());
        ShowStoredAnswer();
        int item = 0;
        if (isPlainWholeNumber(text6_->text(), &item) && scale().isItem(item)) {
            skinLbl5_->setText(scale().itemText(item));
            shownItem_ = item;
        }
    }
}

// Leading zeros ("05") name no answer column, and pasted text may be no number at all. The box
// is put back to the plain number, or, for text that is no number, to the item on screen; the
// change re-enters. Returns whether the text was sound as it stood.
bool FrmTest::itemTextIsSound()
{
    static const QRegularExpression number(QStringLiteral("^(-?)0*([0-9]+)$"));
    const QString text = text6_->text();
    if (text.isEmpty())
        return true;
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) {
        rejectKey();
        text6_->setText(QString::number(shownItem_));
        return false;
    }
    const QString digits = match.captured(2);
    const QString plain = digits == QLatin1String("0") ? digits : match.captured(1) + digits;
    if (plain == text)
        return true;
    text6_->setText(plain);
    return false;
}

void FrmTest::bindAnswerBuffer()
{
    int item = 0;
    if (isPlainWholeNumber(text6_->text(), &item) && scale().isItem(item))
        adodc2_->bind(text12_, text6_->text());
}

void FrmTest::ShowStoredAnswer()
{
    const QString answer = text12_->text();
    if (answer.isEmpty()) {
        clearAnswerButtons();
    } else if (numericValue(answer) == 1) {
        option1_->setChecked(true);
        option2_->setChecked(false);
    } else if (numericValue(answer) == 0) {
        option1_->setChecked(false);
        option2_->setChecked(true);
    }
}

void FrmTest::clearAnswerButtons()
{
    for (QRadioButton* option : {option1_, option2_}) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

bool FrmTest::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text6_ || watched == text5_) {
        if (event->type() == QEvent::KeyPress &&
            !passesDigitsOnly(*static_cast<QKeyEvent*>(event))) {
            rejectKey();
            return true;
        }
        if (event->type() == QEvent::InputMethod &&
            !isAllDigits(static_cast<QInputMethodEvent*>(event)->commitString())) {
            rejectKey();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmTest::rejectKey()
{
    QApplication::beep();
    TimedMessage(this, NoticeText::NotANumber);
}

void FrmTest::Command5_Click()
{
    const QString failure = saveSubject();
    if (!failure.isEmpty()) {
        DataFailure::show(failure);
        return;
    }
    adodc1_->refresh();
    adodc2_->refresh();
    adodc3_->refresh();
    adodc5_->refresh();
    unloading_ = true;
    close();
}

// Saves the answer row and the subject's details as one action: both or neither, with the
// administration they make or correct and their lines of the audit trail. Returns the Persian
// description of a failure, or the empty text.
QString FrmTest::saveSubject()
{
    DataFailure::Collector failures;
    QString problem;
    {
        const QString code = adodc3_->field(SubjectColumn::Code);
        Transaction transaction(Database::File::Subjects);
        const SubjectHistory::SubjectDetails before = SubjectHistory::subjectDetails(code);
        if (transaction.isActive() && adodc2_->commitRow() && adodc3_->commitRow() &&
            SubjectHistory::recordDetails(AuditTrail::Action::SubjectEdit, code, before,
                                          &problem) &&
            SubjectHistory::recordAnswers(code,
                                          retesting_ ? SubjectHistory::SaveKind::Retest
                                                     : SubjectHistory::SaveKind::Correction,
                                          QDateTime::currentDateTime(), &problem) &&
            transaction.commit()) {
            retesting_ = false;
            return {};
        }
    }
    QString detail = failures.message();
    if (!problem.isEmpty())
        detail += (detail.isEmpty() ? QString() : QStringLiteral("\n")) + problem;
    return QStringLiteral(
               "پاسخ‌ها و مشخصات آزمودنی ذخیره نشد و هیچ تغییری ثبت نشد.\n%1")
        .arg(detail);
}

bool FrmTest::currentAdministrationComplete() const
{
    if (adodc2_->bof())
        return false;
    const QStringList answers = adodc2_->fields(scale().answerColumns());
    return std::all_of(answers.begin(), answers.end(),
                       [](const QString& answer) { return !answer.isEmpty(); });
}

void FrmTest::showRetestWhenComplete()
{
    cmdRetest_->setVisible(!retesting_ && currentAdministrationComplete());
}

// A new administration: after the operator confirms, the answer buffer starts empty at the
// first item; nothing is stored until Save and exit.
void FrmTest::CmdRetest_Click()
{
    if (Notice::ask(
            this, QMessageBox::Question, QStringLiteral("آزمون مجدد"),
            QStringLiteral(
                "آزمون تازه‌ای برای این آزمودنی شروع شود؟\n"
                "پاسخ‌های قبلی در سابقه او می‌ماند و پاسخ‌های تازه "
                "با «ذخيره و خروج» ثبت می‌شود."),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    retesting_ = true;
    cmdRetest_->hide();
    for (const QString& column : scale().answerColumns())
        adodc2_->setField(column, QString());
    text12_->clear();
    clearAnswerButtons();
    if (command1_->isVisible())
        return; // Start shows the first item
    text6_->setText(QStringLiteral("1"));
    bindAnswerBuffer();
    ShowStoredAnswer();
}

// The window's own close control keeps what was chosen: the answers and the details are saved
// as by Save and exit. When that fails, the user decides whether to leave without them.
void FrmTest::closeEvent(QCloseEvent* event)
{
    if (unloading_ || ApplicationEnd::isEnding() || !isVisible()) {
        event->accept();
        return;
    }
    const QString failure = saveSubject();
    if (failure.isEmpty() || confirmCloseWithoutSaving(failure))
        event->accept();
    else
        event->ignore();
}

bool FrmTest::confirmCloseWithoutSaving(const QString& failure)
{
    return Notice::ask(this, QMessageBox::Warning, Notice::ErrorTitle,
                       failure + QStringLiteral("\nصفحه بدون ذخیره بسته شود؟"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
