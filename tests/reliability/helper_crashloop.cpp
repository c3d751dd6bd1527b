// Enrols subjects, answers their items and scores them, round after round, through the real
// screens. Each action the interface confirmed is written to the log (and synced) before the
// next begins; a dot on standard output marks every operator step. The crash-safety test kills
// this process at random steps and checks what survived.
//
// Usage: helper_crashloop PROGRAM_FOLDER LOG_FILE SEED

#include "app/Frm1.h"
#include "support/ScreenDriver.h"
#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>

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
    ScreenDriver::setStepHook([] {
        std::fputc('.', stdout);
        std::fflush(stdout);
    });

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
    }
}
