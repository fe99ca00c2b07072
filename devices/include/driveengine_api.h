// C interface of the drive-engine library (libFoxSDKU32w.so), loaded at run time
// from the program folder. Devices are numbered 1..count; device 1 is the image
// device, the others are optical drives whose names begin with their drive letter.
// All texts are UTF-8, zero-terminated. Every function returns 0 on success or a
// library error code whose text FoxGetErrorText gives.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FOX_MAX_DEVICES 26
#define FOX_MAX_NAME 50

// Extended medium types reported by FoxGetMediumInformation.
enum FoxMediumType {
    FOX_MEDIUM_CDROM = 0,
    FOX_MEDIUM_CDROM_XA = 1,
    FOX_MEDIUM_CD_AUDIO = 2,
    FOX_MEDIUM_CD_MIXED = 3,
    FOX_MEDIUM_CD_ENHANCED = 4,
    FOX_MEDIUM_CD_MULTISESSION = 5,
    FOX_MEDIUM_DVD = 6,
    FOX_MEDIUM_BD = 7,
    FOX_MEDIUM_HDDVD = 8
};

// Library error codes (texts from FoxGetErrorText).
enum FoxError {
    FOX_OK = 0,
    FOX_ERR_NOT_INITIALIZED = 1,
    FOX_ERR_BAD_DEVICE = 2,
    FOX_ERR_NOT_READY = 3,
    FOX_ERR_NO_MEDIUM = 4,
    FOX_ERR_MEDIUM_QUERY = 5,
    FOX_ERR_BAY = 6,
    FOX_ERR_BUFFER = 7,
    FOX_ERR_IO = 8
};

typedef struct FoxSettings {
    int32_t initAspiType;            // 0 = internal transport
    int32_t enableImageDevice;       // 1: device 1 is the image device
    int32_t autoGetDeviceInfo;       // 1: names and facts are read while enumerating
    int32_t burningDevicesOnly;      // 0: every drive is listed
    int32_t mediaChangeNotification; // 0: no notifications
    int32_t errorCorrection;         // read error correction on
    int32_t blankBadSectors;         // unreadable sectors read as zeros
    int32_t hardwareRetryCount;
    int32_t softwareRetryCount;
} FoxSettings;

// Starts the library with these settings. Must precede every other call.
int32_t FoxInitialize(const FoxSettings* settings);
// Ends the library; a later FoxInitialize starts it again.
void FoxShutdown(void);
// Enumerates the devices again; *count receives their number, the image device included.
int32_t FoxGetDevices(int32_t* count);
// Name of device index (1-based), at most FOX_MAX_NAME characters.
int32_t FoxGetDeviceName(int32_t index, char* buffer, int32_t size);
// *ready := 1 when the device holds a medium that can be read, else 0.
int32_t FoxIsDeviceReady(int32_t index, int32_t* ready);
// Medium facts of the disc in device index: extended medium type and size in bytes.
int32_t FoxGetMediumInformation(int32_t index, int32_t* extendedMediumType, int64_t* mediumSize);
// Opens and closes the tray of device index.
int32_t FoxEjectDevice(int32_t index);
int32_t FoxCloseDevice(int32_t index);
// Folder under which the disc of device index can be read (a mount point or a
// virtual disc's folder); fails when the device holds no readable disc.
int32_t FoxGetDriveRoot(int32_t index, char* buffer, int32_t size);
// Volume label of the disc of device index; fails when there is none to read.
int32_t FoxGetVolumeLabel(int32_t index, char* buffer, int32_t size);
// Text of a library error code; never NULL.
const char* FoxGetErrorText(int32_t code);

#ifdef __cplusplus
}
#endif
