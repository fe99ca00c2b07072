// The copy progress window: entries handled, percentage of the current file,
// and Cancel. Its tag is 1 after Cancel.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class TcopyForm : public QDialog {
    Q_OBJECT
public:
    explicit TcopyForm(QWidget* parent = nullptr);

    QLabel* copyLabel;
    QProgressBar* fBar;
    QProgressBar* kBar;
    QPushButton* cancelBtn;
};

extern TcopyForm* copyForm;
