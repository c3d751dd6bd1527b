#pragma once

// Shared helpers for the QtTest suites: a fresh program folder per test, answering modal
// boxes and dialogs as a user would, and seeding subjects straight into the database.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// A fresh, empty database on the test run's PostgreSQL cluster, chosen as the subject store
// (SENVORA_DATABASE) for the life of the object, dropped afterwards. Only when the suite runs
// against the server: SENVORA_TEST_SERVER names the file holding the cluster's URI.
class TestServerDatabase
{
  public:
    TestServerDatabase();
    ~TestServerDatabase();
    TestServerDatabase(const TestServerDatabase&) = delete;
    TestServerDatabase& operator=(const TestServerDatabase&) = delete;

    // Whether this run is against the server.
    static bool wanted();
    // The URI of a database of the cluster.
    static QString uriOf(const QString& database);
    // Runs one statement as the cluster's owner on its maintenance database; false on failure.
    static bool administer(const QString& statement);
    QString uri() const { return uriOf(name_); }

  private:
    QString name_;
    QByteArray previous_;
};

// A fresh, empty program folder made the working folder for the life of the object (and, in
// a run against the server, a fresh database there).
class TestHome
{
  public:
    TestHome();
    ~TestHome();
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }

  private:
    QTemporaryDir dir_;
    QString previous_;
    std::unique_ptr<TestServerDatabase> server_;
};

// Acts on modal windows the moment they appear, in the order they are expected. Each step
// waits for the next modal window of its kind; what the boxes said is kept for asserting.
class ModalDriver : public QObject
{
    Q_OBJECT

  public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    ModalDriver();
    ~ModalDriver() override;

    // The next message box: press the given button (the default button when NoButton).
    ModalDriver& box(QMessageBox::StandardButton button = QMessageBox::NoButton);
    // The next timed notice: leave it to close by itself (true) or press OK at once (false).
    ModalDriver& notice(bool waitForTimer = false);
    // The next input box: type text and confirm, or cancel.
    ModalDriver& input(const QString& text);
    ModalDriver& cancelInput();
    // The next modal window of any kind: run action on it.
    ModalDriver& then(std::function<void(QWidget*)> action);

    // All steps done?
    bool done() const { return steps_.isEmpty(); }
    const QList<Box>& boxes() const { return boxes_; }
    QStringList texts() const;
    QString lastText() const { return boxes_.isEmpty() ? QString() : boxes_.last().text; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Step
    {
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> act;
    };
    void poll();
    void record(QWidget* modal);

    QList<Step> steps_;
    QList<Box> boxes_;
    QPointer<QWidget> lastHandled_;
    QTimer timer_;
};

// A subject-code prompt answered so that no subject is found, as rows of a data table with the
// columns cancel, code and notice (the timed notice that follows): the prompt cancelled, left
// empty, and each of the unknown codes typed.
namespace CodePrompt {
void addRefusals(const QStringList& unknownCodes);
// Queues the current row's answer to the prompt and the notice after it.
void refuse(ModalDriver& driver);
} // namespace CodePrompt

// Subjects written directly into the subject database.
namespace Fixture {
struct Subject
{
    QString code;
    QString firstName = QStringLiteral("علی");
    QString familyName = QStringLiteral("رضایی");
    QString group = QStringLiteral("A");
    QString answers = {}; // up to fifteen characters '1', '0' or ' ' (unanswered)
    QString score = {};
    QString comment = {};
};
void enrol(const Subject& subject);
QString answerOf(const QString& code, int item);
QString columnOf(const QString& table, const QString& code, const QString& column);
int rowCount(const QString& table);
// The settings row (table Theme of the settings database): read or write one column.
QString setting(const QString& column);
void setSetting(const QString& column, const QString& value);
} // namespace Fixture

// Moves the pointer over the widget (a move with no button pressed, as hover handlers see it).
void hoverOver(QWidget* widget);

// Reports written as PDF files into Reports/ of the program folder, read back as text.
namespace Reports {
// The PDF files in Reports/ of the working folder, oldest first.
QStringList files();
// The text of a PDF (pdftotext; with layout: one line per printed line, left to right) in
// the form of plain(); each page ends with a form feed.
QString text(const QString& path, bool layout = false);
// Text as it can be compared with a PDF's: letter forms folded (NFKC), no direction marks,
// Arabic Yeh, Kaf and digits as their Persian forms, no zero-width joiners, runs of blanks as one.
QString plain(const QString& text);
// The detail lines of a report's layout text as (row number, code), in printed order. A
// detail line reads, from left to right, comment, score, group, names, code and row number;
// codes must be a Latin capital and digits (the extraction may run the first name into the code
// or, from three-digit row numbers on, into the row number).
QList<QPair<int, QString>> detailLines(const QString& layoutText);
// The detail lines of a PDF report.
QList<QPair<int, QString>> detailLinesOf(const QString& path);
} // namespace Reports

// Types text into the widget key by key, as a user would (any script, not only ASCII).
void typeText(QWidget* widget, const QString& text);

template <typename T> T* findWindow(const QString& objectName = QString())
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<T*>(widget);
            window && window->isVisible() &&
            (objectName.isEmpty() || window->objectName() == objectName))
            return window;
    }
    return nullptr;
}
