// Still pictures of a capture device and devices that join the system
// while the engine runs, with the test camera filter in its three models:
// a still pin (the picture comes from the pin, triggered), no still pin
// with its largest size in RGB24, and no still pin with its largest size
// only in MJPG (the graph switches to that size for the picture and back).
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "EngineMessages.h"
#include "EngineMovieFiles.h"
#include "WebcamFixture.h"
#include "WineTodo.h"

using namespace engine;
using namespace webcam_test;

namespace {

struct Model {
  const char* name;
  bool stillPin, withoutMjpg;
  test_camera::Size still;  // the one still size the engine offers
  bool graphDecodes;        // the still size comes only in MJPG
};

const Model kStillPin{"still pin", true, false, test_camera::kLargestStill, false};
const Model kLargestInRgb{"no still pin, largest size in RGB24", false, true, {640, 480}, false};
const Model kLargestInMjpg{"no still pin, largest size only in MJPG", false, false, {800, 600}, true};

StillFormatRecord StillRecord(test_camera::Size size) {
  return StillFormatRecord{sizeof(StillFormatRecord), size.width, size.height, 24, 0};
}

class EngineWebcamStills : public EngineWebcam {
 protected:
  // Makes the filter that model and lists it again; connects it with
  // the model's still size set.
  void UseModel(const Model& model) {
    if (model.stillPin) ::SetEvent(stillPin_.get());
    if (model.withoutMjpg) ::SetEvent(withoutMjpg_.get());
    ASSERT_EQ(S_OK, Reload(client_, WebcamConfig()));
    ASSERT_EQ(S_OK, client_.Connect(0));
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdStillFormat, kStillSet, StillRecord(model.still)));
  }
  long LastFailure() const {
    long reason = 0;
    client_.InqLong(kCmdLastFailure, 0, &reason);
    return reason;
  }
  // The camera still captures at its own size: 26/0 and a picture at it.
  void ExpectCaptureGoesOn() {
    VideoFormatRecord format{};
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdFormat, kFormatRead, &format));
    EXPECT_EQ(320, format.header.biWidth);
    Shot shot;
    ASSERT_EQ(S_OK, TakeMappedPicture(kPictureToMapping, &shot));
    ASSERT_EQ(320, shot.width);
    EXPECT_EQ(0, LargestDifference(shot, 0));
  }
};

TEST_F(EngineWebcamStills, TheStillSizeIsTheStillPinsLargestElseTheLargestCaptureSize) {
  BYTE dummy = 0;
  for (const Model& model : {kStillPin, kLargestInRgb, kLargestInMjpg}) {
    SCOPED_TRACE(model.name);
    UseModel(model);
    StillFormatRecord read{};
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdStillFormat, kStillRead, &read));
    EXPECT_EQ(model.still.width, read.width);
    EXPECT_EQ(model.still.height, read.height);
    for (const test_camera::Size other : {test_camera::Size{1024, 768}, test_camera::Size{640, 480},
                                          test_camera::Size{800, 600}, test_camera::Size{1280, 960}}) {
      if (other.width == model.still.width) continue;
      const StillFormatRecord probe = StillRecord(other);
      EXPECT_EQ(E_FAIL, client_.Inq(kCmdStillFormat, kStillProbe, &probe, sizeof(probe), &dummy, 1)) << other.width;
    }
    client_.Exec(kCmdDisconnect, 0);
    ::ResetEvent(stillPin_.get());
    ::ResetEvent(withoutMjpg_.get());
  }
}

TEST_F(EngineWebcamStills, StillPicturesAreTheDevicesPictureAtTheStillSize) {
  for (const Model& model : {kStillPin, kLargestInRgb, kLargestInMjpg}) {
    SCOPED_TRACE(model.name);
    UseModel(model);
    Shot first, second;
    const HRESULT hr = TakeMappedPicture(kPictureToMappingStill, &first);
    if (model.graphDecodes) {
      testing_support::TodoWine(hr == S_OK, "the graph adds no decoder for MJPG");
      if (hr != S_OK) {
        // No frame at that size: the picture fails, the camera goes on.
        EXPECT_EQ(E_FAIL, hr);
        EXPECT_EQ(kReasonFile, LastFailure());
        ExpectCaptureGoesOn();
        continue;
      }
    }
    ASSERT_EQ(S_OK, hr);
    ASSERT_EQ(model.still.width, first.width);
    ASSERT_EQ(model.still.height, first.height);
    if (model.graphDecodes) {
      EXPECT_LT(MeanDifference(first, 0), 3.0);
    } else {
      EXPECT_EQ(0, LargestDifference(first, 0)) << "made at that size, not enlarged";
    }
    ASSERT_EQ(S_OK, TakeMappedPicture(kPictureToMappingStill, &second));
    // The still pin counts its pictures; a switched graph starts again.
    if (model.stillPin) {
      EXPECT_EQ(FrameNumberOf(first) + 1, FrameNumberOf(second));
    }
    ExpectCaptureGoesOn();
    client_.Exec(kCmdDisconnect, 0);
    ::ResetEvent(stillPin_.get());
    ::ResetEvent(withoutMjpg_.get());
  }
}

TEST_F(EngineWebcamStills, OnlyTheStillPinTakesStillsDuringARecording) {
  for (const Model& model : {kStillPin, kLargestInRgb}) {
    SCOPED_TRACE(model.name);
    UseModel(model);
    const std::string path = engine_test::MovieFolder() + "webcam-still-while-recording.avi";
    ASSERT_EQ(S_OK, client_.ExecRecord(kCmdMovie, kMovieStart,
                                        engine_test::MovieRequest(path, kRecordModeTimed, false, false)));
    sink_.Pump(300);
    Shot shot;
    const HRESULT hr = TakeMappedPicture(kPictureToMappingStill, &shot);
    std::int32_t state[3] = {};
    ASSERT_EQ(S_OK, client_.Inq(kCmdMovie, kMovieState, nullptr, 0, state, sizeof(state)));
    EXPECT_EQ(1, state[2]) << "the recording goes on";
    ASSERT_EQ(S_OK, client_.Exec(kCmdMovie, kMovieStop));
    if (model.stillPin) {
      ASSERT_EQ(S_OK, hr);
      EXPECT_EQ(0, LargestDifference(shot, 0));
    } else {
      // A format switch would cut into the movie's frames.
      EXPECT_EQ(E_FAIL, hr);
      EXPECT_EQ(kReasonBusy, LastFailure());
    }
    client_.Exec(kCmdDisconnect, 0);
    ::ResetEvent(stillPin_.get());
    ::ResetEvent(withoutMjpg_.get());
  }
}

TEST_F(EngineWebcamStills, AStillThatNeverComesFailsInsteadOfWaiting) {
  struct Case {
    const Model& model;
    DWORD atMostMs;  // one bounded wait for the still pin, two for a switch
    bool cameraLost;  // the switched graph does not come back either
  };
  for (const Case& c : {Case{kStillPin, 3500, false}, Case{kLargestInRgb, 6000, true}}) {
    SCOPED_TRACE(c.model.name);
    UseModel(c.model);
    sink_.Clear();
    ::SetEvent(silent_.get());
    Shot shot;
    const DWORD started = ::GetTickCount();
    EXPECT_EQ(E_FAIL, TakeMappedPicture(kPictureToMappingStill, &shot));
    EXPECT_LT(::GetTickCount() - started, c.atMostMs);
    EXPECT_EQ(kReasonFile, LastFailure());
    ::ResetEvent(silent_.get());
    if (c.cameraLost) {
      ASSERT_TRUE(sink_.WaitFor(kMsgCameraLost, 3000));
      ASSERT_TRUE(sink_.WaitFor(kMsgReconnected, 6000)) << "listed by the system, it is back";
      ASSERT_EQ(S_OK, client_.Connect(0));
    } else {
      // The capture pin fell silent with the still pin: a loss the engine
      // may have seen meanwhile ends with the next frame.
      sink_.Pump(500);
      if (sink_.Count(kMsgCameraLost) != 0) {
        ASSERT_TRUE(sink_.WaitFor(kMsgReconnected, 3000));
      }
    }
    sink_.Pump(300);
    ExpectCaptureGoesOn();
    client_.Exec(kCmdDisconnect, 0);
    ::ResetEvent(stillPin_.get());
    ::ResetEvent(withoutMjpg_.get());
  }
}

// The device leaves the system and the list is made without it; then it
// is registered again while the engine runs.
TEST_F(EngineWebcam, ADevicePluggedInLaterJoinsTheListBeforeTheSyntheticCamera) {
  CameraRecord listed{};
  ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &listed));
  struct Case {
    const char* devicesLine;
    bool joins;
  };
  for (const Case c : {Case{"Devices=1", true}, Case{"Devices=0", false}}) {
    SCOPED_TRACE(c.devicesLine);
    const std::string path = engine_test::TempFolder() + "engine-webcam-arrival.ini";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << "[Engine]\r\n" << c.devicesLine << "\r\nCameras=1\r\nFrameRate=15\r\n";
    registration_->Unregister();
    ASSERT_EQ(S_OK, Reload(client_, path));
    long count = 0;
    ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
    ASSERT_EQ(1, count);
    ASSERT_EQ(S_OK, client_.Connect(0));
    sink_.Clear();
    ASSERT_EQ(S_OK, registration_->Register());
    if (!c.joins) {
      sink_.Pump(4000);
      EXPECT_EQ(0u, sink_.Count(kMsgReconnected));
      ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
      EXPECT_EQ(1, count);
      ASSERT_EQ(S_OK, client_.Exec(kCmdDisconnect, 0));
      continue;
    }
    ASSERT_TRUE(sink_.WaitFor(kMsgReconnected, 8000));
    EXPECT_EQ(1u, sink_.Count(kMsgReconnectRequest));
    ASSERT_EQ(S_OK, client_.InqLong(kCmdCameraCount, 0, &count));
    ASSERT_EQ(2, count);
    CameraRecord device{}, synthetic{};
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 0, &device));
    ASSERT_EQ(S_OK, client_.InqRecord(kCmdCameraRecord, 1, &synthetic));
    EXPECT_STREQ(listed.name, device.name);
    EXPECT_EQ(kCameraTypeCaptureDevice, device.type);
    EXPECT_EQ(listed.serial, device.serial) << "the same identity as when it was listed at the start";
    EXPECT_EQ(listed.vendorId, device.vendorId);
    EXPECT_EQ(listed.productId, device.productId);
    EXPECT_EQ(0u, device.index);
    EXPECT_STREQ("Synthetic Camera 1", synthetic.name);
    EXPECT_EQ(1u, synthetic.index);
    // The connected synthetic camera moved one place on.
    long index = -1;
    ASSERT_EQ(S_OK, client_.InqLong(kCmdCurrentIndex, 0, &index));
    EXPECT_EQ(1, index);
    // Another client captures from the device that joined.
    engine_test::EngineClient other;
    ASSERT_EQ(S_OK, other.Create());
    ASSERT_EQ(S_OK, other.Connect(0));
    sink_.Clear();
    sink_.Pump(3500);
    EXPECT_EQ(0u, sink_.Count(kMsgReconnected)) << "it joins once";
    ASSERT_EQ(S_OK, other.Exec(kCmdDisconnect, 0));
    ASSERT_EQ(S_OK, client_.Exec(kCmdDisconnect, 0));
  }
}

}  // namespace
