#include "app/application.h"

#include "app/checkUnit.h"
#include "app/errorhandler.h"
#include "app/korvoUnit.h"
#include "app/singleinstance.h"
#include "app/vmxAbout.h"
#include "lang/prefUnit.h"
#include "report/reportUnit.h"
#include "restore/copyUnit.h"
#include "restore/goOnUnit.h"
#include "robot/robotSetUnit.h"
#include "support/troubleUnit.h"
#include "support/versionUnit.h"

#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QPointer>

namespace velmora::app {

namespace {

bool terminateFlag = false;
QPointer<QWidget> mainWindow;

// Ends the message loop when the main window closes.
class MainFormWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && watched == mainWindow && event->isAccepted())
            QCoreApplication::quit();
        return false;
    }
};

MainFormWatcher* watcher() {
    static auto* w = new MainFormWatcher(qApp);
    return w;
}

template <typename T> void destroy(T*& window) {
    delete window;
    window = nullptr;
}

} // namespace

void createWindows(const QString& programFolder) {
    checkForm = new TcheckForm;
    SetAsMainForm(checkForm);
    korvoForm = new TkorvoForm(programFolder);
    // The dialogs belong to the main window's family, so they open centred over it.
    copyForm = new TcopyForm(korvoForm);
    goOnForm = new TgoOnForm(korvoForm);
    reportForm = new TreportForm(korvoForm);
    feebackForm = new TfeebackForm(korvoForm);
    aboutForm = new TaboutForm(korvoForm);
    versionForm = new TversionForm(korvoForm);
    prefForm = new TprefForm(korvoForm);
    robotSetForm = new TrobotSetForm(korvoForm);
}

void destroyWindows() {
    destroy(robotSetForm);
    destroy(prefForm);
    destroy(versionForm);
    destroy(aboutForm);
    destroy(feebackForm);
    destroy(reportForm);
    destroy(goOnForm);
    destroy(copyForm);
    destroy(korvoForm);
    destroy(checkForm);
}

void SetAsMainForm(QWidget* form) {
    if (mainWindow)
        mainWindow->removeEventFilter(watcher());
    mainWindow = form;
    if (form)
        form->installEventFilter(watcher());
}

QWidget* mainForm() {
    return mainWindow;
}

void requestTermination() {
    terminateFlag = true;
}
bool terminationRequested() {
    return terminateFlag;
}
void clearTerminationRequest() {
    terminateFlag = false;
}

int systemLanguageId() {
    // The default locale is the system's unless the program (or a test) set another.
    const QLocale locale;
    if (locale.language() == QLocale::Chinese &&
        (locale.territory() == QLocale::Taiwan || locale.script() == QLocale::TraditionalHanScript))
        return 1028;
    if (locale.language() == QLocale::Chinese)
        return 2052;
    return 1033;
}

int runApplication(int argc, char** argv) {
    VelmoraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance(SingleInstance::defaultKey());
    if (instance.activateRunning())
        return 0;
    instance.listen();

    createWindows();
    QObject::connect(&instance, &SingleInstance::activateRequested, [] {
        if (QWidget* window = mainForm()) {
            if (window->isMinimized())
                window->showNormal();
            window->raise();
            window->activateWindow();
        }
    });

    int result = 1;
    if (!terminationRequested()) {
        checkForm->show();
        result = QApplication::exec();
    }
    destroyWindows();
    return result;
}

} // namespace velmora::app
