#include "support/versionUnit.h"

TversionForm* versionForm = nullptr;

TversionForm::TversionForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("versionForm"));
    setWindowTitle(QStringLiteral("Velmora"));
}
