// Writes pictures of the main window in each of the eleven themes into the folder given as
// the first argument (default: the system's temporary folder), for looking the themes over.
// Each picture shows the settings menu with the clinic panel, a sample of the controls
// that other screens use, the theme panel, and the theme-applied screen; the test screen
// is pictured on its own.

#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "appearance/Frmskin.h"
#include "appearance/SettingsMenu.h"
#include "appearance/ThemeFiles.h"
#include "appearance/ThemePanel.h"
#include "data/RecordSet.h"
#include "support/TestSupport.h"
#include "testscreen/FrmTest.h"
#include "ui/ImageButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>

namespace {

QWidget* addSampleControls(QWidget* window)
{
    auto* frame = new QFrame(window);
    frame->setObjectName(QStringLiteral("Frame99"));
    frame->setGeometry(8, 222, 388, 205);
    auto* title = new QLabel(QStringLiteral("عنوان برگه آزمون"), frame);
    title->setObjectName(QStringLiteral("SkinLabel9"));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(190, 8, 190, 30);
    auto* combo = new QComboBox(frame);
    combo->addItems({QStringLiteral("گروه A"), QStringLiteral("گروه B")});
    combo->setGeometry(190, 46, 190, 32);
    auto* label = new QLabel(QStringLiteral("تحصیلات: دیپلم"), frame);
    label->setGeometry(190, 84, 190, 28);
    auto* group = new QGroupBox(QStringLiteral("7"), frame);
    group->setObjectName(QStringLiteral("Frame2"));
    group->setGeometry(190, 112, 190, 86);
    (new QRadioButton(QStringLiteral("بلی"), group))->setGeometry(100, 24, 80, 26);
    auto* no = new QRadioButton(QStringLiteral("خیر"), group);
    no->setGeometry(10, 24, 90, 26);
    no->setChecked(true);
    auto* check = new QCheckBox(QStringLiteral("چاپ"), group);
    check->setChecked(true);
    check->setGeometry(60, 52, 100, 26);
    auto* model = new QStandardItemModel(3, 3, frame);
    model->setHorizontalHeaderLabels(
        {QStringLiteral("کد"), QStringLiteral("نام"), QStringLiteral("گروه")});
    const QStringList names{QStringLiteral("مریم"), QStringLiteral("حسن"), QStringLiteral("زهرا")};
    for (int row = 0; row < 3; ++row) {
        model->setItem(row, 0, new QStandardItem(QString::number(101 + row)));
        model->setItem(row, 1, new QStandardItem(names[row]));
        model->setItem(row, 2, new QStandardItem(QStringLiteral("A")));
    }
    auto* grid = new QTableView(frame);
    grid->setObjectName(QStringLiteral("DataGrid1"));
    grid->setModel(model);
    grid->setAlternatingRowColors(true);
    grid->selectRow(1);
    grid->verticalHeader()->hide();
    grid->setGeometry(8, 8, 174, 190);
    frame->show();
    return frame;
}

void storeTheme(int number)
{
    RecordSet settings(Database::File::Settings, QStringLiteral("Theme"));
    settings.refresh();
    settings.setField(QStringLiteral("TH"), QString::number(number));
    settings.setField(QStringLiteral("Name"),
                      QStringLiteral("کلینیک روان‌شناسی مهر"));
    settings.setField(QStringLiteral("Adress"), QStringLiteral("تهران، خیابان آزادی، پلاک ۱۲"));
    settings.commitRow();
}

QImage shotOf(int number)
{
    storeTheme(number);
    Frm1 window;
    window.show();
    window.settingsMenu()->open();
    window.clinicPanel()->open();
    QWidget* sample = addSampleControls(&window);
    const QImage withClinic = window.grab().toImage();
    window.HidePanels();
    sample->hide();
    window.settingsMenu()->open();
    window.themePanel()->open();
    const QImage withThemes = window.grab().toImage();
    QMessageBox box(QMessageBox::Information, QStringLiteral("پيام"),
                    QStringLiteral("اطلاعات آزمودنی با موفقیت ذخیره شد"), QMessageBox::Ok, &window);
    box.show();
    const QImage notice = box.grab().toImage();
    box.hide();
    Frmskin screen;
    screen.show();
    screen.highlightedButton()->show();
    screen.normalButton()->hide();
    const QImage applied = screen.grab().toImage();

    QImage sheet(withClinic.width() * 2 + 8, withClinic.height() + applied.height() + 8,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.drawImage(0, 0, withClinic);
    painter.drawImage(withClinic.width() + 8, 0, withThemes);
    painter.drawImage(0, withClinic.height() + 8, applied);
    painter.drawImage(withClinic.width() + 8, withClinic.height() + 8, notice);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    painter.drawText(
        applied.width() + 20, withClinic.height() + 60,
        QStringLiteral("theme %1: %2").arg(number).arg(window.property("themeFile").toString()));
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    TestHome home;
    ThemeFiles::installMissing(home.path());
    // One sheet per theme, and all eleven side by side at half size.
    QImage overview(4 * 360, 3 * 290, QImage::Format_RGB32);
    overview.fill(Qt::white);
    QPainter painter(&overview);
    for (int number = 1; number <= 11; ++number) {
        const QImage sheet = shotOf(number);
        const QString file = QDir(folder).filePath(QStringLiteral("theme%1.png").arg(number));
        if (!sheet.save(file))
            return 1;
        FrmTest testScreen;
        testScreen.show();
        testScreen.grab().save(QDir(folder).filePath(QStringLiteral("test%1.png").arg(number)));
        const QImage main = sheet.copy(0, 0, sheet.width() / 2, sheet.height() * 564 / 772);
        painter.drawImage(QPoint(((number - 1) % 4) * 360, ((number - 1) / 4) * 290),
                          main.scaledToWidth(354, Qt::SmoothTransformation));
    }
    painter.end();
    return overview.save(QDir(folder).filePath(QStringLiteral("themes.png"))) ? 0 : 1;
}
