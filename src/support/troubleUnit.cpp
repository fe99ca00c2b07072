#include "support/troubleUnit.h"

TfeebackForm* feebackForm = nullptr;

TfeebackForm::TfeebackForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("feebackForm"));
    setWindowTitle(QStringLiteral("Velmora"));
}
