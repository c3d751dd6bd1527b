#include "backup/Frmbackup.h"

#include "appearance/ApplyTheme.h"
#include "backup/CopyFileInBlocks.h"
#include "backup/SubjectRestore.h"
#include "calendar/SolarHijriDate.h"
#include "data/Database.h"
#include "data/ProgramPaths.h"
#include "data/RecordSet.h"
#include "ui/ApplicationEnd.h"
#include "ui/Notice.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace {

// The title of every box that has none of its own.
const QString defaultTitle = QStringLiteral("Senvora");
const QString errorTitle = QStringLiteral("خطا");

std::function<QDateTime()>& clockSource()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QString timeText(const QDateTime& moment)
{
    return moment.time().toString(u"H.mm");
}

QString backupFilter()
{
    return QStringLiteral("Database Backup ") + QStringLiteral("(") + QStringLiteral("*.mdbB") +
           QStringLiteral(")");
}

} // namespace

Frmbackup::Frmbackup(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Frmbackup"));
    setWindowTitle(QStringLiteral("Back up ...  Reastor"));
    setFixedSize(twips(6480), twips(3000));
    buildControls();
    buildRows();
    Form_Load();
}

Frmbackup::~Frmbackup() = default;

void Frmbackup::setClock(std::function<QDateTime()> clock)
{
    clockSource() = std::move(clock);
}

QDateTime Frmbackup::now()
{
    return clockSource() ? clockSource()() : QDateTime::currentDateTime();
}

QString Frmbackup::proposedFileName() const
{
    return QStringLiteral("در تاريخ") + label3_->text() + QStringLiteral(" ساعت)") +
           label2_->text() + QStringLiteral(")") + QStringLiteral(".mdbB");
}

QPushButton* Frmbackup::button(const QString& name, const QString& caption, const QRect& place)
{
    auto* created = new QPushButton(caption, this);
    created->setObjectName(name);
    created->setGeometry(place);
    return created;
}

void Frmbackup::buildControls()
{
    adodc1_ = new RecordSet(Database::File::Settings, QStringLiteral("Theme"), this);
    adodc1_->setObjectName(QStringLiteral("Adodc1"));
    text3_ = new QLineEdit(this);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->hide();
    adodc1_->bind(text3_, QStringLiteral("TH"));

    const auto label = [this](const char* name, const QRect& place) {
        auto* created = new QLabel(this);
        created->setObjectName(QString::fromLatin1(name));
        created->setGeometry(place);
        created->setTextFormat(Qt::PlainText);
        created->setAlignment(Qt::AlignCenter);
        return created;
    };
    label1_ = label("Label1", twipsRect(3360, 120, 2880, 375));
    label2_ = label("Label2", twipsRect(240, 120, 2880, 375));
    label3_ = label("Label3", twipsRect(2160, 1200, 4080, 375));

    command1_ =
        button(QStringLiteral("Command1"), QStringLiteral("خروج"), twipsRect(240, 2340, 1200, 450));
    connect(command1_, &QPushButton::clicked, this, &Frmbackup::Command1_Click);

    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setGeometry(twipsRect(1560, 2415, 4680, 300));
    progressBar1_->setRange(0, 1000);
    progressBar1_->setTextVisible(false);
    progressBar1_->hide();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, &Frmbackup::Timer1_Timer);

    commonDialog1_ = new QFileDialog(this);
    commonDialog1_->setObjectName(QStringLiteral("CommonDialog1"));
    commonDialog1_->setOptions(QFileDialog::DontUseNativeDialog |
                               QFileDialog::DontConfirmOverwrite);
    // Its folder, file name and file list show paths: those read left to right.
    for (const char* part : {"lookInCombo", "fileNameEdit", "listView", "treeView"}) {
        if (auto* shown = commonDialog1_->findChild<QWidget*>(QString::fromLatin1(part)))
            shown->setLayoutDirection(Qt::LeftToRight);
    }
}

// The upper row makes a backup, the lower one restores: path box, browse button, action.
void Frmbackup::buildRows()
{
    const auto pathBox = [this](const char* name, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(twipsRect(2160, top, 4080, 420));
        // A path mixes Latin folder names with Persian file names: it reads left to right.
        box->setLayoutDirection(Qt::LeftToRight);
        return box;
    };
    text1_ = pathBox("Text1", 660);
    b1_ = button(QStringLiteral("b1"), QStringLiteral("---"), twipsRect(1560, 660, 480, 420));
    visualButtonEx2_ = button(QStringLiteral("VisualButtonEx2"), QStringLiteral("BACKUP"),
                              twipsRect(240, 660, 1275, 420));
    text2_ = pathBox("Text2", 1680);
    b2_ = button(QStringLiteral("b2"), QStringLiteral("---"), twipsRect(1560, 1680, 480, 420));
    visualButtonEx3_ = button(QStringLiteral("VisualButtonEx3"), QStringLiteral("REASTOR"),
                              twipsRect(240, 1680, 1275, 420));
    connect(b1_, &QPushButton::clicked, this, &Frmbackup::b1_Click);
    connect(b2_, &QPushButton::clicked, this, &Frmbackup::b2_Click);
    connect(visualButtonEx2_, &QPushButton::clicked, this, &Frmbackup::VisualButtonEx2_Click);
    connect(visualButtonEx3_, &QPushButton::clicked, this, &Frmbackup::VisualButtonEx3_Click);
}

void Frmbackup::Form_Load()
{
    adodc1_->refresh();
    ApplyTheme(this, text3_->text(), ThemeTable::Backup);
    const QDateTime moment = now();
    label2_->setText(timeText(moment));
    label1_->setText(SolarHijriDate(moment, 4));
    label3_->setText(label1_->text());
    timer1_->start();
}

void Frmbackup::Timer1_Timer()
{
    label2_->setText(timeText(now()));
}

QMessageBox::StandardButton Frmbackup::message(QMessageBox::Icon icon, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    return Notice::ask(this, icon, title, text, buttons);
}

void Frmbackup::guarded(const std::function<void()>& handler,
                        const std::function<void(const QString&)>& onError)
{
    try {
        handler();
    } catch (const std::exception& error) {
        onError(QString::fromLocal8Bit(error.what()));
    }
}

// Shows the one file dialog in the backup folder with the name it holds; the name changes
// only when the operator confirms a file.
void Frmbackup::showCommonDialog(bool forSaving)
{
    commonDialog1_->setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    commonDialog1_->setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    commonDialog1_->setDirectory(ProgramPaths::backupFolder());
    commonDialog1_->setNameFilter(backupFilter());
    commonDialog1_->selectFile(QFileInfo(dialogFileName_).fileName());
    if (commonDialog1_->exec() == QDialog::Accepted && !commonDialog1_->selectedFiles().isEmpty())
        dialogFileName_ = commonDialog1_->selectedFiles().constFirst();
}

void Frmbackup::browseInto(QLineEdit* box, bool forSaving)
{
    guarded(
        [&] {
            if (forSaving)
                dialogFileName_ = proposedFileName();
            showCommonDialog(forSaving);
            if (!dialogFileName_.isEmpty())
                box->setText(dialogFileName_);
        },
        [this](const QString& error) {
            message(QMessageBox::Warning, QStringLiteral("Error"), error);
        });
}

void Frmbackup::b1_Click()
{
    browseInto(text1_, true);
}

void Frmbackup::b2_Click()
{
    browseInto(text2_, false);
}

// Backups here copy the subject file; while the subjects live on a server that file is not
// theirs, and the server's own backups keep them.
bool Frmbackup::refusedOnServer()
{
    if (!Database::isServer(Database::File::Subjects))
        return false;
    message(
        QMessageBox::Warning, errorTitle,
        QStringLiteral(
            "اطلاعات آزمودنی‌ها روی سرور پایگاه داده «%1» است؛ "
            "نسخه پشتیبان و بازیابی آن را مدیر سرور با ابزار "
            "پشتیبان‌گیری سرور انجام می‌دهد. از این صفحه چیزی تغییر "
            "نکرد.")
            .arg(Database::shownName(Database::File::Subjects)));
    return true;
}

void Frmbackup::VisualButtonEx2_Click()
{
    if (refusedOnServer())
        return;
    guarded([this] { MakeBackup(); },
            [this](const QString& error) {
                message(QMessageBox::NoIcon, QStringLiteral("Error"), error);
            });
}

void Frmbackup::VisualButtonEx3_Click()
{
    if (refusedOnServer())
        return;
    guarded([this] { RestoreBackup(); },
            [this](const QString& error) {
                message(QMessageBox::Warning, errorTitle,
                        error +
                            QStringLiteral("تمامي فرم ها را ببندبد به جز فرم اصلي و اين پنجره"));
            });
}

void Frmbackup::MakeBackup()
{
    const QString target = text1_->text();
    if (target.isEmpty()) {
        message(QMessageBox::Warning, errorTitle,
                QStringLiteral("لطفا مسير تهيه نسخه پشتيبان را وارد کنيد"));
        return;
    }
    if (QFileInfo::exists(target) &&
        message(
            QMessageBox::NoIcon, defaultTitle,
            QStringLiteral(
                "فايل پشتيباني با اين نام قبلا ايجاد شده آيا ميخواهيد اين فايل را جايگزين کنيد؟"),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        message(QMessageBox::Information, defaultTitle,
                QStringLiteral("عدم موفقيت در تهيه نسخه پشتيبان"));
        return;
    }
    // The one file is a complete copy only when no confirmed change waits outside it.
    QString busy;
    if (!Database::release(Database::File::Subjects, &busy)) {
        message(QMessageBox::Critical, defaultTitle,
                QStringLiteral("اشکال در ايجاد نسخه پشتيباني") + QStringLiteral("\r\n") + busy);
        return;
    }
    const QString live = Database::absolutePath(Database::File::Subjects);
    if (!runCopy([&](const CopyProgress& progress) {
            QString problem;
            const bool copied = copyInBlocks(live, target, progress, &problem);
            Notice::tell(QApplication::activeWindow(), copyFailure(problem, target));
            return copied;
        }))
        return;
    message(QMessageBox::NoIcon, defaultTitle, QStringLiteral("نسخه پشتيبان تهيه گرديد"));
    ApplicationEnd::endNow();
}

void Frmbackup::RestoreBackup()
{
    const QString source = text2_->text();
    if (source.isEmpty()) {
        message(QMessageBox::Warning, errorTitle,
                QStringLiteral("لطفا مسير فايل مربوطه را وارد کنيد"));
        return;
    }
    if (message(QMessageBox::NoIcon, defaultTitle,
                QStringLiteral("آيا ميخواهيد اطلاعات را بازيابي کنيد؟"),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        message(QMessageBox::NoIcon, defaultTitle,
                QStringLiteral("عدم موفقيت در بازيابي اطلاعات "));
        return;
    }
    if (!runCopy([&](const CopyProgress& progress) {
            const SubjectRestore::Outcome outcome = SubjectRestore::place(source, now(), progress);
            Notice::tell(this, SubjectRestore::failure(outcome));
            return outcome.placed;
        }))
        return;
    message(QMessageBox::NoIcon, defaultTitle, QStringLiteral("بازيابي اطلاعات انجام شد"));
    ApplicationEnd::endNow();
}

// Runs a copy with the progress bar shown and the other buttons held, so that no second copy
// can start meanwhile. Exit and closing the window still end the application, which drops the
// copy. False when the copy failed or the screen is gone.
bool Frmbackup::runCopy(const std::function<bool(const CopyProgress&)>& copy)
{
    QPointer<Frmbackup> self(this);
    const auto hold = [this](bool holding) {
        for (QWidget* control :
             {static_cast<QWidget*>(text1_), static_cast<QWidget*>(text2_),
              static_cast<QWidget*>(b1_), static_cast<QWidget*>(b2_),
              static_cast<QWidget*>(visualButtonEx2_), static_cast<QWidget*>(visualButtonEx3_)})
            control->setEnabled(!holding);
        progressBar1_->setValue(0);
        progressBar1_->setVisible(holding);
    };
    hold(true);
    const bool copied = copy([self](qint64 done, qint64 total) {
        if (self)
            self->showProgress(done, total);
    });
    if (!self)
        return false;
    hold(false);
    return copied && !ApplicationEnd::isEnding();
}

// The bar follows the copy by time, not by block: a new value repaints it at once.
void Frmbackup::showProgress(qint64 copied, qint64 total)
{
    constexpr qint64 RepaintEveryMs = 16;
    if (copied > 0 && copied < total && progressShown_.isValid() &&
        progressShown_.elapsed() < RepaintEveryMs)
        return;
    progressShown_.start();
    progressBar1_->setValue(total > 0 ? static_cast<int>(copied * 1000 / total) : 1000);
}

void Frmbackup::Command1_Click()
{
    close();
}

void Frmbackup::closeEvent(QCloseEvent* event)
{
    if (!ApplicationEnd::isEnding())
        ApplicationEnd::endNow();
    event->accept();
}
