#include "lang/prefUnit.h"

#include <QComboBox>
#include <QVBoxLayout>

TprefForm* prefForm = nullptr;

TprefForm::TprefForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("prefForm"));
    setWindowTitle(QStringLiteral("偏好設定"));
    auto* layout = new QVBoxLayout(this);
    lanCombo = new QComboBox;
    lanCombo->setObjectName(QStringLiteral("lanCombo"));
    layout->addWidget(lanCombo);
}
