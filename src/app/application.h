// Application-wide facts of the shell: the windows and their creation order,
// the main-window role, termination requests and the single instance.
#pragma once

#include <QString>

class QWidget;

namespace velmora::app {

// Creates the ten windows in their fixed order, the splash first.
// programFolder overrides the program folder (tests); empty means the
// executable's folder.
void createWindows(const QString& programFolder = {});
// Destroys them in reverse order; the main window's destruction frees the
// shared lists and closes the robot library.
void destroyWindows();

// Makes this window the application's main window: closing it ends the program.
void SetAsMainForm(QWidget* form);
QWidget* mainForm();

// A termination request made while the windows are created takes effect when
// the message loop would start: the program then ends without start-up work.
void requestTermination();
bool terminationRequested();
void clearTerminationRequest();

// The system's default language identifier: 1028 for Chinese as used in
// Taiwan, otherwise the identifier of the locale's language (1033 English).
int systemLanguageId();

// The whole program: single instance, windows, splash, message loop.
int runApplication(int argc, char** argv);

} // namespace velmora::app
