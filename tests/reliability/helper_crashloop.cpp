// Enrols subjects, answers their items and scores them, round after round, through the real
// screens; every few rounds it makes a backup on the backup screen and later restores it there.
// Each action the interface confirmed is written to the log (and synced) before the next
// begins ("restoring NAME" just before a restore is asked for); a dot on standard output marks
// every operator step. The crash-safety test kills this process at random steps and checks
// what survived.
//
// Usage: helper_crashloop PROGRAM_FOLDER LOG_FILE SEED

#include "app/Frm1.h"
#include "backup/Frmbackup.h"
#include "support/ScreenDriver.h"
#include "support/TestSupport.h"
#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

class ConfirmedLog
{
  public:
    explicit ConfirmedLog(const QString& path) : file_(path)
    {
        if (!file_.open(QIODevice::Append | QIODevice::Text))
            qFatal("cannot open log %s", qPrintable(path));
    }
    void confirm(const QString& line)
    {
        file_.write(line.toUtf8() + '\n');
        file_.flush();
        ::fsync(file_.handle());
    }

  private:
    QFile file_;
};

QString randomAnswers(QRandomGenerator& random)
{
    QString answers;
    for (int i = 0; i < 15; ++i)
        answers += random.bounded(2) ? QLatin1Char('1') : QLatin1Char('0');
    return answers;
}

void step()
{
    std::fputc('.', stdout);
    std::fflush(stdout);
}

// Fills the path box of one row of the backup screen and presses its button, answering the
// boxes as an operator does; true when the last box says what success says.
bool onBackupScreen(const char* pathBox, const QString& path, const char* button,
                    const QList<QMessageBox::StandardButton>& answers, const QString& success)
{
    Frmbackup screen;
    screen.show();
    step();
    screen.findChild<QLineEdit*>(QString::fromLatin1(pathBox))->setText(path);
    ModalDriver driver;
    for (QMessageBox::StandardButton answer : answers)
        driver.box(answer);
    step();
    // The copy lets the event loop run between blocks (the progress bar shows meanwhile): a
    // dot for each, so that kills land inside the copies of a backup or a restore too.
    auto* bar = screen.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [bar] {
        if (bar->isVisible())
            step();
    });
    ticks.start(0);
    screen.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    ticks.stop();
    const bool confirmed = driver.done() && driver.lastText() == success;
    ApplicationEnd::reset(); // the screen ended the application; the worker goes on
    return confirmed;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    QDir::setCurrent(QString::fromLocal8Bit(argv[1]));
    ConfirmedLog log(QString::fromLocal8Bit(argv[2]));
    const QString seed = QString::fromLatin1(argv[3]);
    QRandomGenerator random(seed.toUInt());
    ApplicationEnd::setQuitsEventLoop(false);
    ScreenDriver::setStepHook(step);
    QDir().mkpath(QStringLiteral("backups"));
    QString lastBackup;

    Frm1 window;
    if (window.startRefused())
        return 3;
    window.show();
    for (int round = 0;; ++round) {
        const QString code = QStringLiteral("C%1-%2").arg(seed).arg(round);
        ScreenDriver::Enrolment subject{.code = code};
        subject.group = static_cast<int>(random.bounded(7));
        if (!ScreenDriver::enrol(window, subject))
            return 4;
        log.confirm(QStringLiteral("enrol ") + code);
        const QString answers = randomAnswers(random);
        if (!ScreenDriver::answerTest(window, code, answers))
            return 5;
        log.confirm(QStringLiteral("answers ") + code + QLatin1Char(' ') + answers);
        const int score = ScreenDriver::score(window, code);
        if (score < 0)
            return 6;
        log.confirm(QStringLiteral("score ") + code + QLatin1Char(' ') + QString::number(score));
        if (round % 6 == 1) {
            lastBackup = QStringLiteral("backups/%1.mdbB").arg(code);
            if (!onBackupScreen("Text1", lastBackup, "VisualButtonEx2", {QMessageBox::Ok},
                                QStringLiteral("نسخه پشتيبان تهيه گرديد")))
                return 7;
            log.confirm(QStringLiteral("backup ") + lastBackup);
        } else if (round % 6 == 4) {
            log.confirm(QStringLiteral("restoring ") + lastBackup);
            if (!onBackupScreen("Text2", lastBackup, "VisualButtonEx3",
                                {QMessageBox::Yes, QMessageBox::Ok},
                                QStringLiteral("بازيابي اطلاعات انجام شد")))
                return 8;
            log.confirm(QStringLiteral("restore ") + lastBackup);
        }
        if (round % 6 == 1 || round % 6 == 4)
            window.show();
    }
}
