#pragma once

#include <QList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QTableView;
class RecordSet;
class RecordSetGridModel;

// The code finder: the enrolled subjects in a grid, narrowed to the exact first name, family
// name or group that the operator last chose, the result report of one group, and the export
// of the administrations to a file.
class FrmCode : public QWidget
{
    Q_OBJECT

  public:
    explicit FrmCode(QWidget* parent = nullptr);
    ~FrmCode() override;

    // The record sets Adodc1 (Theme), Adodc2 (IDE, the grid's rows) and Adodc3 (Print1).
    RecordSet& settings() const { return *adodc_.at(0); }
    RecordSet& subjects() const { return *adodc_.at(1); }
    RecordSet& results() const { return *adodc_.at(2); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildRecordSets();
    void buildGrid();
    void buildSelectors();
    void buildButtons();
    void buildHistoryButtons();
    void CmdHistory_Click();
    void CmdGroupPicture_Click();
    QComboBox* selector(const QString& name, const QString& caption, const QString& labelName,
                        int top);
    void setUpNameList(QComboBox* combo, const QString& column);
    void whenChosen(QComboBox* combo, void (FrmCode::*handler)(), bool onClick);
    void Form_Load();
    void Combo3_Change();
    void DataCombo1_Change();
    void DataCombo6_Change();
    void Command1_Click();
    void Command6_Click();
    void CmdExport_Click();
    void filterGrid(const QString& column, const QString& value);
    void rebindGrid();
    static void blank(QComboBox* combo);

    QList<RecordSet*> adodc_;
    QLineEdit* text1_ = nullptr;
    QTableView* dataGrid1_ = nullptr;
    RecordSetGridModel* gridModel_ = nullptr;
    QComboBox* dataCombo6_ = nullptr;
    QComboBox* dataCombo1_ = nullptr;
    QComboBox* combo3_ = nullptr;
};
