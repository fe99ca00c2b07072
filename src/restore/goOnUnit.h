#pragma once

#include <QDialog>

class TgoOnForm : public QDialog {
    Q_OBJECT
public:
    explicit TgoOnForm(QWidget* parent = nullptr);
};

extern TgoOnForm* goOnForm;
