#include "restore/copyUnit.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TcopyForm* copyForm = nullptr;

TcopyForm::TcopyForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("copyForm"));
    setWindowTitle(QStringLiteral("光碟回存"));
    setFixedSize(307, 145);
    copyLabel = new QLabel(QStringLiteral("修改檔案屬性...."), this);
    copyLabel->setObjectName(QStringLiteral("copyLabel"));
    copyLabel->setGeometry(36, 19, 245, 20);
    fBar = new QProgressBar(this);
    fBar->setObjectName(QStringLiteral("fBar"));
    fBar->setGeometry(36, 45, 245, 17);
    fBar->setTextVisible(false);
    kBar = new QProgressBar(this);
    kBar->setObjectName(QStringLiteral("kBar"));
    kBar->setGeometry(36, 68, 245, 17);
    kBar->setRange(0, 100);
    kBar->setTextVisible(false);
    cancelBtn = new QPushButton(QStringLiteral("取消"), this);
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    cancelBtn->setGeometry(206, 100, 75, 25);
}
