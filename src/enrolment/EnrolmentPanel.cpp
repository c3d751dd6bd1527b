#include "enrolment/EnrolmentPanel.h"

#include "calendar/SolarHijriDate.h"
#include "data/AuditTrail.h"
#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "data/SubjectHistory.h"
#include "data/Transaction.h"
#include "ui/DigitKeys.h"
#include "ui/Notice.h"
#include "ui/TimedMessage.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const Qt::Alignment rightAligned = Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter;

// Wide enough for the sample text in the box's own font, inside the widest border and padding
// of the themes.
void fitWidth(QLineEdit* box, const QString& sample)
{
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(sample) + twips(240));
}

// The time of day in the system's own long time format, without a time-zone name.
QString systemTimeText()
{
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?\\bt+\\b\\)?")));
    return QLocale::system().toString(QTime::currentTime(), format.trimmed());
}

} // namespace

EnrolmentPanel::EnrolmentPanel(const EnrolmentRecords& records, QWidget* mainWindow)
    : QFrame(mainWindow), records_(records), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("Frame10"));
    setFrameShape(QFrame::StyledPanel);
    buildControls();
    buildLayout();
    bindColumns();
    setTabOrder();
    checks_ = {
        {text11_, QStringLiteral("کد آزمودني را وارد کنيد"), text11_},
        {text6_, QStringLiteral("نام آزمودني را وارد کنيد"), text6_},
        {text4_, QStringLiteral("نام خانوادگي آزمودني را وارد کنيد"), text4_},
        {text16_, QStringLiteral("جنسيت آزمودني را مشخص کنيد"), combo2_},
        {text5_, QStringLiteral("سن آزمودني را وارد کنيد"), text5_},
        {text15_, QStringLiteral("وضعيت تاهل آزمودني را مشخص کنيد"), combo1_},
        {text17_, QStringLiteral("گروه را مشخص کنيد"), combo3_},
        {text7_, QStringLiteral("ميزان تحصيلات آزمودني را وارد کنيد"), text7_},
    };
    hide();
}

QLineEdit* EnrolmentPanel::textBox(const QString& name, Qt::Alignment alignment)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setAlignment(alignment);
    return box;
}

QLineEdit* EnrolmentPanel::hiddenBox(const QString& name)
{
    QLineEdit* box = textBox(name, Qt::AlignCenter);
    box->hide();
    return box;
}

QComboBox* EnrolmentPanel::dropDown(const QString& name, const QStringList& items)
{
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

void EnrolmentPanel::buildControls()
{
    text11_ = textBox(QStringLiteral("Text11"), Qt::AlignCenter);
    text6_ = textBox(QStringLiteral("Text6"), rightAligned);
    text4_ = textBox(QStringLiteral("Text4"), rightAligned);
    text5_ = textBox(QStringLiteral("Text5"), Qt::AlignCenter);
    text5_->setMaxLength(2);
    // Typed keys pass the key filter; pasted or dropped text must be digits as well.
    text5_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), text5_));
    text5_->installEventFilter(this);
    text8_ = textBox(QStringLiteral("Text8"), Qt::AlignCenter);
    text9_ = textBox(QStringLiteral("Text9"), Qt::AlignCenter);
    text9_->setReadOnly(true);
    text9_->setFocusPolicy(Qt::ClickFocus);
    text7_ = textBox(QStringLiteral("Text7"), rightAligned);

    combo1_ = dropDown(QStringLiteral("Combo1"), {SubjectChoice::Single, SubjectChoice::Married});
    combo2_ = dropDown(QStringLiteral("Combo2"), {SubjectChoice::Male, SubjectChoice::Female});
    combo3_ = dropDown(QStringLiteral("Combo3"), subjectGroups());
    // A choice from the list, by mouse or keyboard, is the list's Click.
    connect(combo1_, &QComboBox::currentIndexChanged, this, &EnrolmentPanel::Combo1_Change);
    connect(combo2_, &QComboBox::currentIndexChanged, this, &EnrolmentPanel::Combo2_Change);
    connect(combo3_, &QComboBox::currentIndexChanged, this, &EnrolmentPanel::Combo3_Change);

    command8_ = new QPushButton(QStringLiteral("ذخيره"), this);
    command8_->setObjectName(QStringLiteral("Command8"));
    connect(command8_, &QPushButton::clicked, this, &EnrolmentPanel::Command8_Click);
    command10_ = new QPushButton(QStringLiteral("انصراف"), this);
    command10_->setObjectName(QStringLiteral("Command10"));
    connect(command10_, &QPushButton::clicked, this, &EnrolmentPanel::Command10_Click);

    text15_ = hiddenBox(QStringLiteral("Text15"));
    text16_ = hiddenBox(QStringLiteral("Text16"));
    text17_ = hiddenBox(QStringLiteral("Text17"));
    text13_ = hiddenBox(QStringLiteral("Text13"));
    text12_ = hiddenBox(QStringLiteral("Text12"));
    text10_ = hiddenBox(QStringLiteral("Text10"));
}

// Rows run right to left: each entry has its label on its right.
void EnrolmentPanel::buildLayout()
{
    const auto row = [this](const QList<std::pair<QString, QWidget*>>& entries) {
        auto* line = new QHBoxLayout;
        line->setSpacing(twips(60)); // the four pairs of the second row fit the panel's width
        for (const auto& [caption, entry] : entries) {
            auto* label = new QLabel(caption, this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(rightAligned);
            label->setBuddy(entry);
            line->addWidget(label);
            line->addWidget(entry, 1);
        }
        return line;
    };
    fitWidth(text5_, QStringLiteral("000"));
    text5_->setMaximumWidth(text5_->minimumWidth());
    fitWidth(text8_, QStringLiteral("0000/00/00"));
    fitWidth(text9_, systemTimeText());
    auto* column = new QVBoxLayout(this);
    column->addLayout(row({{QStringLiteral(" :کد"), text11_},
                           {QStringLiteral(" :نام"), text6_},
                           {QStringLiteral(" :نام خانوادگي"), text4_}}));
    column->addLayout(row({{QStringLiteral(" :سن"), text5_},
                           {QStringLiteral(" :تاهل"), combo1_},
                           {QStringLiteral(" :تاريخ"), text8_},
                           {QStringLiteral(" :ساعت"), text9_}}));
    column->addLayout(row({{QStringLiteral(" :جنس"), combo2_},
                           {QStringLiteral(" :گروه"), combo3_},
                           {QStringLiteral(" :تحصيلات"), text7_}}));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command8_);
    buttons->addWidget(command10_);
    buttons->addStretch();
    column->addLayout(buttons);
}

void EnrolmentPanel::bindColumns()
{
    using namespace SubjectColumn;
    const QList<std::pair<QLineEdit*, QString>> subject{
        {text11_, Code}, {text6_, FirstName}, {text4_, LastName},  {text5_, Age},
        {text16_, Sex},  {text15_, Marital},  {text7_, Education}, {text8_, Date},
        {text9_, Time},  {text17_, Group}};
    for (const auto& [box, column] : subject)
        records_.subjects.bind(box, column);
    records_.enrolled.bind(text13_, FirstName);
    records_.answers.bind(text12_, Id);
    records_.answerCodes.bind(text10_, Code);
}

void EnrolmentPanel::setTabOrder()
{
    const QList<QWidget*> order{text11_, text6_,  text4_, text5_,    combo1_,   text8_,
                                combo2_, combo3_, text7_, command8_, command10_};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QList<QLineEdit*> EnrolmentPanel::subjectBoxes() const
{
    return {text11_, text6_, text4_, text5_, text16_, text15_, text7_, text8_, text9_, text17_};
}

void EnrolmentPanel::open()
{
    setGeometry(twipsRect(1500, 780, 6675, 2895));
    show();
    records_.subjects.addNew();
    text9_->setText(systemTimeText());
    text8_->setText(SolarHijriDate(QDateTime::currentDateTime(), 0));
    text11_->setFocus();
}

void EnrolmentPanel::Combo1_Change()
{
    text15_->setText(combo1_->currentText());
}

void EnrolmentPanel::Combo2_Change()
{
    text16_->setText(combo2_->currentText());
}

void EnrolmentPanel::Combo3_Change()
{
    text17_->setText(combo3_->currentText());
}

bool EnrolmentPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == text5_ && event->type() == QEvent::KeyPress)
        return Text5_KeyPress(*static_cast<QKeyEvent*>(event));
    return QFrame::eventFilter(watched, event);
}

// Returns whether the key is discarded.
bool EnrolmentPanel::Text5_KeyPress(const QKeyEvent& key)
{
    if (passesDigitsOnly(key))
        return false;
    QApplication::beep();
    TimedMessage(mainWindow_, NoticeText::NotANumber);
    return true;
}

void EnrolmentPanel::Command8_Click()
{
    Combo1_Change();
    Combo2_Change();
    Combo3_Change();
    if (!entriesComplete() || !codeIsFree() || !saveSubject())
        return;
    records_.subjects.refresh();
    records_.answers.refresh();
    emit panelsHideRequested();
}

// The eight entries in their fixed order; at the first empty one, its notice and focus.
bool EnrolmentPanel::entriesComplete()
{
    for (const EntryCheck& check : std::as_const(checks_)) {
        if (check.entry->text().isEmpty()) {
            TimedMessage(mainWindow_, check.message);
            check.focus->setFocus();
            return false;
        }
    }
    return true;
}

// Refuses a code that IDE already holds; the code is compared as a value, quotes and all.
bool EnrolmentPanel::codeIsFree()
{
    RecordSet& enrolled = records_.enrolled;
    bool taken = false;
    {
        DataFailure::Collector collector;
        if (!enrolled.refresh() || !enrolled.setFilter(SubjectColumn::Code, text11_->text())) {
            reportFailure(QStringLiteral("بررسی تکراری نبودن کد ممکن نشد؛ آزمودنی ثبت نشد."),
                          collector);
            return false;
        }
        taken = enrolled.recordCount() != 0 || !enrolled.bof();
    }
    if (!taken)
        return true;
    tellCodeTaken();
    return false;
}

void EnrolmentPanel::tellCodeTaken()
{
    TimedMessage(mainWindow_, QStringLiteral("فردديگري با اين کد ثبت شده"));
    records_.enrolled.refresh();
}

bool EnrolmentPanel::saveSubject()
{
    DataFailure::Collector collector;
    if (writeSubject())
        return true;
    if (records_.subjects.refusedDuplicate()) { // another workstation enrolled it meanwhile
        tellCodeTaken();
        return false;
    }
    reportFailure(
        QStringLiteral(
            "ثبت آزمودنی انجام نشد و هیچ اطلاعاتی از او ذخیره نشد. اطلاعات "
            "وارد شده روی صفحه باقی است و می‌توانید دوباره ذخیره کنید."),
        collector);
    return false;
}

// The answer row, the report row and the subject row: all three or none.
bool EnrolmentPanel::writeSubject()
{
    Transaction transaction(Database::File::Subjects);
    if (!transaction.isActive())
        return false;
    const QString code = text11_->text();
    const QString group = combo3_->currentText();

    RecordSet& answers = records_.answers;
    answers.addNew();
    answers.setField(SubjectColumn::Code, code);
    answers.setField(SubjectColumn::Group, group);
    if (!answers.commitRow())
        return false;

    RecordSet& report = records_.results;
    report.addNew();
    report.setField(SubjectColumn::Code, code);
    report.setField(SubjectColumn::FirstName, text6_->text());
    report.setField(SubjectColumn::LastName, text4_->text());
    report.setField(SubjectColumn::Group, group);
    if (!report.commitRow())
        return false;

    if (!records_.subjects.commitRow() || !answers.commitRow())
        return false;
    QString problem;
    if (!SubjectHistory::recordDetails(AuditTrail::Action::Enrolment, code, {}, &problem)) {
        DataFailure::report(problem);
        return false;
    }
    return transaction.commit();
}

void EnrolmentPanel::reportFailure(const QString& headline, const DataFailure::Collector& collector)
{
    const QString detail = collector.message();
    DataFailure::show(detail.isEmpty() ? headline : headline + QLatin1Char('\n') + detail);
}

void EnrolmentPanel::Command10_Click()
{
    records_.subjects.refresh();
    emit panelsHideRequested();
}
