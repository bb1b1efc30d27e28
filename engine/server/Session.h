// What the engine keeps for one client (one engine object): the prepared
// name and key, the notification window and the client's process, the
// connected camera, per-client properties, preview, video hook, motion
// reporting, the text stamp style, picture sound and movie recording, and
// the failure reason inquiry 99 reports.
#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "Camera.h"
#include "EngineRecords.h"
#include "HookSink.h"
#include "MovieRecorder.h"
#include "PreviewSink.h"
#include "common/UniqueHandle.h"
#include "media/MotionMeter.h"
#include "media/TextStampStyle.h"

namespace engine {

class Session {
 public:
  // Motion degree of property 20: kept and saved with the settings; the
  // motion measure does not depend on it (the client compares the value
  // with its degree itself).
  static constexpr long kMinSensitivity = 1, kMaxSensitivity = 100;
  static constexpr long kDefaultSensitivity = 50;
  static constexpr std::size_t kMaxScriptedMotion = 4096;
  // Most copies of one device frame a paced movie takes at once.
  static constexpr int kMaxRepeats = 30;

  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Client identity -------------------------------------------------------
  std::string uniqueName;
  std::string settingsKey;
  HRESULT SetNotifyWindow(HWND window);
  void ClearNotifyWindow() noexcept { notifyWindow_ = nullptr; }
  HWND NotifyWindow() const noexcept { return notifyWindow_; }
  // True when the process that gave the notification window has ended.
  bool ClientDied() const noexcept;
  void Post(UINT message, WPARAM wParam, LPARAM lParam) const noexcept;

  // Camera ------------------------------------------------------------------
  Camera* camera = nullptr;
  void Connect(Camera& target);
  // Ends recording (reason for 1544 when non-zero), preview frames, hook
  // frames and motion state of the connected camera.
  void Disconnect();
  bool Usable() const noexcept { return camera && !camera->Gone(); }

  // Per-client properties ---------------------------------------------------
  long liveVideo = 1;        // 16
  long motionReport = 0;     // 19
  long sensitivity = kDefaultSensitivity;  // 20
  HookSink hook;             // 29
  PreviewSink preview;       // 10/x
  std::deque<long> scriptedMotion;
  media::MotionMeter motion;

  // Pictures and movies -----------------------------------------------------
  media::TextStampStyle stampStyle;
  std::string pictureSound;
  VideoCompressionRecord compression{sizeof(VideoCompressionRecord), 0, -1, 15};
  AudioFormatRecord audioFormat{sizeof(AudioFormatRecord), 1, 11025, 8, 0, 0};
  MovieRecorder movie;
  media::AviLimits movieLimits;  // scenarios 1008 and 1011
  // Closes a running recording and reports it with 1544 and the reason.
  void EndRecording(long reason);

  // Failures ----------------------------------------------------------------
  long lastFailure = 0;
  long injectedFailure = 0;  // non-zero: the next command fails with it
  HRESULT Fail(long reason) noexcept {
    lastFailure = reason;
    return E_FAIL;
  }

  // Adds a frame to the running recording; a failing write ends it (1544).
  void RecordFrame(const media::Frame& frame);
  // Hands a new camera frame to the preview, hook, motion and movie.
  void OnFrame(const media::Frame& frame, std::uint32_t frameNumber);
  // Everything stops: the client has gone.
  void Drop();
  bool dropped = false;

 private:
  void ReportMotion(const media::Frame& frame);

  HWND notifyWindow_ = nullptr;
  DWORD clientProcessId_ = 0;
  common::UniqueKernelHandle clientProcess_;
};

}  // namespace engine
