#pragma once

#include "backup/CopyFileInBlocks.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QWidget>

#include <functional>

class QFileDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class RecordSet;

// The backup screen: copies the subject database out to a backup file and a backup file back
// over it. It is the last screen before the application ends: a successful backup, a
// successful restore, its Exit button and closing the window all end the application.
class Frmbackup : public QWidget
{
    Q_OBJECT

  public:
    explicit Frmbackup(QWidget* parent = nullptr);
    ~Frmbackup() override;

    // Test seam: where the screen reads the current moment (the system clock when empty).
    static void setClock(std::function<QDateTime()> clock);

    // "در تاريخ" + date label + " ساعت)" + time label + ").mdbB".
    QString proposedFileName() const;
    QFileDialog* commonDialog() const { return commonDialog1_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildRows();
    QPushButton* button(const QString& name, const QString& caption, const QRect& place);
    void Form_Load();
    void Timer1_Timer();
    void b1_Click();
    void b2_Click();
    void VisualButtonEx2_Click();
    void VisualButtonEx3_Click();
    void Command1_Click();
    bool refusedOnServer();
    void MakeBackup();
    void RestoreBackup();
    void browseInto(QLineEdit* box, bool forSaving);
    void showCommonDialog(bool forSaving);
    bool runCopy(const std::function<bool(const CopyProgress&)>& copy);
    void showProgress(qint64 copied, qint64 total);
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& title,
                                        const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    void guarded(const std::function<void()>& handler,
                 const std::function<void(const QString&)>& onError);
    static QDateTime now();

    RecordSet* adodc1_ = nullptr;
    QLineEdit* text3_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPushButton* b1_ = nullptr;
    QPushButton* b2_ = nullptr;
    QPushButton* visualButtonEx2_ = nullptr;
    QPushButton* visualButtonEx3_ = nullptr;
    QPushButton* command1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QElapsedTimer progressShown_; // when the bar last took a new value
    QTimer* timer1_ = nullptr;
    QFileDialog* commonDialog1_ = nullptr;
    QString dialogFileName_; // the file dialog's name, kept between uses
};
