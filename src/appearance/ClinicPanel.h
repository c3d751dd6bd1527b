#pragma once

#include <QFrame>

class RecordSet;
class QLineEdit;

// Panel Frame9 of the main window: the clinic's name (Text2) and address (Text14), bound to
// the main window's settings record set, with Save and Cancel.
class ClinicPanel : public QFrame
{
    Q_OBJECT

  public:
    ClinicPanel(RecordSet& settings, QWidget* mainWindow);

    QLineEdit* nameBox() const { return text2_; }
    QLineEdit* addressBox() const { return text14_; }
    // Shows the panel at its place, with whatever the boxes hold.
    void open();

  private:
    // In twips: the panel's width and its boxes', which leave their captions room inside it.
    static constexpr int panelWidth = 6075;
    static constexpr int boxWidth = 5100;

    QLineEdit* entryBox(const QString& name, const QRect& place);
    void fieldLabel(const QString& name, const QString& caption, int top);
    void Command64_Click();
    void Command7_Click();

    RecordSet& settings_;
    QLineEdit* text2_;
    QLineEdit* text14_;
};
