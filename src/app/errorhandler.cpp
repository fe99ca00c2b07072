#include "app/errorhandler.h"

#include "app/dialogs.h"
#include "platform/failure.h"

namespace velmora::app {

VelmoraApplication::VelmoraApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VelmoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(error);
    } catch (...) {
        reportError(std::runtime_error("An unexpected error ended the action."));
    }
    return false;
}

void reportError(const std::exception& error) {
    const auto* failure = dynamic_cast<const Failure*>(&error);
    showMessage(QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                  : QApplication::activeWindow(),
                MsgIcon::Error, failure ? failure->text() : QString::fromLocal8Bit(error.what()));
}

} // namespace velmora::app
