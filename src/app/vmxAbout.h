// The about box: product picture, version and the maker's notice line.
#pragma once

#include <QDialog>

class TaboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TaboutForm(QWidget* parent = nullptr);
};

extern TaboutForm* aboutForm;
