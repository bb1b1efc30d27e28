// The control's published contract as a late-bound client sees it: the
// embedded type library must describe every IVideoPortal member at its
// vtable slot with its DISPID, parameter names and help string, the two
// event interfaces and the coclass with their identities.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "common/Module.h"

using common::ComPtr;

namespace {

struct Member {
  int slot;
  DISPID dispid;
  INVOKEKIND kind;
  const wchar_t* name;
  const wchar_t* help;
  std::vector<const wchar_t*> params;  // checked when not empty
};

const Member kMembers[] = {
    {7, 1, INVOKE_FUNC, L"PrepareControl", L"method PrepareControl", {L"strUniqueName", L"strRegistryKey", L"lFlags", L"plResult"}},
    {8, 2, INVOKE_FUNC, L"GetCameraCount", L"method GetCameraCount", {L"plCount", L"plResult"}},
    {9, 3, INVOKE_FUNC, L"GetCameraDescription", L"method GetCameraDescription", {L"lIndex", L"strDescription", L"plResult"}},
    {10, 4, INVOKE_FUNC, L"GetCameraType", L"method GetCameraType", {L"lIndex", L"lCameraType", L"plResult"}},
    {11, 5, INVOKE_FUNC, L"QueryCameraConnected", L"method QueryCameraConnected", {L"lIndex", L"bConnected", L"plResult"}},
    {12, 6, INVOKE_FUNC, L"QueryRegistryCameraIndex", L"method QueryRegistryCameraIndex", {L"lIndex", L"plResult"}},
    {13, 7, INVOKE_FUNC, L"GetCameraState", L"method GetCameraState", {L"lIndex", L"plCameraState", L"plResult"}},
    {14, 8, INVOKE_FUNC, L"ConnectCamera", L"method ConnectCamera", {L"lIndex", L"plResult"}},
    {15, 9, INVOKE_FUNC, L"ConnectCamera2", L"method ConnectCamera2", {L"plResult"}},
    {16, 10, INVOKE_FUNC, L"DisconnectCamera", L"method DisconnectCamera", {L"plResult"}},
    {17, 11, INVOKE_FUNC, L"LoadRegistrySettings", L"method LoadRegistrySettings", {L"strRegistryKey", L"plResult"}},
    {18, 12, INVOKE_FUNC, L"SaveRegistrySettings", L"method SaveRegistrySettings", {L"strRegistryKey", L"plResult"}},
    {19, 13, INVOKE_FUNC, L"SetCameraPropertyLong", L"method SetCameraPropertyLong", {L"lProperty", L"lPropertyValue", L"plResult"}},
    {20, 14, INVOKE_FUNC, L"GetCameraPropertyLong", L"method GetCameraPropertyLong", {L"lProperty", L"plPropertyValue", L"plResult"}},
    {21, 15, INVOKE_FUNC, L"PictureToFile", L"method PictureToFile", {L"lFormatFourCC", L"lBitDepth", L"strFileName", L"strTextStamp", L"plResult"}},
    {22, 16, INVOKE_FUNC, L"PictureToMemory", L"method PictureToMemory", {L"lFormatFourCC", L"lBitDepth", L"lMemory", L"plMemorySize", L"strTextStamp", L"plResult"}},
    {23, 17, INVOKE_FUNC, L"StartMovieRecording", L"method StartMovieRecording", {L"strFileName", L"strTextStamp", L"plResult"}},
    {24, 18, INVOKE_FUNC, L"StopMovieRecording", L"method StopMovieRecording", {L"plResult"}},
    {25, 19, INVOKE_FUNC, L"StepCaptureAddFrame", L"method StepCaptureAddFrame", {L"plResult"}},
    {26, 20, INVOKE_FUNC, L"MovieRecordWriteSingleFrame", L"method MovieRecordWriteSingleFrame", {L"strFileName", L"strTextStamp", L"plResult"}},
    {27, 21, INVOKE_FUNC, L"GetLastError", L"method GetLastError", {L"plError"}},
    {28, 22, INVOKE_FUNC, L"SetVideoFormat", L"method SetVideoFormat", {L"lWidth", L"lHeight", L"lBitDepth", L"lFormatFourCC", L"plResult"}},
    {29, 23, INVOKE_FUNC, L"GetVideoFormat", L"method GetVideoFormat", {L"plWidth", L"plHeight", L"plBitDepth", L"lFormatFourCC", L"plResult"}},
    {30, 24, INVOKE_FUNC, L"ShowCameraDlg", L"method ShowCameraDlg", {L"lCameraDlg", L"plResult"}},
    {31, 25, INVOKE_FUNC, L"EnableUIElements", L"method EnableUIElements", {L"lElement", L"lFlags", L"lEnable", L"plResult"}},
    {32, 26, INVOKE_FUNC, L"StartVideoHook", L"method StartVideoHook", {L"lFlag", L"plResult"}},
    {33, 27, INVOKE_FUNC, L"StopVideoHook", L"method StopVideoHook", {L"lFlag", L"plResult"}},
    {34, 28, INVOKE_FUNC, L"SendCommand", L"method SendCommand", {L"lCommand", L"lSubCommand", L"lFlags", L"lParam", L"lParamSize", L"plParam2", L"lParamSize2", L"plResult"}},
    {35, 29, INVOKE_FUNC, L"Query", L"method Query", {L"lCommand", L"lSubCommand", L"lFlags", L"lParam", L"lParamSize", L"lParam2", L"lParamSize2", L"plResult"}},
    {36, 30, INVOKE_PROPERTYGET, L"CameraConnected", L"property CameraConnected", {}},
    {37, 31, INVOKE_PROPERTYGET, L"CameraIndex", L"property CameraIndex", {}},
    {38, 32, INVOKE_PROPERTYGET, L"PictureSound", L"property PictureSound", {}},
    {39, 32, INVOKE_PROPERTYPUT, L"PictureSound", L"property PictureSound", {}},
    {40, 33, INVOKE_PROPERTYGET, L"EnablePreview", L"property EnablePreview", {}},
    {41, 33, INVOKE_PROPERTYPUT, L"EnablePreview", L"property EnablePreview", {}},
    {42, 34, INVOKE_PROPERTYGET, L"MovieVideoCompressionFOURCC", L"property MovieVideoCompressionFOURCC", {}},
    {43, 34, INVOKE_PROPERTYPUT, L"MovieVideoCompressionFOURCC", L"property MovieVideoCompressionFOURCC", {}},
    {44, 35, INVOKE_PROPERTYGET, L"MovieVideoCompressionKeyFrameInterval", L"property MovieVideoCompressionKeyFrameInterval", {}},
    {45, 35, INVOKE_PROPERTYPUT, L"MovieVideoCompressionKeyFrameInterval", L"property MovieVideoCompressionKeyFrameInterval", {}},
    {46, 36, INVOKE_PROPERTYGET, L"MovieVideoCompressionQuality", L"property MovieVideoCompressionQuality", {}},
    {47, 36, INVOKE_PROPERTYPUT, L"MovieVideoCompressionQuality", L"property MovieVideoCompressionQuality", {}},
    {48, 37, INVOKE_PROPERTYGET, L"MoviePlaybackFPS", L"property MoviePlaybackFPS", {}},
    {49, 37, INVOKE_PROPERTYPUT, L"MoviePlaybackFPS", L"property MoviePlaybackFPS", {}},
    {50, 38, INVOKE_PROPERTYGET, L"MovieAudioSamplesPerSecond", L"property MovieAudioSamplesPerSecond", {}},
    {51, 38, INVOKE_PROPERTYPUT, L"MovieAudioSamplesPerSecond", L"property MovieAudioSamplesPerSecond", {}},
    {52, 39, INVOKE_PROPERTYGET, L"MovieAudioChannels", L"property MovieAudioChannels", {}},
    {53, 39, INVOKE_PROPERTYPUT, L"MovieAudioChannels", L"property MovieAudioChannels", {}},
    {54, 40, INVOKE_PROPERTYGET, L"MovieAudioBitsPerSample", L"property MovieAudioBitsPerSample", {}},
    {55, 40, INVOKE_PROPERTYPUT, L"MovieAudioBitsPerSample", L"property MovieAudioBitsPerSample", {}},
    {56, 41, INVOKE_PROPERTYGET, L"MovieAudioCompressionFOURCC", L"property MovieAudioCompressionFOURCC", {}},
    {57, 41, INVOKE_PROPERTYPUT, L"MovieAudioCompressionFOURCC", L"property MovieAudioCompressionFOURCC", {}},
    {58, 42, INVOKE_PROPERTYGET, L"MovieAudioCompressionQuality", L"property MovieAudioCompressionQuality", {}},
    {59, 42, INVOKE_PROPERTYPUT, L"MovieAudioCompressionQuality", L"property MovieAudioCompressionQuality", {}},
    {60, 43, INVOKE_PROPERTYGET, L"MovieRecordAudio", L"property MovieRecordAudio", {}},
    {61, 43, INVOKE_PROPERTYPUT, L"MovieRecordAudio", L"property MovieRecordAudio", {}},
    {62, 44, INVOKE_PROPERTYGET, L"MovieRecordMode", L"property MovieRecordMode", {}},
    {63, 44, INVOKE_PROPERTYPUT, L"MovieRecordMode", L"property MovieRecordMode", {}},
    {64, 45, INVOKE_PROPERTYGET, L"MovieCreateFlags", L"property MovieCreateFlags", {}},
    {65, 45, INVOKE_PROPERTYPUT, L"MovieCreateFlags", L"property MovieCreateFlags", {}},
    {66, 46, INVOKE_PROPERTYGET, L"MovieRecordingActiveLocal", L"property MovieRecordingActiveLocal", {}},
    {67, 47, INVOKE_PROPERTYGET, L"MovieRecordingActiveGlobal", L"property MovieRecordingActiveGlobal", {}},
    {68, 48, INVOKE_PROPERTYGET, L"CameraState", L"property CameraState", {}},
    {69, 49, INVOKE_PROPERTYGET, L"EnableMovieRecordErrorPrompt", L"property EnableMovieRecordErrorPrompt", {}},
    {70, 49, INVOKE_PROPERTYPUT, L"EnableMovieRecordErrorPrompt", L"property EnableMovieRecordErrorPrompt", {}},
    {71, 50, INVOKE_PROPERTYGET, L"EnablePictureDiskErrorPrompt", L"property EnablePictureDiskErrorPrompt", {}},
    {72, 50, INVOKE_PROPERTYPUT, L"EnablePictureDiskErrorPrompt", L"property EnablePictureDiskErrorPrompt", {}},
    {73, 51, INVOKE_PROPERTYPUT, L"StatusBarText", L"property StatusBarText", {}},
    {74, 52, INVOKE_PROPERTYGET, L"PreviewMaxWidth", L"property PreviewMaxWidth", {}},
    {75, 52, INVOKE_PROPERTYPUT, L"PreviewMaxWidth", L"property PreviewMaxWidth", {}},
    {76, 53, INVOKE_PROPERTYGET, L"PreviewMaxHeight", L"property PreviewMaxHeight", {}},
    {77, 53, INVOKE_PROPERTYPUT, L"PreviewMaxHeight", L"property PreviewMaxHeight", {}},
    {78, 54, INVOKE_PROPERTYGET, L"VideoHookStateGlobal", L"property VideoHookStateGlobal", {}},
    {79, 55, INVOKE_PROPERTYGET, L"VideoHookStateLocal", L"property VideoHookStateLocal", {}},
};

class TypeLibraryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = portal_test::PortalLibraryPath();
    ASSERT_EQ(S_OK, ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib_.put()));
  }

  std::wstring Documentation(ITypeInfo* info, MEMBERID id, BSTR* helpOut = nullptr) {
    BSTR name = nullptr;
    BSTR help = nullptr;
    info->GetDocumentation(id, &name, &help, nullptr, nullptr);
    std::wstring result = name ? name : L"";
    if (helpOut) {
      *helpOut = help;
    } else {
      ::SysFreeString(help);
    }
    ::SysFreeString(name);
    return result;
  }

  std::wstring HelpString(ITypeInfo* info, MEMBERID id) {
    BSTR help = nullptr;
    Documentation(info, id, &help);
    std::wstring result = help ? help : L"";
    ::SysFreeString(help);
    return result;
  }

  ComPtr<ITypeLib> typeLib_;
};

TEST_F(TypeLibraryContract, LibraryIdentity) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(S_OK, typeLib_->GetLibAttr(&attr));
  wchar_t text[64] = {};
  ::StringFromGUID2(attr->guid, text, 64);
  EXPECT_STREQ(L"{259CCA62-0CAB-4088-AA39-D56984206CE9}", text);
  EXPECT_EQ(1, attr->wMajorVerNum);
  EXPECT_EQ(0, attr->wMinorVerNum);
  typeLib_->ReleaseTLibAttr(attr);
  BSTR name = nullptr;
  BSTR help = nullptr;
  ASSERT_EQ(S_OK, typeLib_->GetDocumentation(-1, &name, &help, nullptr, nullptr));
  EXPECT_STREQ(L"TovraLib", name);
  EXPECT_STREQ(L"Tovra 1.0 Type Library", help);
  ::SysFreeString(name);
  ::SysFreeString(help);
}

TEST_F(TypeLibraryContract, EveryMemberAtItsSlotWithItsDispidNamesAndHelp) {
  ComPtr<ITypeInfo> dispatchInfo;
  ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(IID_IVideoPortal, dispatchInfo.put()));
  EXPECT_EQ(L"IVideoPortal Interface", HelpString(dispatchInfo.get(), MEMBERID_NIL));
  // The dual interface's vtable description sits behind reference -1.
  HREFTYPE vtableRef = 0;
  ASSERT_EQ(S_OK, dispatchInfo->GetRefTypeOfImplType(-1, &vtableRef));
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, dispatchInfo->GetRefTypeInfo(vtableRef, info.put()));
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
  EXPECT_EQ(TKIND_INTERFACE, attr->typekind);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
  const UINT functionCount = attr->cFuncs;
  info->ReleaseTypeAttr(attr);
  ASSERT_EQ(std::size(kMembers), functionCount);

  for (UINT i = 0; i < functionCount; ++i) {
    FUNCDESC* func = nullptr;
    ASSERT_EQ(S_OK, info->GetFuncDesc(i, &func));
    const Member& expected = kMembers[i];
    SCOPED_TRACE(::testing::Message() << "slot " << expected.slot);
    EXPECT_EQ(expected.slot, func->oVft / static_cast<int>(sizeof(void*)));
    EXPECT_EQ(expected.dispid, func->memid);
    EXPECT_EQ(expected.kind, func->invkind);
    EXPECT_EQ(std::wstring(expected.name), Documentation(info.get(), func->memid));
    EXPECT_EQ(std::wstring(expected.help), HelpString(info.get(), func->memid));
    if (!expected.params.empty()) {
      BSTR names[16] = {};
      UINT count = 0;
      ASSERT_EQ(S_OK, info->GetNames(func->memid, names, 16, &count));
      ASSERT_EQ(expected.params.size() + 1, count);
      for (UINT n = 1; n < count; ++n) EXPECT_STREQ(expected.params[n - 1], names[n]);
      for (UINT n = 0; n < count; ++n) ::SysFreeString(names[n]);
      // The last parameter is the portal result, except for GetLastError.
      const PARAMDESC& last = func->lprgelemdescParam[func->cParams - 1].paramdesc;
      const bool isRetval = (last.wParamFlags & PARAMFLAG_FRETVAL) != 0;
      EXPECT_EQ(expected.dispid != 21, isRetval);
    }
    info->ReleaseFuncDesc(func);
  }
}

TEST_F(TypeLibraryContract, AddressParametersArePointerSized) {
  ComPtr<ITypeInfo> dispatchInfo;
  ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(IID_IVideoPortal, dispatchInfo.put()));
  HREFTYPE vtableRef = 0;
  ASSERT_EQ(S_OK, dispatchInfo->GetRefTypeOfImplType(-1, &vtableRef));
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, dispatchInfo->GetRefTypeInfo(vtableRef, info.put()));
  // PictureToMemory's lMemory (index 15), SendCommand's lParam/plParam2 and
  // Query's lParam/lParam2.
  struct Case {
    UINT function;
    int param;
  } cases[] = {{15, 2}, {27, 3}, {27, 5}, {28, 3}, {28, 5}};
  for (const Case& c : cases) {
    FUNCDESC* func = nullptr;
    ASSERT_EQ(S_OK, info->GetFuncDesc(c.function, &func));
    TYPEDESC type = func->lprgelemdescParam[c.param].tdesc;
    if (type.vt == VT_USERDEFINED) {  // the LONG_PTR alias
      ComPtr<ITypeInfo> alias;
      ASSERT_EQ(S_OK, info->GetRefTypeInfo(type.hreftype, alias.put()));
      TYPEATTR* attr = nullptr;
      ASSERT_EQ(S_OK, alias->GetTypeAttr(&attr));
      type = attr->tdescAlias;
      alias->ReleaseTypeAttr(attr);
    }
    EXPECT_EQ(sizeof(void*) == 8 ? VT_I8 : VT_I4, type.vt) << "function " << c.function;
    info->ReleaseFuncDesc(func);
  }
}

TEST_F(TypeLibraryContract, EventInterfacesCarryPortalNotification) {
  struct Source {
    const IID& iid;
    const wchar_t* help;
  } sources[] = {{DIID__IVideoPortalEvents, L"_IVideoPortalEvents Interface"},
                 {DIID_DIVideoPortalEvents, L"DIVideoPortalEvents Interface"}};
  for (const Source& source : sources) {
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(source.iid, info.put()));
    EXPECT_EQ(source.help, HelpString(info.get(), MEMBERID_NIL));
    BSTR names[8] = {};
    UINT count = 0;
    ASSERT_EQ(S_OK, info->GetNames(1, names, 8, &count));
    const wchar_t* expected[] = {L"PortalNotification", L"lMsg", L"lParam1", L"lParam2", L"lParam3"};
    ASSERT_EQ(5u, count);
    for (UINT n = 0; n < count; ++n) {
      EXPECT_STREQ(expected[n], names[n]);
      ::SysFreeString(names[n]);
    }
  }
}

TEST_F(TypeLibraryContract, CoclassNamesItsInterfacesWithTheirRoles) {
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(CLSID_VideoPortal, info.put()));
  EXPECT_EQ(L"Tessel VideoPortal Class", HelpString(info.get(), MEMBERID_NIL));
  EXPECT_EQ(L"VideoPortal", Documentation(info.get(), MEMBERID_NIL));
  struct Implemented {
    const IID& iid;
    int flags;
  } expected[] = {{IID_IVideoPortal, IMPLTYPEFLAG_FDEFAULT},
                  {DIID__IVideoPortalEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
                  {DIID_DIVideoPortalEvents, IMPLTYPEFLAG_FSOURCE}};
  for (UINT i = 0; i < std::size(expected); ++i) {
    INT flags = 0;
    ASSERT_EQ(S_OK, info->GetImplTypeFlags(i, &flags));
    EXPECT_EQ(expected[i].flags, flags);
    HREFTYPE ref = 0;
    ASSERT_EQ(S_OK, info->GetRefTypeOfImplType(i, &ref));
    ComPtr<ITypeInfo> implemented;
    ASSERT_EQ(S_OK, info->GetRefTypeInfo(ref, implemented.put()));
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(S_OK, implemented->GetTypeAttr(&attr));
    EXPECT_TRUE(IsEqualGUID(expected[i].iid, attr->guid)) << "implemented type " << i;
    implemented->ReleaseTypeAttr(attr);
  }
}

}  // namespace
