// The version window: compares the program's version with the published one.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TversionForm : public QDialog {
    Q_OBJECT
public:
    explicit TversionForm(QWidget* parent = nullptr);

    QLabel* vLabel;
    QPushButton* closeBtn;
    QPushButton* downloadNew;

protected:
    void reject() override {}
};

extern TversionForm* versionForm;
