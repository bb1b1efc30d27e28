// The hosted control of the picture tests.
#include "PortalHost.h"

#include <gtest/gtest.h>

#include <cstring>

#include "PortalLibrary.h"

namespace picture_test {

using testing_support::CallResult;
using testing_support::Variant;

void PortalHost::Open() {
  object_ = portal_test::CreatePortal<IOleObject>();
  ASSERT_TRUE(object_);
  ASSERT_EQ(S_OK, object_->SetClientSite(&container_));
  ::ShowWindow(container_.Window(), SW_SHOW);
  ASSERT_EQ(S_OK, object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container_, -1, container_.Window(),
                                  &portal_test::TestContainer::kPosition));
  ::SetForegroundWindow(container_.Window());
  ASSERT_EQ(S_OK, object_.As(&dispatch_));
  ASSERT_EQ(S_OK, object_.As(&early_));
  ASSERT_EQ(1, Call(kPrepareControl, Args(L"PictureTests", L"Software\\Velkor\\PictureTests", 0L)));
  ASSERT_EQ(1, Call(kConnectCamera2, {}));
  ASSERT_EQ(1, Get(kCameraConnected)) << "the engine's synthetic camera";
}

void PortalHost::Close() {
  if (!object_) return;
  dispatch_.reset();
  early_.reset();
  object_->Close(OLECLOSE_NOSAVE);
  object_->SetClientSite(nullptr);
  object_.reset();
}

LONG PortalHost::Call(DISPID id, std::vector<Variant> args) {
  CallResult result;
  testing_support::Invoke(dispatch_.get(), id, DISPATCH_METHOD, args, &result);
  EXPECT_TRUE(result.hr == S_OK || result.hr == S_FALSE) << "member " << id << ": 0x" << std::hex << result.hr;
  return result.AsLong();
}

LONG PortalHost::Get(DISPID id) {
  std::vector<Variant> none;
  CallResult result;
  testing_support::Invoke(dispatch_.get(), id, DISPATCH_PROPERTYGET, none, &result);
  return result.AsLong();
}

void PortalHost::Put(DISPID id, LONG value) {
  std::vector<Variant> args = Args(value);
  EXPECT_EQ(S_OK, testing_support::Invoke(dispatch_.get(), id, DISPATCH_PROPERTYPUT, args, nullptr));
}

LONG PortalHost::ReadProperty(LONG property) {
  LONG value = -12345;
  std::vector<Variant> args;
  args.emplace_back(property);
  args.push_back(Variant::ByRef(&value));
  return Call(kGetCameraPropertyLong, std::move(args)) == 1 ? value : -12345;
}

LONG PortalHost::FailNextCommand(LONG reason) {
  std::vector<Variant> args = Args(1002L, reason, 0L);
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  return Call(kSendCommand, std::move(args));
}

LONG PortalHost::SetCameraState(LONG state) {
  std::vector<Variant> args = Args(1005L, Get(kCameraIndex), 0L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(&state)));
  args.emplace_back(static_cast<LONG>(sizeof(state)));
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  return Call(kSendCommand, std::move(args));
}

LONG PortalHost::LastFailure() {
  LONG reason = -1;
  std::vector<Variant> args = Args(99L, 0L, 0L);
  args.push_back(Variant::Pointer(0));
  args.emplace_back(0L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(&reason)));
  args.emplace_back(static_cast<LONG>(sizeof(reason)));
  return Call(kQuery, std::move(args)) == 0 ? reason : -1;
}

LONG PortalHost::MemorySize() {
  LONG size = 0;
  std::vector<Variant> args = Args(0L, 24L);
  args.push_back(Variant::Pointer(0));
  args.push_back(Variant::ByRef(&size));
  args.emplace_back(L"");
  return Call(kPictureToMemory, std::move(args)) == 1 ? size : -1;
}

LONG PortalHost::PictureToMemory(std::vector<BYTE>* buffer, LONG size, const wchar_t* textStamp) {
  std::vector<Variant> args = Args(0L, 24L);
  args.push_back(Variant::Pointer(reinterpret_cast<LONG_PTR>(buffer->data())));
  args.push_back(Variant::ByRef(&size));
  args.emplace_back(textStamp);
  return Call(kPictureToMemory, std::move(args));
}

LONG PortalHost::PictureToFile(const std::wstring& path, LONG fourCC, LONG bitDepth) {
  return Call(kPictureToFile, Args(fourCC, bitDepth, path.c_str(), L""));
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
