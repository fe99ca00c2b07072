// The modal dialogs the program asks the operator through: message boxes with
// a single OK button, the folder choice and the save-file choice. Tests install
// hooks that answer them instead of a window, so that the flows that show them
// run without a screen.
#pragma once

#include <QString>
#include <functional>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace velmora::app {

enum class MsgIcon { Error, Information };

using MessageHook = std::function<void(MsgIcon icon, const QString& text)>;
// Receives the dialog's title; returns the chosen path, or empty for Cancel.
using FileDialogHook = std::function<QString(const QString& title)>;

// While a hook is set, the dialog is handed to it and nothing is shown.
void setMessageHook(MessageHook hook);
void setFolderDialogHook(FileDialogHook hook);
void setSaveDialogHook(FileDialogHook hook);

// Shows the text in a modal box with the application's title and one OK button.
void showMessage(QWidget* parent, MsgIcon icon, const QString& text);
// The folder dialog, rooted at the desktop; empty when cancelled.
QString chooseFolder(QWidget* parent);
// The save dialog with its title and file types; empty when cancelled.
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& filter);

// The right-aligned row of a dialog's OK and Cancel buttons ("確定", "取消"),
// named okBtn and cancelBtn.
QHBoxLayout* okCancelRow(QPushButton*& okBtn, QPushButton*& cancelBtn);

} // namespace velmora::app
