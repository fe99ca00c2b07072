// The trouble report window: the operator's address and a problem description,
// mailed to support with the system facts and the robot library's logs.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TfeebackForm : public QDialog {
    Q_OBJECT
public:
    explicit TfeebackForm(QWidget* parent = nullptr);

    QLabel* mailBoxLabel;
    QLineEdit* mailBox;
    QLabel* mailLabel;
    QLabel* qMemoLabel;
    QPlainTextEdit* qMemo;
    QPushButton* sendBtn;
    QPushButton* cancelBtn;
    QLabel* statusLine;

protected:
    void reject() override {}
};

extern TfeebackForm* feebackForm;
