#include "app/msgbox.h"

#include <QApplication>
#include <QMessageBox>

namespace velmora::app {

namespace {
MessageHook& hook() {
    static MessageHook h;
    return h;
}
} // namespace

void setMessageHook(MessageHook h) { hook() = std::move(h); }

void showMessage(QWidget* parent, MsgIcon icon, const QString& text) {
    if (hook()) {
        hook()(icon, text);
        return;
    }
    QMessageBox box(icon == MsgIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace velmora::app
