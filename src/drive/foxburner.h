// The drive engine as the program uses it: a component over the drive-engine
// library, which is loaded at run time from the program folder. Devices are
// numbered from 1; device 1 is the image device, and the others are the
// optical drives, whose names begin with their drive letter.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

namespace velmora::drive {

// Error codes of the component itself; the library's own codes are below 4096.
enum : int {
    SdkNotInitialized = 4096,
    SdkFileNotFound = 4097,
    SdkFunctionsNotFound = 4098,
};

enum class InitASPIType { atInternal };

struct ReadErrorCorrection {
    bool ErrorCorrection = true;
    bool BlankBadSectors = true;
    int HardwareRetryCount = 5;
    int SoftwareRetryCount = 5;
};

struct MediumInfo {
    int ExtendedMediumType = 0;
    std::int64_t MediumSize = 0;
};

class TFoxBurnerSDK {
public:
    TFoxBurnerSDK();
    ~TFoxBurnerSDK();
    TFoxBurnerSDK(const TFoxBurnerSDK&) = delete;
    TFoxBurnerSDK& operator=(const TFoxBurnerSDK&) = delete;

    // Settings, applied when the component is activated.
    QString DLLName;
    InitASPIType initASPIType = InitASPIType::atInternal;
    bool EnableImageDevice = true;
    bool AutoGetDeviceInfo = true;
    bool BurningDevicesOnly = false;
    bool MediaChangeNotification = false;
    ReadErrorCorrection ReadErrorCorrectionParams;

    // Folder the library is loaded from; the program folder unless set.
    void setLibraryFolder(const QString& folder) { libraryFolder_ = folder; }

    // Loads and starts the library (true) or ends it (false). LastError is 0 when ready.
    void setActive(bool active);
    bool Active() const;
    int LastError() const { return lastError_; }
    QString LastErrorText() const;

    // Enumerates the devices; true when DeviceCount and the names are valid.
    bool GetDevices();
    int DeviceCount() const { return static_cast<int>(names_.size()); }
    // Name of device index, 1-based; empty outside 1..DeviceCount.
    QString deviceName(int index) const;

    // The device the two queries below address when given 0.
    int BurnDevice = 1;
    bool IsDeviceReady(int device = 0);
    bool GetMediumInformation(int device = 0);
    MediumInfo MediumInformation;

    void EjectDevice(int device);
    void CloseDevice(int device);

    // Root folder and volume label of the disc in the drive with this letter;
    // empty when there is no such drive or no readable disc in it.
    QString driveRoot(QChar letter) const;
    QString volumeLabel(QChar letter) const;

private:
    struct Api;
    int deviceOf(int device) const { return device == 0 ? BurnDevice : device; }
    int deviceOfLetter(QChar letter) const;
    bool check(int code);

    std::unique_ptr<Api> api_;
    QString libraryFolder_;
    int lastError_ = SdkNotInitialized;
    QStringList names_;
};

// The medium value of the selected drive: -1 drive not ready, -2 no medium
// information, -4 a CD typed as CD-ROM or audio CD, -5 a DVD typed as such,
// otherwise the medium size in whole megabytes. listIndex is the position in
// the source drive list, which starts with device 2.
int getMediaInfo(TFoxBurnerSDK& fox, int listIndex);

} // namespace velmora::drive
