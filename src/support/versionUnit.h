#pragma once

#include <QDialog>

class TversionForm : public QDialog {
    Q_OBJECT
public:
    explicit TversionForm(QWidget* parent = nullptr);
};

extern TversionForm* versionForm;
