// Byte layouts of the records that travel through ICameraEngine::Execute and
// ::Inquire. The control and the engine include this same header; every
// size and offset is asserted because the layouts cross process (and
// architecture) boundaries. Text fields are zero-terminated ANSI strings cut
// to the field size. Window handles travel as 32-bit values (Windows keeps
// window handles within 32 bits on both architectures).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "EngineMessages.h"

namespace engine {

#pragma pack(push, 4)

// Command 3/0 input and the answer of inquiries 14, 15 and 18.
struct CameraRecord {
  std::uint32_t size;         // sizeof(CameraRecord)
  std::uint16_t vendorId;     // first identifier, compared to recognise a camera
  std::uint16_t productId;    // second identifier (kAnyProductOfType)
  char name[256];             // display name
  std::int32_t type;          // CameraTypeValue
  std::int32_t state;         // CameraStateValue
  std::uint32_t serial;       // also compared to recognise a camera
  std::uint32_t index;        // the engine's index of this camera
  std::uint32_t options;      // CameraOptionFlags
  std::uint32_t reserved;
  char device[256];           // device string for the companion program
};

// Values of CameraRecord::state (and of inquiry 20) that clients interpret.
enum CameraStateValue : std::int32_t {
  kCameraReady = 0,
  kCameraGone = 1,
  kCameraInUse = 2,
  kCameraNotReady = 3,
  kCameraUnavailable = 4,
  kCameraBusy = 6,
};

// Values of CameraRecord::type with a meaning for clients.
enum CameraTypeValue : std::int32_t {
  kCameraTypeBranded = 9,      // the OEM definitions may rename it
  kCameraTypeIndicators = 14,  // has the status indicator properties
  kCameraTypeCaptureDevice = 1,  // a video capture device of the computer
};

// Bits of CameraRecord::options.
enum CameraOptionFlags : std::uint32_t {
  kCameraOptionCompanion = 1,  // the maker's companion program serves it (bar button)
};

// A remembered CameraRecord::productId that matches any camera of its type.
inline constexpr std::uint16_t kAnyProductOfType = 901;

// Command 1/0.
struct PrepareRecord {
  std::uint32_t size;
  char uniqueName[256];
  char registryKey[256];
};

// Commands 9/1 and 9/2: a full key including its root name.
struct SettingsRecord {
  std::uint32_t size;
  char key[512];
  std::int32_t value;  // 1
};

// Command 10/0 and inquiry 10/0.
struct PreviewRecord {
  std::uint32_t size;
  std::int32_t reserved1;
  std::uint32_t window;       // preview window handle
  std::int32_t reserved2;
  std::int32_t reserved3;
  std::int32_t width;
  std::int32_t height;
  std::int32_t on;            // 1 = preview on
};

// Commands/inquiries 26/0, 26/1, 26/3.
struct VideoFormatRecord {
  std::uint32_t size;
  std::uint32_t reserved1[3];
  BITMAPINFOHEADER header;
  std::uint32_t reserved2[2];
};

// Commands/inquiries 29/0, 29/1, 29/2.
struct StillFormatRecord {
  std::uint32_t size;
  std::int32_t width;
  std::int32_t height;
  std::int32_t bitDepth;
  std::int32_t reserved;
};

// Command 7/0: how the next text stamp is drawn.
struct TextStampStyleRecord {
  std::uint32_t size;
  std::uint32_t textColor;    // COLORREF
  char faceName[64];
  std::int32_t fontSize;
  std::int32_t style1;
  std::uint32_t color2;
  std::int32_t style2;
  std::uint32_t color3;
  std::int32_t reserved;
};

// Command 12/2.
struct PictureSoundRecord {
  std::uint32_t size;
  char soundFile[512];
};

// Commands 12/0 (target = file), 12/3 and 12/4 (target = mapping name).
struct PictureRequestRecord {
  std::uint32_t size;
  char target[512];
  char textStamp[256];
  std::uint32_t mappingSize;
  std::uint32_t reserved;
};

// Command 6/1.
struct MovieRequestRecord {
  std::uint32_t size;
  char captureFile[512];
  std::int32_t framePeriodMs;
  std::int32_t recordMode;    // 3 = frame by frame (6/3 adds frames)
  std::int32_t compression;   // 1 = use the codec of command 6/4
  std::int32_t recordAudio;
  std::int32_t reserved;
  char textStamp[256];
  std::int32_t createFlags;
};

// Command 6/4.
struct VideoCompressionRecord {
  std::uint32_t size;
  std::uint32_t fourCC;
  std::int32_t quality;
  std::int32_t keyFrameInterval;
};

// Command 6/5.
struct AudioFormatRecord {
  std::uint32_t size;
  std::int32_t channels;
  std::int32_t samplesPerSecond;
  std::int32_t bitsPerSample;
  std::uint32_t fourCC;
  std::int32_t quality;
};

// Inquiry 6/6.
struct RecordingStateRecord {
  std::uint32_t size;
  std::uint32_t framesWritten;  // of the caller's recording, 0 if none
  std::int32_t active;          // non-zero while any client records
};

// Commands 22/2, 22/3 and inquiry 22/6.
struct IndexedPictureRecord {
  std::uint32_t size;
  char fileName[512];
  char textStamp[256];
  std::int32_t pictureNumber;
  std::int32_t width;         // the five values inquiry 22/6 fills in
  std::int32_t height;
  std::int32_t bitDepth;
  std::int32_t imageSize;     // bitmap file size of the picture
  std::int32_t reserved;
};

// Inquiry 31 input: the identifier of the show/hide feature, then 256, 256.
struct FeatureInquiryRecord {
  GUID identifier;
  std::int32_t value1;
  std::int32_t value2;
};

#pragma pack(pop)

// {92EE99DF-FDCC-46B5-82F1-B1DC493B7E0E}
inline constexpr GUID kShowHideFeature = {
    0x92EE99DF, 0xFDCC, 0x46B5, {0x82, 0xF1, 0xB1, 0xDC, 0x49, 0x3B, 0x7E, 0x0E}};

#define ENGINE_ASSERT_LAYOUT(type, bytes) \
  static_assert(sizeof(type) == (bytes), #type " must be " #bytes " bytes")

ENGINE_ASSERT_LAYOUT(CameraRecord, 544);
static_assert(offsetof(CameraRecord, vendorId) == 4);
static_assert(offsetof(CameraRecord, productId) == 6);
static_assert(offsetof(CameraRecord, name) == 8);
static_assert(offsetof(CameraRecord, type) == 264);
static_assert(offsetof(CameraRecord, state) == 268);
static_assert(offsetof(CameraRecord, serial) == 272);
static_assert(offsetof(CameraRecord, device) == 288);

ENGINE_ASSERT_LAYOUT(PrepareRecord, 516);
static_assert(offsetof(PrepareRecord, registryKey) == 260);

ENGINE_ASSERT_LAYOUT(SettingsRecord, 520);
static_assert(offsetof(SettingsRecord, value) == 516);

ENGINE_ASSERT_LAYOUT(PreviewRecord, 32);
static_assert(offsetof(PreviewRecord, window) == 8);
static_assert(offsetof(PreviewRecord, width) == 20);
static_assert(offsetof(PreviewRecord, on) == 28);

ENGINE_ASSERT_LAYOUT(VideoFormatRecord, 64);
static_assert(offsetof(VideoFormatRecord, header) == 16);
static_assert(offsetof(VideoFormatRecord, reserved2) == 56);

ENGINE_ASSERT_LAYOUT(StillFormatRecord, 20);

ENGINE_ASSERT_LAYOUT(TextStampStyleRecord, 96);
static_assert(offsetof(TextStampStyleRecord, faceName) == 8);
static_assert(offsetof(TextStampStyleRecord, fontSize) == 72);
static_assert(offsetof(TextStampStyleRecord, style1) == 76);
static_assert(offsetof(TextStampStyleRecord, color2) == 80);
static_assert(offsetof(TextStampStyleRecord, style2) == 84);
static_assert(offsetof(TextStampStyleRecord, color3) == 88);

ENGINE_ASSERT_LAYOUT(PictureSoundRecord, 516);

ENGINE_ASSERT_LAYOUT(PictureRequestRecord, 780);
static_assert(offsetof(PictureRequestRecord, textStamp) == 516);
static_assert(offsetof(PictureRequestRecord, mappingSize) == 772);

ENGINE_ASSERT_LAYOUT(MovieRequestRecord, 796);
static_assert(offsetof(MovieRequestRecord, framePeriodMs) == 516);
static_assert(offsetof(MovieRequestRecord, recordMode) == 520);
static_assert(offsetof(MovieRequestRecord, compression) == 524);
static_assert(offsetof(MovieRequestRecord, recordAudio) == 528);
static_assert(offsetof(MovieRequestRecord, textStamp) == 536);
static_assert(offsetof(MovieRequestRecord, createFlags) == 792);

ENGINE_ASSERT_LAYOUT(VideoCompressionRecord, 16);
ENGINE_ASSERT_LAYOUT(AudioFormatRecord, 24);
ENGINE_ASSERT_LAYOUT(RecordingStateRecord, 12);
static_assert(offsetof(RecordingStateRecord, active) == 8);

ENGINE_ASSERT_LAYOUT(IndexedPictureRecord, 796);
static_assert(offsetof(IndexedPictureRecord, fileName) == 4);
static_assert(offsetof(IndexedPictureRecord, textStamp) == 516);
static_assert(offsetof(IndexedPictureRecord, pictureNumber) == 772);
static_assert(offsetof(IndexedPictureRecord, width) == 776);
static_assert(offsetof(IndexedPictureRecord, reserved) == 792);

ENGINE_ASSERT_LAYOUT(FeatureInquiryRecord, 24);

#undef ENGINE_ASSERT_LAYOUT

// Converts between window handles and their 32-bit record form.
inline std::uint32_t WindowToRecord(HWND window) noexcept {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}
inline HWND WindowFromRecord(std::uint32_t value) noexcept {
  // Sign-extended like the system does for 32-bit handle values.
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

}  // namespace engine
