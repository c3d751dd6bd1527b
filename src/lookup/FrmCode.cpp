#include "lookup/FrmCode.h"

#include "appearance/ApplyTheme.h"
#include "appearance/ThemeBox.h"
#include "data/Adodcs.h"
#include "data/Columns.h"
#include "data/RecordSet.h"
#include "lookup/ExportDialog.h"
#include "lookup/SubjectModels.h"
#include "scoring/PrintResultReport.h"
#include "ui/BoxCaption.h"
#include "ui/Fonts.h"
#include "ui/HiddenBox.h"
#include "ui/Twips.h"

#include "history/FrmGroupPicture.h"
#include "history/FrmHistory.h"
#include "ui/TimedMessage.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

FrmCode::FrmCode(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FrmCode"));
    setWindowTitle(QStringLiteral("کد آزمودني"));
    setFixedSize(twips(9900), twips(5640));
    buildRecordSets();
    buildGrid();
    buildSelectors();
    buildButtons();
    settings().refresh();
    results().refresh();
    Form_Load();
}

// The selectors outlive this part of the screen while it is taken down: their changes must no
// longer reach the handlers.
FrmCode::~FrmCode()
{
    for (QComboBox* combo : {dataCombo6_, dataCombo1_, combo3_}) {
        combo->disconnect(this);
        combo->removeEventFilter(this);
        combo->lineEdit()->removeEventFilter(this);
    }
}

void FrmCode::buildRecordSets()
{
    using File = Database::File;
    adodc_ = makeAdodcs(this, {{File::Settings, TableName::Settings},
                               {File::Subjects, TableName::Subjects},
                               {File::Subjects, TableName::Results}});
    text1_ = themeBox(this, settings(), QStringLiteral("Text1"));
    subjects().bind(hiddenBox(this, QStringLiteral("Text2")), SubjectColumn::Id);
    results().bind(hiddenBox(this, QStringLiteral("Text3")), SubjectColumn::Id);
}

void FrmCode::buildGrid()
{
    auto* caption = new QLabel(QStringLiteral("مشخصات آزمودني"), this);
    caption->setObjectName(QStringLiteral("DataGrid1Caption"));
    caption->setTextFormat(Qt::PlainText);
    caption->setFont(Fonts::titr(12));
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(twipsRect(120, 120, 5880, 420));

    gridModel_ = new RecordSetGridModel({SubjectColumn::Code, SubjectColumn::FirstName,
                                         SubjectColumn::LastName, SubjectColumn::Group},
                                        {QStringLiteral("کد"), QStringLiteral("نام"),
                                         QStringLiteral("نام خانوادگي"), QStringLiteral("گروه")},
                                        this);
    dataGrid1_ = new QTableView(this);
    dataGrid1_->setObjectName(QStringLiteral("DataGrid1"));
    dataGrid1_->setGeometry(twipsRect(120, 600, 5880, 4920));
    dataGrid1_->setModel(gridModel_);
    dataGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dataGrid1_->setSelectionBehavior(QAbstractItemView::SelectRows);
    dataGrid1_->verticalHeader()->hide();
    dataGrid1_->verticalHeader()->setDefaultSectionSize(twips(360));
    dataGrid1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

QComboBox* FrmCode::selector(const QString& name, const QString& caption, const QString& labelName,
                             int top)
{
    boxCaption(caption, this, twipsRect(8520, top, 1260, 420))->setObjectName(labelName);
    auto* combo = new QComboBox(this);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setGeometry(twipsRect(6000, top, 2460, 420));
    return combo;
}

// A name list: each name of the subjects once, sorted, fetched as the list scrolls; typing
// offers the first names that begin with what was typed, looked up at each keystroke.
void FrmCode::setUpNameList(QComboBox* combo, const QString& column)
{
    const QSignalBlocker silent(combo);
    combo->setModel(new DistinctValuesModel(subjects(), column, combo));
    auto* offered = new PrefixValuesModel(subjects(), column, combo);
    auto* completer = new QCompleter(offered, combo);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    combo->setCompleter(completer);
    connect(combo->lineEdit(), &QLineEdit::textEdited, offered, &PrefixValuesModel::setPrefix);
    blank(combo);
}

// A selector's handler runs when its text changes, by typing or by choosing an entry; a name
// list's also on a click in it.
void FrmCode::whenChosen(QComboBox* combo, void (FrmCode::*handler)(), bool onClick)
{
    connect(combo, &QComboBox::editTextChanged, this, handler);
    connect(combo, &QComboBox::activated, this, handler);
    if (onClick) {
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
}

void FrmCode::buildSelectors()
{
    dataCombo6_ = selector(QStringLiteral("DataCombo6"), QStringLiteral(" :نام "),
                           QStringLiteral("SkinLabel21(1)"), 840);
    dataCombo1_ = selector(QStringLiteral("DataCombo1"), QStringLiteral(" :نام خانوادگي"),
                           QStringLiteral("SkinLabel21(0)"), 1560);
    combo3_ = selector(QStringLiteral("Combo3"), QStringLiteral(" :گروه"),
                       QStringLiteral("SkinLabel21(2)"), 2280);
    combo3_->addItems(subjectGroups());
    combo3_->setCompleter(nullptr); // a group is matched exactly as typed
    blank(combo3_);
    combo3_->lineEdit()->setText(QStringLiteral("جنسيت را انتخاب كنيد"));
    whenChosen(combo3_, &FrmCode::Combo3_Change, false);
    whenChosen(dataCombo1_, &FrmCode::DataCombo1_Change, true);
    whenChosen(dataCombo6_, &FrmCode::DataCombo6_Change, true);
}

void FrmCode::buildButtons()
{
    const auto button = [this](const char* name, const QString& caption, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsRect(6720, top, 2400, 480));
        return b;
    };
    connect(button("Command1", QStringLiteral("پرينت"), 3960), &QPushButton::clicked, this,
            &FrmCode::Command1_Click);
    connect(button("Command6", QStringLiteral("خروج"), 4680), &QPushButton::clicked, this,
            &FrmCode::Command6_Click);
    // The export, in the free space between the history buttons and the print button.
    connect(button("CmdExport", QStringLiteral("خروجی"), 3390), &QPushButton::clicked, this,
            &FrmCode::CmdExport_Click);
    buildHistoryButtons();
}

// The history of the subject on the chosen row (also by double-clicking it) and the picture
// of the chosen group, side by side between the selectors and Print.
void FrmCode::buildHistoryButtons()
{
    const auto button = [this](const char* name, const QString& caption, const QString& spoken,
                               int left) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(spoken);
        b->setGeometry(twipsRect(left, 2820, 1170, 480));
        return b;
    };
    connect(button("CmdHistory", QStringLiteral("سابقه"),
                   QStringLiteral("سابقه آزمودنی ردیف انتخاب‌شده"),
                   7950),
            &QPushButton::clicked, this, &FrmCode::CmdHistory_Click);
    connect(button("CmdGroupPicture", QStringLiteral("تصویر گروه"),
                   QStringLiteral("تصویر نمره‌های گروه انتخاب‌شده"),
                   6720),
            &QPushButton::clicked, this, &FrmCode::CmdGroupPicture_Click);
    connect(dataGrid1_, &QAbstractItemView::doubleClicked, this, &FrmCode::CmdHistory_Click);
}

void FrmCode::CmdHistory_Click()
{
    const QModelIndex current = dataGrid1_->currentIndex();
    if (!current.isValid()) {
        TimedMessage(this, QStringLiteral("ابتدا ردیف آزمودنی را در جدول انتخاب کنید"));
        return;
    }
    ShowSubjectHistory(this, gridModel_->index(current.row(), 0).data().toString());
}

void FrmCode::CmdGroupPicture_Click()
{
    const QString chosen = combo3_->currentText();
    ShowGroupPicture(this, subjectGroups().contains(chosen) ? chosen : QString());
}

bool FrmCode::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == dataCombo1_ || watched == dataCombo1_->lineEdit())
            DataCombo1_Change();
        else if (watched == dataCombo6_ || watched == dataCombo6_->lineEdit())
            DataCombo6_Change();
    }
    return QWidget::eventFilter(watched, event);
}

void FrmCode::Form_Load()
{
    ApplyTheme(this, text1_->text(), ThemeTable::Standard);
    subjects().commitRow();
    subjects().refresh();
    rebindGrid();
    setUpNameList(dataCombo6_, SubjectColumn::FirstName);
    setUpNameList(dataCombo1_, SubjectColumn::LastName);
}

void FrmCode::Combo3_Change()
{
    blank(dataCombo1_);
    blank(dataCombo6_);
    filterGrid(SubjectColumn::Group, combo3_->currentText());
}

void FrmCode::DataCombo1_Change()
{
    blank(dataCombo6_);
    blank(combo3_);
    filterGrid(SubjectColumn::LastName, dataCombo1_->currentText());
}

void FrmCode::DataCombo6_Change()
{
    filterGrid(SubjectColumn::FirstName, dataCombo6_->currentText());
    blank(dataCombo1_);
    blank(combo3_);
}

void FrmCode::filterGrid(const QString& column, const QString& value)
{
    subjects().setFilter(column, value);
    rebindGrid();
}

void FrmCode::rebindGrid()
{
    gridModel_->show(subjects());
}

// Blanking a selector from here does not run its own filtering.
void FrmCode::blank(QComboBox* combo)
{
    const QSignalBlocker silent(combo);
    combo->setCurrentIndex(-1);
    combo->clearEditText();
}

void FrmCode::Command1_Click()
{
    const QString group = combo3_->currentText();
    results().setFilter(SubjectColumn::Group, group);
    PrintResultReport(this, results(), settings().field(SettingsColumn::Name),
                      settings().field(SettingsColumn::Address));
    results().refresh();
}

// Exports the group the group selector names, or every group.
void FrmCode::CmdExport_Click()
{
    ExportFlow::run(this, combo3_->currentText());
}

void FrmCode::Command6_Click()
{
    close();
}
