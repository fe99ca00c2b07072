#include "app/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace velmora::app {

namespace {
struct Hooks {
    MessageHook message;
    FileDialogHook folder;
    FileDialogHook save;
};
Hooks& hooks() {
    static Hooks h;
    return h;
}
} // namespace

void setMessageHook(MessageHook hook) {
    hooks().message = std::move(hook);
}
void setFolderDialogHook(FileDialogHook hook) {
    hooks().folder = std::move(hook);
}
void setSaveDialogHook(FileDialogHook hook) {
    hooks().save = std::move(hook);
}

void showMessage(QWidget* parent, MsgIcon icon, const QString& text) {
    if (hooks().message) {
        hooks().message(icon, text);
        return;
    }
    QMessageBox box(icon == MsgIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

QString chooseFolder(QWidget* parent) {
    if (hooks().folder)
        return hooks().folder(QString());
    return QFileDialog::getExistingDirectory(
        parent, QString(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter) {
    if (hooks().save)
        return hooks().save(title);
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

QHBoxLayout* okCancelRow(QPushButton*& okBtn, QPushButton*& cancelBtn) {
    okBtn = new QPushButton(QStringLiteral("確定"));
    okBtn->setObjectName(QStringLiteral("okBtn"));
    cancelBtn = new QPushButton(QStringLiteral("取消"));
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(okBtn);
    row->addWidget(cancelBtn);
    return row;
}

} // namespace velmora::app
