// The application-wide error handler: an error that escapes an action (a
// Failure or any other exception) is shown in a message box, and only that
// action ends; the program goes on.
#pragma once

#include <QApplication>
#include <exception>

namespace velmora::app {

class VelmoraApplication : public QApplication {
public:
    VelmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows an error that ended an action.
void reportError(const std::exception& error);

// An action for a signal: an error it raises is shown and ends only this
// action, and never unwinds through the widget toolkit's own frames.
template <typename F> auto guarded(F action) {
    return [action](auto&&...) {
        try {
            action();
        } catch (const std::exception& error) {
            reportError(error);
        }
    };
}

} // namespace velmora::app
