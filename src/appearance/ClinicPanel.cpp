#include "appearance/ClinicPanel.h"

#include "appearance/PanelButton.h"
#include "appearance/SettingsCommit.h"
#include "data/RecordSet.h"
#include "ui/BoxCaption.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ClinicPanel::ClinicPanel(RecordSet& settings, QWidget* mainWindow)
    : QFrame(mainWindow), settings_(settings),
      text2_(entryBox(QStringLiteral("Text2"), twipsRect(120, 300, boxWidth, 615))),
      text14_(entryBox(QStringLiteral("Text14"), twipsRect(120, 1020, boxWidth, 615)))
{
    setObjectName(QStringLiteral("Frame9"));
    setFrameShape(QFrame::StyledPanel);
    fieldLabel(QStringLiteral("SkinLabel4"), QStringLiteral(" :نام"), 420);
    fieldLabel(QStringLiteral("SkinLabel5"), QStringLiteral(" :آدرس"), 1140);
    panelButton(this, QStringLiteral("Command64"), QStringLiteral("ذخيره "),
                twipsRect(3180, 1680, 855, 495), [this] { Command64_Click(); });
    panelButton(this, QStringLiteral("Command7"), QStringLiteral("انصراف"),
                twipsRect(2100, 1680, 855, 495), [this] { Command7_Click(); });
    hide();
}

QLineEdit* ClinicPanel::entryBox(const QString& name, const QRect& place)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setAlignment(Qt::AlignCenter);
    return box;
}

// A caption right of its box, inside the panel's border.
void ClinicPanel::fieldLabel(const QString& name, const QString& caption, int top)
{
    constexpr int left = 120 + boxWidth + 60;
    boxCaption(caption, this, twipsRect(left, top, panelWidth - 90 - left, 375))
        ->setObjectName(name);
}

void ClinicPanel::open()
{
    show();
    setGeometry(twipsRect(1620, 840, panelWidth, 2295));
}

// Save: the boxes' texts become the stored name and address. A row that was not stored is
// told to the user, and the panel stays open with the typed text, so nothing is lost.
void ClinicPanel::Command64_Click()
{
    SettingsCommit write(settings_);
    if (!write.commit(QStringLiteral("نام و آدرس کلینیک ذخیره نشد.")))
        return;
    settings_.refresh();
    hide();
}

// Cancel: the typed text stays in the boxes (and in the header) until a Save or a theme change.
void ClinicPanel::Command7_Click()
{
    hide();
}
