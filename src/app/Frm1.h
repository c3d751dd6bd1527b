#pragma once

#include <QWidget>

#include <memory>

class ClinicPanel;
class EnrolmentPanel;
class FrmTest;
class QAbstractButton;
class QFrame;
class QLabel;
class QLineEdit;
class RecordSet;
class SettingsMenu;
class ThemePanel;

// The main window: the menu of actions, the clinic-name header, the hover help and the four
// panels that open inside it.
class Frm1 : public QWidget
{
    Q_OBJECT

  public:
    explicit Frm1(QWidget* parent = nullptr);
    ~Frm1() override;

    // Creates and shows a new main window that deletes itself when closed; none when start-up
    // found another running copy.
    static Frm1* openNew();

    // Whether start-up found another running copy (the window must then not be shown).
    bool startRefused() const { return startRefused_; }

    // Hides the four panels and reloads the subject record set.
    void HidePanels();

    // The record sets Adodc1 (Theme), Adodc2 (IDE), Adodc3 (Answer), Adodc4 (Answer),
    // Adodc5 (IDE) and Adodc6 (Print1).
    RecordSet& settings() const { return *adodc_.at(0); }
    RecordSet& subjects() const { return *adodc_.at(1); }
    RecordSet& answers() const { return *adodc_.at(2); }
    RecordSet& answerCodes() const { return *adodc_.at(3); }
    RecordSet& enrolled() const { return *adodc_.at(4); }
    RecordSet& results() const { return *adodc_.at(5); }
    EnrolmentPanel* enrolmentPanel() const { return frame10_; }
    SettingsMenu* settingsMenu() const { return frame8_; }
    ClinicPanel* clinicPanel() const { return frame9_; }
    ThemePanel* themePanel() const { return frame6_; }

    static QString siteAddress();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildRecordSets();
    void buildMenu();
    void buildHeaderAndBanner();
    void buildPanels();
    void Form_Load();
    void Form_Unload();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command9_Click();
    void Command11_Click();
    void Text2_Change(const QString& text);
    void Picture1_Click();
    void showHoverHelp(QObject* button);
    void clearHoverHelp();
    bool hasAnswerRows() const;
    QString askForCode();
    void showExitPrompt(int leftTwips, int topTwips);
    void themeStored();
    QAbstractButton* menuButton(const QString& name, const QString& caption, int slot);

    QList<RecordSet*> adodc_;
    QFrame* frame7_ = nullptr;
    QLabel* skinLabel1_ = nullptr;
    QLabel* skinLabel2_ = nullptr;
    QLabel* picture1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text3_ = nullptr;
    EnrolmentPanel* frame10_ = nullptr;
    SettingsMenu* frame8_ = nullptr;
    ClinicPanel* frame9_ = nullptr;
    ThemePanel* frame6_ = nullptr;
    std::unique_ptr<FrmTest> testScreen_;
    bool startRefused_ = false;
};
