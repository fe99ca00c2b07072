#include "support/versionUnit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TversionForm* versionForm = nullptr;

TversionForm::TversionForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("versionForm"));
    setWindowTitle(QStringLiteral("版本檢查"));
    auto* layout = new QVBoxLayout(this);
    vLabel = new QLabel(QStringLiteral("版本檢查中....."));
    vLabel->setObjectName(QStringLiteral("vLabel"));
    closeBtn = new QPushButton(QStringLiteral("關閉"));
    closeBtn->setObjectName(QStringLiteral("closeBtn"));
    downloadNew = new QPushButton(QStringLiteral("下載新版"));
    downloadNew->setObjectName(QStringLiteral("downloadNew"));
    downloadNew->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(downloadNew);
    buttons->addWidget(closeBtn);
    layout->addWidget(vLabel);
    layout->addLayout(buttons);
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::close);
}
