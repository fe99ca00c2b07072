// Entry point of every test program: a Qt application object exists for the
// whole run (a QApplication where the program links Qt Widgets), and
// XDG_DATA_HOME points at a fresh temporary folder so that no test touches the
// operator's own data folder.
#include "support/tempdir.h"

#include <QCoreApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace velmora::test {
// Set by the GUI test support to create a QApplication instead.
std::unique_ptr<QCoreApplication> (*makeApplication)(int& argc, char** argv) = nullptr;
} // namespace velmora::test

int main(int argc, char** argv) {
    velmora::test::TempDir dataHome;
    setenv("XDG_DATA_HOME", dataHome.path().c_str(), 1);
    std::unique_ptr<QCoreApplication> app = velmora::test::makeApplication
                                                ? velmora::test::makeApplication(argc, argv)
                                                : std::make_unique<QCoreApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
