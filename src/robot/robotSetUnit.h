// The robot wait window: a text line and a busy indicator, shown modally while
// a robot movement runs on its worker. Its tag receives the library's result.
#pragma once

#include <QDialog>
#include <atomic>
#include <cstdint>

class QLabel;
class QProgressBar;

class TrobotSetForm : public QDialog {
    Q_OBJECT
public:
    explicit TrobotSetForm(QWidget* parent = nullptr);

    QLabel* setLabel;
    QProgressBar* AdvCircularProgress1;
    std::atomic<std::int32_t> tag{0};

protected:
    void reject() override {}
};

extern TrobotSetForm* robotSetForm;
