#include "test/FrmTest.h"

#include "data/RecordSet.h"

FrmTest::FrmTest(QWidget* parent)
    : QWidget(parent, Qt::Window),
      adodc2_(new RecordSet(Database::File::Subjects, QStringLiteral("Answer"), this)),
      adodc3_(new RecordSet(Database::File::Subjects, QStringLiteral("IDE"), this))
{
    setObjectName(QStringLiteral("FrmTest"));
    adodc2_->setObjectName(QStringLiteral("Adodc2"));
    adodc3_->setObjectName(QStringLiteral("Adodc3"));
}

void FrmTest::resetToStart() {}
