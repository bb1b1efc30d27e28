// The hosted control of the picture tests.
#include "PortalHost.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/interface/EngineCommands.h"


namespace picture_test {

using testing_support::CallResult;
using testing_support::Variant;

void PortalHost::Open() {
  host_ = std::make_unique<portal_test::HostedPortal>();
  ASSERT_TRUE(host_->Active());
  ASSERT_EQ(1, host_->Prepare(L"Software\\Velkor\\PictureTests"));
  ASSERT_EQ(1, Call(dispid::kConnectCamera2, {}));
  ASSERT_EQ(1, Get(dispid::kCameraConnected)) << "the engine's synthetic camera";
}

void PortalHost::Close() { host_.reset(); }

LONG PortalHost::ReadProperty(LONG property) {
  LONG value = -12345;
  std::vector<Variant> args;
  args.emplace_back(property);
  args.push_back(Variant::ByRef(&value));
  return Call(dispid::kGetCameraPropertyLong, std::move(args)) == 1 ? value : -12345;
}

LONG PortalHost::FailNextCommand(LONG reason) { return host_->Scenario(engine::kScenarioFailNext, reason); }

LONG PortalHost::SetCameraState(LONG state) {
  return host_->Scenario(engine::kScenarioSetState, Get(dispid::kCameraIndex), &state, static_cast<LONG>(sizeof(state)));
}

LONG PortalHost::LastFailure() {
  LONG reason = -1;
  std::vector<Variant> args = Args(engine::kCmdLastFailure, engine::kNoSubCode, 0L);
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(&reason)));
  args.emplace_back(static_cast<LONG>(sizeof(reason)));
  return Call(dispid::kQuery, std::move(args)) == 0 ? reason : -1;
}

LONG PortalHost::MemorySize() {
  LONG size = 0;
  std::vector<Variant> args = Args(0L, 24L);
  args.push_back(Variant::Pointer(0));
  args.push_back(Variant::ByRef(&size));
  args.emplace_back(L"");
  return Call(dispid::kPictureToMemory, std::move(args)) == 1 ? size : -1;
}

LONG PortalHost::PictureToMemory(std::vector<BYTE>* buffer, LONG size, const wchar_t* textStamp) {
  std::vector<Variant> args = Args(0L, 24L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(buffer->data())));
  args.push_back(Variant::ByRef(&size));
  args.emplace_back(textStamp);
  return Call(dispid::kPictureToMemory, std::move(args));
}

LONG PortalHost::PictureToFile(const std::wstring& path, LONG fourCC, LONG bitDepth) {
  return Call(dispid::kPictureToFile, Args(fourCC, bitDepth, path.c_str(), L""));
}

LONG BitmapFileSize(LONG width, LONG height) { return ((width * 24 + 31) / 32) * 4 * height + 54; }

void ExpectBitmapFile(const BYTE* data, size_t size, LONG width, LONG height) {
  ASSERT_GE(size, 54u);
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  std::memcpy(&file, data, sizeof(file));
  std::memcpy(&info, data + sizeof(file), sizeof(info));
  EXPECT_EQ(0x4D42, file.bfType);
  EXPECT_EQ(static_cast<DWORD>(BitmapFileSize(width, height)), file.bfSize);
  EXPECT_EQ(54u, file.bfOffBits);
  EXPECT_EQ(40u, info.biSize);
  EXPECT_EQ(width, info.biWidth);
  EXPECT_EQ(height, info.biHeight) << "bottom-up rows";
  EXPECT_EQ(1, info.biPlanes);
  EXPECT_EQ(24, info.biBitCount);
  EXPECT_EQ(static_cast<DWORD>(BI_RGB), info.biCompression);
}

}  // namespace picture_test
