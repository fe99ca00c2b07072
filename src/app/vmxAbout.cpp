#include "app/vmxAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

TaboutForm* aboutForm = nullptr;

TaboutForm::TaboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("aboutForm"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QStringLiteral("<h1 style='color:#1c3f73'>Velmora</h1>"));
    product->setAlignment(Qt::AlignCenter);
    auto* versionLabel = new QLabel(QStringLiteral("version 1.0"));
    versionLabel->setAlignment(Qt::AlignCenter);
    auto* notice = new QLabel(QStringLiteral("Optical disc restore. All rights reserved."));
    notice->setAlignment(Qt::AlignCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(product);
    layout->addWidget(versionLabel);
    layout->addWidget(notice);
    layout->addWidget(buttons);
}
