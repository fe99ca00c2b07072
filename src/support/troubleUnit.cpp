#include "support/troubleUnit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TfeebackForm* feebackForm = nullptr;

TfeebackForm::TfeebackForm(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("feebackForm"));
    setWindowTitle(QStringLiteral("Trouble feeback"));
    auto* layout = new QGridLayout(this);
    mailBoxLabel = new QLabel(QStringLiteral("郵件信箱: "));
    mailBox = new QLineEdit;
    mailBox->setObjectName(QStringLiteral("mailBox"));
    mailLabel = new QLabel(QStringLiteral("請輸入可以聯絡到您的正確電子郵件信箱"));
    mailLabel->setObjectName(QStringLiteral("mailLabel"));
    qMemoLabel = new QLabel(QStringLiteral("問題描述: "));
    qMemo = new QPlainTextEdit;
    qMemo->setObjectName(QStringLiteral("qMemo"));
    sendBtn = new QPushButton(QStringLiteral("發送"));
    sendBtn->setObjectName(QStringLiteral("sendBtn"));
    sendBtn->setEnabled(false);
    cancelBtn = new QPushButton(QStringLiteral("取消"));
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    statusLine = new QLabel;
    layout->addWidget(mailBoxLabel, 0, 0);
    layout->addWidget(mailBox, 0, 1);
    layout->addWidget(mailLabel, 1, 1);
    layout->addWidget(qMemoLabel, 2, 0, Qt::AlignTop);
    layout->addWidget(qMemo, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(statusLine, 1);
    buttons->addWidget(sendBtn);
    buttons->addWidget(cancelBtn);
    layout->addLayout(buttons, 3, 0, 1, 2);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::close);
}
