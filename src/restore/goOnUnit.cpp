#include "restore/goOnUnit.h"

#include "app/dialogs.h"

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
    QHBoxLayout* buttons = velmora::app::okCancelRow(okBtn, cancelBtn);
    layout->addWidget(goLabel);
    layout->addLayout(buttons);
    dTime = new QTimer(this);
    dTime->setObjectName(QStringLiteral("dTime"));
    dTime->setInterval(1000);
}
