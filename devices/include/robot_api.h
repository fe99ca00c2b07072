// C interface of the disc-robot library (libKQRobots20.so), loaded at run time
// from the program folder. Result codes are 32-bit signed; texts are
// zero-terminated in the system's character set.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KQ_MAX_ROBOTS 26
#define KQ_MAX_DRIVES 26
#define KQ_CONNECT_AREA 104
#define KQ_ACTIVE_AREA 256
#define KQ_DRIVE_NAME 26

// Result codes.
#define KQ_OK 0
#define KQ_OK_NOTHING_TO_DO 400  // success variant: the movement had nothing to move
#define KQ_ERR_INPUT_EMPTY 423   // no disc could be taken at the source location
#define KQ_ERR_NOT_ARRIVED 427   // no disc arrived in the target drive

// Property 5: the folder where the library finds the device bay description.
#define KQ_PROPERTY_DATA_FOLDER 5

// Movement kinds of KQ_Robots_UnloadDrive.
#define KQ_UNLOAD 2
#define KQ_REJECT 4

int32_t KQ_Robots_SetProperty(int32_t property, const char* value);
int32_t KQ_Robots_Init(int32_t reserved);
int32_t KQ_Robots_Connect(int32_t* robotCount, int32_t robotIds[KQ_MAX_ROBOTS], char area[KQ_CONNECT_AREA],
                          uint8_t usable[KQ_MAX_ROBOTS]);
int32_t KQ_Robots_Active(int32_t robotId, char area1[KQ_ACTIVE_AREA], char area2[KQ_ACTIVE_AREA], int32_t areaSize);
int32_t KQ_Robots_EnumDrives(int32_t robotId, int32_t* driveCount, uint8_t drives[KQ_MAX_DRIVES]);
int32_t KQ_Robots_GetDriveName(uint8_t drive, char name[KQ_DRIVE_NAME]);
int32_t KQ_Robots_LoadDrive(char driveLetter, int32_t source, int32_t kind, int32_t reserved);
int32_t KQ_Robots_UnloadDrive(char driveLetter, int32_t source, int32_t kind, int32_t reserved);
void KQ_Robots_Close(void);

#ifdef __cplusplus
}
#endif
