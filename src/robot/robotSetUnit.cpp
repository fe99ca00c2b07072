#include "robot/robotSetUnit.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

TrobotSetForm* robotSetForm = nullptr;

TrobotSetForm::TrobotSetForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("robotSetForm"));
    setWindowTitle(QStringLiteral("Robot Setting"));
    setFixedSize(267, 93);
    auto* layout = new QVBoxLayout(this);
    setLabel = new QLabel(QStringLiteral("Active Robot, Please wait...."));
    setLabel->setObjectName(QStringLiteral("setLabel"));
    AdvCircularProgress1 = new QProgressBar;
    AdvCircularProgress1->setObjectName(QStringLiteral("AdvCircularProgress1"));
    AdvCircularProgress1->setRange(0, 0);
    AdvCircularProgress1->setTextVisible(false);
    layout->addWidget(setLabel);
    layout->addWidget(AdvCircularProgress1);
}
