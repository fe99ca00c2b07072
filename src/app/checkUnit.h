// The splash window. It is the application's main window while the main
// window is still hidden; one second after it appears its timer runs the
// start-up work once and hands the main-window role to korvoForm.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

class TcheckForm : public QDialog {
    Q_OBJECT
public:
    explicit TcheckForm(QWidget* parent = nullptr);

    QLabel* checkLabel;
    QTimer* dCheck;
    QWidget* Image1;

    // The start-up work; runs once, however often the timer fires.
    void dCheckTimer();
    bool startupDone() const { return startupDone_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    bool startupDone_ = false;
};

extern TcheckForm* checkForm;
