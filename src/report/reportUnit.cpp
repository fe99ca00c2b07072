#include "report/reportUnit.h"

#include "app/dialogs.h"
#include "app/errorhandler.h"
#include "platform/failure.h"
#include "platform/textfile.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TreportForm* reportForm = nullptr;

TreportForm::TreportForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("reportForm"));
    setWindowTitle(QStringLiteral("Report"));
    resize(620, 480);
    auto* layout = new QVBoxLayout(this);
    rMemo = new QPlainTextEdit;
    rMemo->setObjectName(QStringLiteral("rMemo"));
    rMemo->setStyleSheet(QStringLiteral("QPlainTextEdit { color: black; background: white; }"));
    rMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    rMemo->clear();
    saveAs = new QPushButton(QStringLiteral("儲存報表"));
    saveAs->setObjectName(QStringLiteral("saveAs"));
    auto* panel = new QHBoxLayout;
    panel->addStretch(1);
    panel->addWidget(saveAs);
    layout->addWidget(rMemo, 1);
    layout->addLayout(panel);
    connect(saveAs, &QPushButton::clicked, this, velmora::app::guarded([this] { saveAsClick(); }));
}

void TreportForm::showLines(const QStringList& lines) {
    rMemo->setPlainText(lines.join(u'\n'));
}

QStringList TreportForm::memoLines() const {
    const QString text = rMemo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

void TreportForm::saveAsClick() {
    const QString chosen = velmora::app::chooseSaveFile(this, QStringLiteral("Save"), QStringLiteral("*txt"));
    if (chosen.isEmpty())
        return;
    const QString file = chosen + QStringLiteral(".txt");
    QString error;
    if (!velmora::platform::writeAnsiLines(file, memoLines(), &error))
        throw velmora::Failure(QStringLiteral("The report could not be saved as %1: %2").arg(file, error));
}
