#include "support/appfixture.h"

#include "app/application.h"
#include "app/checkUnit.h"
#include "app/korvoUnit.h"
#include "platform/paths.h"
#include "support/baytext.h"
#include "support/tempdir.h"

#include <QFile>
#include <QTest>
#include <cstdlib>

namespace velmora::test {

const char* const standardBay = R"([bay]
realDrives = no

[drive E]
name = Robot Drive 1
[drive F]
name = Robot Drive 2
[drive G]
name = Desk Drive
disc = manual

[disc manual]
label = MANUAL
medium = 6
size = 4700000000
folder = discs/manual

[robot 1001]
drives = E F
)";

void AppFixture::SetUp() {
    app::setMessageHook([this](app::MsgIcon icon, const QString& text) {
        messages.append(text);
        icons.push_back(icon);
    });
    std::error_code ec;
    std::filesystem::remove(settingsFile(), ec);
    writeBay(standardBay, {"manual"});
}

void AppFixture::TearDown() {
    stop();
    app::setMessageHook(nullptr);
    app::setFolderDialogHook(nullptr);
    app::setSaveDialogHook(nullptr);
    removeBay();
    std::error_code ec;
    for (const auto& folder : folders_)
        std::filesystem::remove_all(folder, ec);
}

void AppFixture::start(const QString& programFolder) {
    app::createWindows(programFolder);
    ASSERT_FALSE(app::terminationRequested()) << messages.join(u'\n').toStdString();
    checkForm->dCheckTimer();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(korvoForm));
}

void AppFixture::stop() {
    app::destroyWindows();
    app::clearTerminationRequest();
}

std::filesystem::path AppFixture::settingsFile() const {
    return dataFolder() / "backSettings.ini";
}

QString AppFixture::programFolderWith(const std::vector<std::pair<std::string, std::string>>& files) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-program-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a program folder");
    const std::filesystem::path folder = pattern;
    folders_.push_back(folder);
    for (const char* lib : {"libFoxSDKU32w.so", "libKQRobots20.so"})
        std::filesystem::copy_file((platform::programFolder() + QString::fromLatin1(lib)).toStdString(),
                                   folder / lib);
    for (const auto& [name, content] : files)
        writeFile(folder / std::filesystem::u8path(name), content);
    return QString::fromStdString(folder.string() + "/");
}

} // namespace velmora::test
