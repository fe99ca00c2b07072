// The application-wide error handler: an error that escapes an action (a
// Failure or any other exception) is shown in a message box, and only that
// action ends; the program goes on.
#pragma once

#include <QApplication>

namespace velmora::app {

class VelmoraApplication : public QApplication {
public:
    VelmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error that ended an action.
void reportError(const std::exception& error);

} // namespace velmora::app
