#pragma once

#include <QDialog>

class TreportForm : public QDialog {
    Q_OBJECT
public:
    explicit TreportForm(QWidget* parent = nullptr);
};

extern TreportForm* reportForm;
