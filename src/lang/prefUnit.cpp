#include "lang/prefUnit.h"

#include "app/dialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TprefForm* prefForm = nullptr;

TprefForm::TprefForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("prefForm"));
    setWindowTitle(QStringLiteral("偏好設定"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    lanLabel = new QLabel(QStringLiteral("介面語系:"));
    lanCombo = new QComboBox;
    lanCombo->setObjectName(QStringLiteral("lanCombo"));
    lanCombo->setMinimumWidth(180);
    row->addWidget(lanLabel);
    row->addWidget(lanCombo, 1);
    QHBoxLayout* buttons = velmora::app::okCancelRow(okBtn, cancelBtn);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(lanCombo, &QComboBox::currentIndexChanged, this, [this] { tag = 1; });
    connect(okBtn, &QPushButton::clicked, this, &TprefForm::okBtnClick);
    connect(cancelBtn, &QPushButton::clicked, this, &TprefForm::cancelBtnClick);
}

void TprefForm::showEvent(QShowEvent* event) {
    tag = 0;
    QDialog::showEvent(event);
}

void TprefForm::okBtnClick() {
    done(QDialog::Accepted);
}

void TprefForm::cancelBtnClick() {
    tag = 0;
    done(QDialog::Rejected);
}
