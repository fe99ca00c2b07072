// The preferences window: the choice of language. Its tag is 1 when the
// operator changed the selection and confirmed it with OK.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

class TprefForm : public QDialog {
    Q_OBJECT
public:
    explicit TprefForm(QWidget* parent = nullptr);

    QLabel* lanLabel;
    QComboBox* lanCombo;
    QPushButton* okBtn;
    QPushButton* cancelBtn;
    int tag = 0;

    void okBtnClick();
    void cancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override { cancelBtnClick(); }
};

extern TprefForm* prefForm;
