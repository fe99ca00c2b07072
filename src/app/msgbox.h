// Modal message boxes with a single OK button. Tests install a hook that
// receives the box instead of a window, so that the flows that show them run
// without a screen.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace velmora::app {

enum class MsgIcon { Error, Information };

using MessageHook = std::function<void(MsgIcon icon, const QString& text)>;

// While a hook is set, showMessage hands every box to it and shows nothing.
void setMessageHook(MessageHook hook);

// Shows the text in a modal box with the application's title and one OK button.
void showMessage(QWidget* parent, MsgIcon icon, const QString& text);

} // namespace velmora::app
