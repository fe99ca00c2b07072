#include "drive/foxburner.h"

#include "driveengine_api.h"
#include "platform/dynlib.h"
#include "platform/paths.h"

#include <QDir>
#include <QLibrary>
#include <array>

namespace velmora::drive {

namespace {
constexpr int nameBufferSize = 256;
constexpr int pathBufferSize = 4096;
} // namespace

// The library's entry points, resolved once when the component is activated.
struct TFoxBurnerSDK::Api {
    QLibrary library;
    decltype(&FoxInitialize) initialize = nullptr;
    decltype(&FoxShutdown) shutdown = nullptr;
    decltype(&FoxGetDevices) getDevices = nullptr;
    decltype(&FoxGetDeviceName) getDeviceName = nullptr;
    decltype(&FoxIsDeviceReady) isDeviceReady = nullptr;
    decltype(&FoxGetMediumInformation) getMediumInformation = nullptr;
    decltype(&FoxEjectDevice) ejectDevice = nullptr;
    decltype(&FoxCloseDevice) closeDevice = nullptr;
    decltype(&FoxGetDriveRoot) getDriveRoot = nullptr;
    decltype(&FoxGetVolumeLabel) getVolumeLabel = nullptr;
    decltype(&FoxGetErrorText) getErrorText = nullptr;
    bool started = false;

    template <typename F> bool bind(F& fn, const char* symbol) {
        fn = reinterpret_cast<F>(library.resolve(symbol));
        return fn != nullptr;
    }
    bool bindAll() {
        return bind(initialize, "FoxInitialize") && bind(shutdown, "FoxShutdown") &&
               bind(getDevices, "FoxGetDevices") && bind(getDeviceName, "FoxGetDeviceName") &&
               bind(isDeviceReady, "FoxIsDeviceReady") &&
               bind(getMediumInformation, "FoxGetMediumInformation") && bind(ejectDevice, "FoxEjectDevice") &&
               bind(closeDevice, "FoxCloseDevice") && bind(getDriveRoot, "FoxGetDriveRoot") &&
               bind(getVolumeLabel, "FoxGetVolumeLabel") && bind(getErrorText, "FoxGetErrorText");
    }
};

TFoxBurnerSDK::TFoxBurnerSDK() = default;

TFoxBurnerSDK::~TFoxBurnerSDK() {
    setActive(false);
}

bool TFoxBurnerSDK::Active() const {
    return api_ && api_->started;
}

void TFoxBurnerSDK::setActive(bool active) {
    if (!active) {
        if (api_ && api_->started)
            api_->shutdown();
        api_.reset();
        names_.clear();
        lastError_ = SdkNotInitialized;
        return;
    }
    if (Active())
        return;
    api_.reset();
    names_.clear();

    const QString folder = libraryFolder_.isEmpty() ? platform::programFolder() : libraryFolder_;
    const QString file = QDir(folder).filePath(platform::libraryFileName(DLLName));
    if (DLLName.isEmpty() || !QFileInfo::exists(file)) {
        lastError_ = SdkFileNotFound;
        return;
    }
    auto api = std::make_unique<Api>();
    api->library.setFileName(file);
    if (!api->library.load() || !api->bindAll()) {
        lastError_ = SdkFunctionsNotFound;
        return;
    }
    const FoxSettings settings{
        .initAspiType = 0,
        .enableImageDevice = EnableImageDevice ? 1 : 0,
        .autoGetDeviceInfo = AutoGetDeviceInfo ? 1 : 0,
        .burningDevicesOnly = BurningDevicesOnly ? 1 : 0,
        .mediaChangeNotification = MediaChangeNotification ? 1 : 0,
        .errorCorrection = ReadErrorCorrectionParams.ErrorCorrection ? 1 : 0,
        .blankBadSectors = ReadErrorCorrectionParams.BlankBadSectors ? 1 : 0,
        .hardwareRetryCount = ReadErrorCorrectionParams.HardwareRetryCount,
        .softwareRetryCount = ReadErrorCorrectionParams.SoftwareRetryCount,
    };
    api_ = std::move(api);
    lastError_ = api_->initialize(&settings);
    api_->started = lastError_ == FOX_OK;
}

QString TFoxBurnerSDK::LastErrorText() const {
    switch (lastError_) {
    case SdkNotInitialized:
        return QStringLiteral("SDK DLL is not initialized");
    case SdkFileNotFound:
        return QStringLiteral("SDK DLL file not found");
    case SdkFunctionsNotFound:
        return QStringLiteral("Structure error in SDK DLL: functions not found");
    default:
        break;
    }
    if (api_ && api_->getErrorText)
        return QString::fromUtf8(api_->getErrorText(lastError_));
    return QStringLiteral("Error %1").arg(lastError_);
}

bool TFoxBurnerSDK::check(int code) {
    lastError_ = code;
    return code == FOX_OK;
}

bool TFoxBurnerSDK::GetDevices() {
    names_.clear();
    if (!Active())
        return check(SdkNotInitialized);
    std::int32_t count = 0;
    if (!check(api_->getDevices(&count)))
        return false;
    count = std::clamp<std::int32_t>(count, 0, FOX_MAX_DEVICES);
    std::array<char, nameBufferSize> name{};
    for (int i = 1; i <= count; ++i) {
        name.fill(0);
        api_->getDeviceName(i, name.data(), static_cast<std::int32_t>(name.size()));
        names_.append(QString::fromUtf8(name.data()).left(FOX_MAX_NAME));
    }
    return true;
}

QString TFoxBurnerSDK::deviceName(int index) const {
    return index >= 1 && index <= names_.size() ? names_.at(index - 1) : QString();
}

bool TFoxBurnerSDK::IsDeviceReady(int device) {
    if (!Active())
        return check(SdkNotInitialized);
    std::int32_t ready = 0;
    return check(api_->isDeviceReady(deviceOf(device), &ready)) && ready != 0;
}

bool TFoxBurnerSDK::GetMediumInformation(int device) {
    MediumInformation = {};
    if (!Active())
        return check(SdkNotInitialized);
    std::int32_t type = 0;
    std::int64_t size = 0;
    if (!check(api_->getMediumInformation(deviceOf(device), &type, &size)))
        return false;
    MediumInformation = {type, size};
    return true;
}

void TFoxBurnerSDK::EjectDevice(int device) {
    if (Active())
        check(api_->ejectDevice(deviceOf(device)));
}

void TFoxBurnerSDK::CloseDevice(int device) {
    if (Active())
        check(api_->closeDevice(deviceOf(device)));
}

int TFoxBurnerSDK::deviceOfLetter(QChar letter) const {
    const QChar wanted = letter.toUpper();
    // Device 1 is the image device and has no letter.
    for (int i = 2; i <= names_.size(); ++i) {
        const QString& name = names_.at(i - 1);
        if (!name.isEmpty() && name.at(0).toUpper() == wanted)
            return i;
    }
    return 0;
}

QString TFoxBurnerSDK::driveRoot(QChar letter) const {
    const int device = deviceOfLetter(letter);
    if (!Active() || device == 0)
        return {};
    std::array<char, pathBufferSize> root{};
    if (api_->getDriveRoot(device, root.data(), static_cast<std::int32_t>(root.size())) != FOX_OK)
        return {};
    return QString::fromUtf8(root.data());
}

QString TFoxBurnerSDK::volumeLabel(QChar letter) const {
    const int device = deviceOfLetter(letter);
    if (!Active() || device == 0)
        return {};
    std::array<char, nameBufferSize> label{};
    if (api_->getVolumeLabel(device, label.data(), static_cast<std::int32_t>(label.size())) != FOX_OK)
        return {};
    return QString::fromUtf8(label.data());
}

int getMediaInfo(TFoxBurnerSDK& fox, int listIndex) {
    fox.BurnDevice = listIndex + 2;
    if (!fox.IsDeviceReady(0))
        return -1;
    if (!fox.GetMediumInformation(0))
        return -2;
    switch (fox.MediumInformation.ExtendedMediumType) {
    case FOX_MEDIUM_CDROM:
    case FOX_MEDIUM_CD_AUDIO:
        return -4;
    case FOX_MEDIUM_DVD:
        return -5;
    default:
        return static_cast<int>(fox.MediumInformation.MediumSize / 1048576);
    }
}

} // namespace velmora::drive
