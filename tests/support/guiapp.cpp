// Linked into window tests: the test program's application object is a
// QApplication, so windows can be created (on Qt's offscreen platform).
#include "app/errorhandler.h"

#include <QApplication>
#include <memory>

namespace velmora::test {
extern std::unique_ptr<QCoreApplication> (*makeApplication)(int& argc, char** argv);

namespace {
const bool registered = [] {
    makeApplication = [](int& argc, char** argv) -> std::unique_ptr<QCoreApplication> {
        auto app = std::make_unique<velmora::app::VelmoraApplication>(argc, argv);
        QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
        return app;
    };
    return true;
}();
} // namespace
} // namespace velmora::test
