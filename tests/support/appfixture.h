// A whole application for window tests: a device bay with a robot and a desk
// drive, the ten windows, and the start-up work run at once instead of after
// the splash's second. Message boxes and file dialogs are answered by hooks.
#pragma once

#include "app/dialogs.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace velmora::test {

extern const char* const standardBay;

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the windows (with this program folder, if given) and runs the
    // start-up work; the main window is then shown.
    void start(const QString& programFolder = {});
    // Ends the program as closing the main window does; nothing is saved.
    void stop();
    // The settings file of the running test.
    std::filesystem::path settingsFile() const;
    // A program folder holding the device libraries and only the given files
    // (name, content) besides.
    QString programFolderWith(const std::vector<std::pair<std::string, std::string>>& files);

    QStringList messages;
    std::vector<app::MsgIcon> icons;
    std::vector<std::filesystem::path> folders_;
};

} // namespace velmora::test
