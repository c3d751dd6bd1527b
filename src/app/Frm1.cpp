#include "app/Frm1.h"

#include "about/About.h"
#include "app/Banner.h"
#include "app/Calculator.h"
#include "app/SingleInstance.h"
#include "app/WindowFlow.h"
#include "appearance/ApplyTheme.h"
#include "appearance/ClinicPanel.h"
#include "appearance/SettingsMenu.h"
#include "appearance/ThemeBox.h"
#include "appearance/ThemePanel.h"
#include "data/Adodcs.h"
#include "data/Columns.h"
#include "data/RecordSet.h"
#include "enrolment/EnrolmentPanel.h"
#include "lookup/FrmCode.h"
#include "scoring/FrmkLID.h"
#include "testscreen/FrmTest.h"
#include "text/NumericText.h"
#include "ui/ApplicationEnd.h"
#include "ui/HiddenBox.h"
#include "ui/ModalRun.h"
#include "ui/Notice.h"
#include "ui/TimedMessage.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

namespace {

struct HelpText
{
    const char* button;
    QString text;
};

const QList<HelpText>& hoverHelp()
{
    static const QList<HelpText> table{
        {"Command1", QStringLiteral(" شما بايد هر آزمودني را ابتدا ثبت نام کرده و سپس روي دکمه "
                                    "اجراي تست کليک کرده و کد آزمودني را وارد کنيد")},
        {"Command2", QStringLiteral(" جهت جواب دادن به سؤالها روي اين دکمه کليک کنيد و کد آزمودني "
                                    "مورد نظر را وارد کنيد ")},
        {"Command3", QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد")},
        {"Command4", QStringLiteral(" درصورتيکه کد آزمودني را فراموش کرده ايد با کليک بر روي  اين "
                                    "قسمت مي توانيد آن را بدست بياوريد")},
        {"Command9", QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1- تم برنامه را عوض کنيد "
                                    "2- نام و آدرس کلينيک را وارد کنيد")},
    };
    return table;
}

} // namespace

Frm1::Frm1(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Frm1"));
    setWindowTitle(QStringLiteral("Senvora"));
    setFixedSize(twips(10620), twips(8460));
    setMouseTracking(true);
    buildRecordSets();
    buildHeaderAndBanner();
    buildMenu();
    buildPanels();
    settings().refresh();
    subjects().refresh();
    answers().refresh();
    answerCodes().refresh();
    enrolled().refresh();
    results().refresh();
    Form_Load();
}

Frm1::~Frm1() = default;

Frm1* Frm1::openNew()
{
    auto* window = new Frm1;
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (window->startRefused()) {
        delete window;
        return nullptr;
    }
    window->show();
    return window;
}

QString Frm1::siteAddress()
{
    return QStringLiteral("https://senvora.ir/");
}

void Frm1::buildRecordSets()
{
    using File = Database::File;
    adodc_ = makeAdodcs(this, {{File::Settings, TableName::Settings},
                               {File::Subjects, TableName::Subjects},
                               {File::Subjects, TableName::Answers},
                               {File::Subjects, TableName::Answers},
                               {File::Subjects, TableName::Subjects},
                               {File::Subjects, TableName::Results}});
    text1_ = themeBox(this, settings(), QStringLiteral("Text1"));
    text3_ = hiddenBox(this, QStringLiteral("Text3"));
}

void Frm1::buildHeaderAndBanner()
{
    skinLabel1_ = new QLabel(this);
    skinLabel1_->setObjectName(QStringLiteral("SkinLabel1"));
    skinLabel1_->setGeometry(twipsRect(120, 60, 10380, 420));
    skinLabel1_->setAlignment(Qt::AlignCenter);
    skinLabel1_->setTextFormat(Qt::PlainText);

    skinLabel2_ = new QLabel(this);
    skinLabel2_->setObjectName(QStringLiteral("SkinLabel2"));
    skinLabel2_->setGeometry(twipsRect(300, 7740, 9975, 615));
    skinLabel2_->setAlignment(Qt::AlignCenter);
    skinLabel2_->setTextFormat(Qt::PlainText);
    skinLabel2_->setWordWrap(true);
    skinLabel2_->hide();

    picture1_ = new QLabel(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(twipsRect(720, 6540, 6270, 690));
    picture1_->setPixmap(Banner::picture(picture1_->size()));
    picture1_->setCursor(Qt::PointingHandCursor);
    picture1_->setToolTip(QStringLiteral("جهت ورود به سايت کليک کنيد"));
    picture1_->installEventFilter(this);

    for (QWidget* widget : {static_cast<QWidget*>(skinLabel1_), static_cast<QWidget*>(skinLabel2_),
                            static_cast<QWidget*>(picture1_)})
        widget->setAttribute(Qt::WA_NoMousePropagation);
}

QAbstractButton* Frm1::menuButton(const QString& name, const QString& caption, int slot)
{
    auto* button = new QPushButton(caption, frame7_);
    button->setObjectName(name);
    button->setGeometry(twipsRect(150, 150 + slot * 690, 1935, 600));
    button->setMouseTracking(true);
    button->installEventFilter(this);
    return button;
}

void Frm1::buildMenu()
{
    frame7_ = new QFrame(this);
    frame7_->setObjectName(QStringLiteral("Frame7"));
    frame7_->setGeometry(twipsRect(8280, 540, 2235, 6555));
    frame7_->setFrameShape(QFrame::StyledPanel);
    frame7_->setMouseTracking(true);
    frame7_->installEventFilter(this);

    const auto on = [this](QAbstractButton* button, void (Frm1::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    on(menuButton(QStringLiteral("Command1"), QStringLiteral("ثبت نام آزمودني"), 0),
       &Frm1::Command1_Click);
    on(menuButton(QStringLiteral("Command2"), QStringLiteral("اجراي تست"), 1),
       &Frm1::Command2_Click);
    on(menuButton(QStringLiteral("Command3"), QStringLiteral("کليد گذاري"), 2),
       &Frm1::Command3_Click);
    on(menuButton(QStringLiteral("Command4"), QStringLiteral("نمايش کد آزمودني"), 3),
       &Frm1::Command4_Click);
    on(menuButton(QStringLiteral("Command5"), QStringLiteral("ماشين حساب"), 4),
       &Frm1::Command5_Click);
    on(menuButton(QStringLiteral("Command9"), QStringLiteral("تنظيمات"), 5), &Frm1::Command9_Click);
    on(menuButton(QStringLiteral("Command11"), QStringLiteral("درباره ما"), 6),
       &Frm1::Command11_Click);
    on(menuButton(QStringLiteral("Command6"), QStringLiteral("خروج"), 8), &Frm1::Command6_Click);
}

void Frm1::buildPanels()
{
    frame10_ =
        new EnrolmentPanel({subjects(), answers(), answerCodes(), enrolled(), results()}, this);
    frame8_ = new SettingsMenu(this);
    frame9_ = new ClinicPanel(settings(), this);
    frame6_ = new ThemePanel(settings(), this);
    for (QWidget* panel : {static_cast<QWidget*>(frame10_), static_cast<QWidget*>(frame8_),
                           static_cast<QWidget*>(frame9_), static_cast<QWidget*>(frame6_)})
        panel->setAttribute(Qt::WA_NoMousePropagation);
    connect(frame9_->nameBox(), &QLineEdit::textChanged, this, &Frm1::Text2_Change);
    connect(frame10_, &EnrolmentPanel::panelsHideRequested, this, &Frm1::HidePanels);
    connect(frame8_, &SettingsMenu::panelsHideRequested, this, &Frm1::HidePanels);
    connect(frame8_, &SettingsMenu::themePanelRequested, frame6_, &ThemePanel::open);
    connect(frame8_, &SettingsMenu::clinicPanelRequested, frame9_, &ClinicPanel::open);
    connect(frame6_, &ThemePanel::themeStored, this, &Frm1::themeStored);
    settings().bind(frame9_->nameBox(), SettingsColumn::Name);
    settings().bind(frame9_->addressBox(), SettingsColumn::Address);
}

void Frm1::Form_Load()
{
    if (const SingleInstance::Outcome lock = SingleInstance::acquire();
        lock != SingleInstance::Outcome::Acquired) {
        startRefused_ = true;
        const bool running = lock == SingleInstance::Outcome::AnotherCopyRuns;
        Notice::tell(this, running ? QMessageBox::Information : QMessageBox::Critical,
                     running ? QStringLiteral("Warnnig") : Notice::ErrorTitle,
                     running ? QStringLiteral("برنامه در حال اجراست") : SingleInstance::problem());
        ApplicationEnd::endNow();
        return;
    }
    ApplyTheme(this, text1_->text());
    text3_->setText(QStringLiteral("2"));
}

void Frm1::HidePanels()
{
    frame6_->hide();
    frame10_->hide();
    frame8_->hide();
    frame9_->hide();
    if (subjects().hasRows())
        subjects().refresh();
}

bool Frm1::hasAnswerRows() const
{
    return answers().hasRows();
}

void Frm1::Command1_Click()
{
    HidePanels();
    frame10_->open();
}

QString Frm1::askForCode()
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Enter Code "));
    dialog.setLabelText(QStringLiteral(" Plese Insert Code "));
    dialog.setTextValue(QString());
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void Frm1::Command2_Click()
{
    if (!hasAnswerRows())
        return;
    HidePanels();
    if (!testScreen_)
        testScreen_ = std::make_unique<FrmTest>(this);
    testScreen_->answerRecords().refresh();
    testScreen_->subjectRecords().refresh();
    const QString code = askForCode();
    if (code.isEmpty()) {
        TimedMessage(this, NoticeText::CodeMissing);
        return;
    }
    testScreen_->answerRecords().setFilter(SubjectColumn::Code, code);
    if (testScreen_->answerRecords().bof()) {
        TimedMessage(this, NoticeText::NoSuchSubject);
        return;
    }
    testScreen_->subjectRecords().setFilter(SubjectColumn::Code, code);
    runModal(testScreen_.get());
    testScreen_ = std::make_unique<FrmTest>(this);
    testScreen_->resetToStart();
}

void Frm1::Command3_Click()
{
    if (!hasAnswerRows())
        return;
    HidePanels();
    FrmkLID screen(this);
    runModal(&screen);
}

void Frm1::Command4_Click()
{
    if (!hasAnswerRows())
        return;
    HidePanels();
    FrmCode screen(this);
    runModal(&screen);
}

void Frm1::Command5_Click()
{
    HidePanels();
    Calculator::start(this);
}

void Frm1::Command9_Click()
{
    HidePanels();
    frame8_->open();
}

void Frm1::Command11_Click()
{
    HidePanels();
    About screen(this);
    runModal(&screen);
}

void Frm1::Command6_Click()
{
    HidePanels();
    showExitPrompt(5000, 4500);
    close();
}

void Frm1::showExitPrompt(int leftTwips, int topTwips)
{
    WindowFlow::showExitPrompt(twipsPoint(leftTwips, topTwips));
}

// A new theme is stored: its screen follows, and this window closes without the exit prompt.
void Frm1::themeStored()
{
    text3_->setText(QStringLiteral("1"));
    WindowFlow::showThemedScreen();
    close();
}

void Frm1::closeEvent(QCloseEvent* event)
{
    if (!ApplicationEnd::isEnding() && !startRefused_)
        Form_Unload();
    event->accept();
}

void Frm1::Form_Unload()
{
    subjects().refresh();
    if (numericValue(text3_->text()) != 1.0) {
        HidePanels();
        subjects().refresh();
        showExitPrompt(5000, 1500);
    }
}

void Frm1::Text2_Change(const QString& text)
{
    skinLabel1_->setText(text);
}

void Frm1::Picture1_Click()
{
    QDesktopServices::openUrl(QUrl(siteAddress()));
}

void Frm1::showHoverHelp(QObject* button)
{
    for (const HelpText& help : hoverHelp()) {
        if (button->objectName() == QLatin1String(help.button)) {
            skinLabel2_->setVisible(true);
            skinLabel2_->setText(help.text);
        }
    }
}

void Frm1::clearHoverHelp()
{
    skinLabel2_->setText(QString());
    skinLabel2_->setVisible(false);
}

void Frm1::mouseMoveEvent(QMouseEvent* event)
{
    clearHoverHelp();
    QWidget::mouseMoveEvent(event);
}

bool Frm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == frame7_) {
            clearHoverHelp();
        } else if (watched->parent() == frame7_) {
            showHoverHelp(watched);
            return true; // a button's move never reaches the menu background
        }
    } else if (watched == picture1_ && event->type() == QEvent::MouseButtonRelease) {
        Picture1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
