#pragma once

#include <QDialog>

class TfeebackForm : public QDialog {
    Q_OBJECT
public:
    explicit TfeebackForm(QWidget* parent = nullptr);
};

extern TfeebackForm* feebackForm;
