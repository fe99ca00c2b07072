#include "restore/goOnUnit.h"

TgoOnForm* goOnForm = nullptr;

TgoOnForm::TgoOnForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("goOnForm"));
    setWindowTitle(QStringLiteral("Velmora"));
}
