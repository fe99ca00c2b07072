// The preferences window: the choice of language.
#pragma once

#include <QDialog>

class QComboBox;

class TprefForm : public QDialog {
    Q_OBJECT
public:
    explicit TprefForm(QWidget* parent = nullptr);

    QComboBox* lanCombo;
};

extern TprefForm* prefForm;
