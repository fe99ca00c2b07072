// The disc change prompt: asks the operator for the next disc. Its tag is 1
// when a disc is ready.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

class TgoOnForm : public QDialog {
    Q_OBJECT
public:
    explicit TgoOnForm(QWidget* parent = nullptr);

    QLabel* goLabel;
    QPushButton* okBtn;
    QPushButton* cancelBtn;
    QTimer* dTime;
    int tag = 0;

protected:
    void reject() override {}
};

extern TgoOnForm* goOnForm;
