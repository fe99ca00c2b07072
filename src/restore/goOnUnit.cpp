#include "restore/goOnUnit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TgoOnForm* goOnForm = nullptr;

TgoOnForm::TgoOnForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("goOnForm"));
    setWindowTitle(QStringLiteral("插入下一片"));
    setFixedSize(307, 96);
    auto* layout = new QVBoxLayout(this);
    goLabel = new QLabel(QStringLiteral("請插入下一片"));
    goLabel->setObjectName(QStringLiteral("goLabel"));
    goLabel->setAlignment(Qt::AlignCenter);
    okBtn = new QPushButton(QStringLiteral("確定"));
    okBtn->setObjectName(QStringLiteral("okBtn"));
    cancelBtn = new QPushButton(QStringLiteral("取消"));
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);
    layout->addWidget(goLabel);
    layout->addLayout(buttons);
    dTime = new QTimer(this);
    dTime->setObjectName(QStringLiteral("dTime"));
    dTime->setInterval(1000);
}
