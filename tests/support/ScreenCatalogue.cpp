#include "support/ScreenCatalogue.h"

#include "about/About.h"
#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "appearance/Frmskin.h"
#include "appearance/SettingsMenu.h"
#include "appearance/ThemeFiles.h"
#include "appearance/ThemePanel.h"
#include "backup/Frmbackup.h"
#include "backup/exitpro.h"
#include "enrolment/EnrolmentPanel.h"
#include "history/FrmGroupPicture.h"
#include "history/FrmHistory.h"
#include "lookup/ExportDialog.h"
#include "lookup/FrmCode.h"
#include "scoring/FrmkLID.h"
#include "support/TestSupport.h"
#include "testscreen/FrmTest.h"
#include "ui/Notice.h"
#include "ui/TimedMessage.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>

namespace ScreenCatalogue {
namespace {

const QString seededCode = QStringLiteral("A1001");

void click(QWidget* screen, const char* name)
{
    auto* button = screen->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
}

// A window of its own: shown, visited, closed.
template <typename Screen> Entry standalone(const QString& name)
{
    return {name, [](const Visitor& visit) {
                Screen screen;
                screen.show();
                visit(&screen);
            }};
}

// A main window with one of its panels open.
Entry mainWindow(const QString& name, const std::function<void(Frm1&)>& open,
                 const QStringList& byDesign = {})
{
    return {name,
            [open](const Visitor& visit) {
                Frm1 window;
                window.show();
                open(window);
                visit(&window);
            },
            byDesign};
}

// The next modal window that the action opens: visited, then closed.
void visitModal(const Visitor& visit, const std::function<void()>& opening)
{
    ModalDriver driver;
    driver.then([&visit](QWidget* modal) {
        visit(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    opening();
}

Entry notice(const QString& name, const std::function<void(QWidget* owner)>& show)
{
    return {name, [show](const Visitor& visit) {
                Frm1 window;
                window.show();
                visitModal(visit, [&] { show(&window); });
            }};
}

} // namespace

void seed()
{
    Fixture::enrol({.code = seededCode,
                    .firstName = QStringLiteral("عبدالحسین"),
                    .familyName = QStringLiteral("شهرستانی‌نژاد"),
                    .answers = QStringLiteral("101010101010101"),
                    .score = QStringLiteral("7")});
    Fixture::enrol({.code = QStringLiteral("B2002"),
                    .firstName = QStringLiteral("مریم"),
                    .familyName = QStringLiteral("کریمی"),
                    .group = QStringLiteral("B"),
                    .answers = QStringLiteral("1111111111111  "),
                    .score = QStringLiteral("13")});
}

const QList<Entry>& entries()
{
    static const QList<Entry> all{
        mainWindow(QStringLiteral("main window"), [](Frm1&) {}),
        mainWindow(QStringLiteral("enrolment panel"), [](Frm1& w) { click(&w, "Command1"); }),
        mainWindow(QStringLiteral("settings menu"), [](Frm1& w) { w.settingsMenu()->open(); }),
        mainWindow(QStringLiteral("clinic panel"),
                   [](Frm1& w) {
                       w.settingsMenu()->open();
                       w.clinicPanel()->open();
                   }),
        // The theme panel's place runs over the banner and the help strip; it is opaque there.
        mainWindow(QStringLiteral("theme panel"),
                   [](Frm1& w) {
                       w.settingsMenu()->open();
                       w.themePanel()->open();
                   },
                   {QStringLiteral("Frm1/Picture1: overlaps Frm1/Frame6")}),
        standalone<FrmTest>(QStringLiteral("test screen")),
        {QStringLiteral("test screen, an item"),
         [](const Visitor& visit) {
             FrmTest screen;
             screen.show();
             click(&screen, "Command1");
             visit(&screen);
         }},
        standalone<FrmkLID>(QStringLiteral("scoring screen")),
        {QStringLiteral("scoring screen, a result"),
         [](const Visitor& visit) {
             FrmkLID screen;
             screen.show();
             ModalDriver driver;
             driver.input(seededCode);
             click(&screen, "Command1");
             visit(&screen);
         }},
        {QStringLiteral("scoring search box"),
         [](const Visitor& visit) {
             FrmkLID screen;
             screen.show();
             visitModal(visit, [&] { click(&screen, "Command1"); });
         }},
        standalone<FrmCode>(QStringLiteral("code finder")),
        {QStringLiteral("subject history"),
         [](const Visitor& visit) {
             FrmHistory screen;
             screen.showSubject(seededCode);
             screen.show();
             visit(&screen);
         }},
        {QStringLiteral("group picture"),
         [](const Visitor& visit) {
             FrmGroupPicture screen;
             screen.showGroup(QString());
             screen.show();
             visit(&screen);
         }},
        {QStringLiteral("export choices"),
         [](const Visitor& visit) {
             ExportDialog dialog(QStringLiteral("A"));
             dialog.show();
             visit(&dialog);
         }},
        standalone<Frmbackup>(QStringLiteral("backup screen")),
        standalone<exitpro>(QStringLiteral("exit prompt")),
        standalone<Frmskin>(QStringLiteral("theme applied")),
        // The credit line assembles from letters spread far apart and the lines scroll upwards
        // through each other.
        {QStringLiteral("about"),
         [](const Visitor& visit) {
             About screen;
             screen.show();
             visit(&screen);
         },
         {QStringLiteral("About/Text1:"), QStringLiteral("About/Label")}},
        notice(QStringLiteral("timed notice"),
               [](QWidget* owner) { TimedMessage(owner, NoticeText::NoSuchSubject); }),
        notice(QStringLiteral("error box"),
               [](QWidget* owner) { Notice::warn(owner, NoticeText::CodeMissing); }),
        notice(QStringLiteral("question box"),
               [](QWidget* owner) {
                   Notice::ask(owner, QMessageBox::Question, QStringLiteral("Warnnig"),
                               NoticeText::NotANumber, QMessageBox::Yes | QMessageBox::No);
               }),
    };
    return all;
}

std::unique_ptr<TestHome> seededHome()
{
    auto home = std::make_unique<TestHome>();
    ThemeFiles::installMissing(home->path());
    seed();
    return home;
}

void addRowsForEveryTheme()
{
    QTest::addColumn<int>("theme");
    QTest::addColumn<int>("entry");
    for (int theme = 1; theme <= 11; ++theme) {
        for (int i = 0; i < entries().size(); ++i)
            QTest::addRow("theme %d, %s", theme, qPrintable(entries()[i].name)) << theme << i;
    }
}

void runRow(int theme, int entry, const std::function<void(QWidget*, const Entry&)>& visit)
{
    Fixture::setSetting(QStringLiteral("TH"), QString::number(theme));
    const Entry& shown = entries().at(entry);
    shown.run([&](QWidget* window) { visit(window, shown); });
}

} // namespace ScreenCatalogue
