#include "report/reportUnit.h"

TreportForm* reportForm = nullptr;

TreportForm::TreportForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("reportForm"));
    setWindowTitle(QStringLiteral("Velmora"));
}
