// The control's published contract as a late-bound client sees it: the
// embedded type library must describe every IVideoPortal member at its
// vtable slot with its DISPID, parameter names and help string, the two
// event interfaces and the coclass with their identities.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "PortalContract.h"
#include "PortalLibrary.h"
#include "Tovra2.h"
#include "common/ComPtr.h"
#include "common/Module.h"
#include "common/UniqueBstr.h"

using common::ComPtr;

namespace {

namespace dispid = tovra2::dispid;

// The type library's view of each member; its name is the contract
// header's name for the DISPID.
struct Member {
  int slot;
  DISPID dispid;
  INVOKEKIND kind;
  const wchar_t* help;
  std::vector<const wchar_t*> params;  // checked when not empty
};

// Names of a member: the member itself first, then its parameters.
std::vector<std::wstring> Names(ITypeInfo* info, MEMBERID id) {
  BSTR names[16] = {};
  UINT count = 0;
  EXPECT_EQ(S_OK, info->GetNames(id, names, 16, &count));
  std::vector<std::wstring> result;
  for (UINT n = 0; n < count; ++n) result.push_back(common::UniqueBstr::Attach(names[n]).str());
  return result;
}

const Member kMembers[] = {
    {7, dispid::kPrepareControl, INVOKE_FUNC, L"method PrepareControl", {L"strUniqueName", L"strRegistryKey", L"lFlags", L"plResult"}},
    {8, dispid::kGetCameraCount, INVOKE_FUNC, L"method GetCameraCount", {L"plCount", L"plResult"}},
    {9, dispid::kGetCameraDescription, INVOKE_FUNC, L"method GetCameraDescription", {L"lIndex", L"strDescription", L"plResult"}},
    {10, dispid::kGetCameraType, INVOKE_FUNC, L"method GetCameraType", {L"lIndex", L"lCameraType", L"plResult"}},
    {11, dispid::kQueryCameraConnected, INVOKE_FUNC, L"method QueryCameraConnected", {L"lIndex", L"bConnected", L"plResult"}},
    {12, dispid::kQueryRegistryCameraIndex, INVOKE_FUNC, L"method QueryRegistryCameraIndex", {L"lIndex", L"plResult"}},
    {13, dispid::kGetCameraState, INVOKE_FUNC, L"method GetCameraState", {L"lIndex", L"plCameraState", L"plResult"}},
    {14, dispid::kConnectCamera, INVOKE_FUNC, L"method ConnectCamera", {L"lIndex", L"plResult"}},
    {15, dispid::kConnectCamera2, INVOKE_FUNC, L"method ConnectCamera2", {L"plResult"}},
    {16, dispid::kDisconnectCamera, INVOKE_FUNC, L"method DisconnectCamera", {L"plResult"}},
    {17, dispid::kLoadRegistrySettings, INVOKE_FUNC, L"method LoadRegistrySettings", {L"strRegistryKey", L"plResult"}},
    {18, dispid::kSaveRegistrySettings, INVOKE_FUNC, L"method SaveRegistrySettings", {L"strRegistryKey", L"plResult"}},
    {19, dispid::kSetCameraPropertyLong, INVOKE_FUNC, L"method SetCameraPropertyLong", {L"lProperty", L"lPropertyValue", L"plResult"}},
    {20, dispid::kGetCameraPropertyLong, INVOKE_FUNC, L"method GetCameraPropertyLong", {L"lProperty", L"plPropertyValue", L"plResult"}},
    {21, dispid::kPictureToFile, INVOKE_FUNC, L"method PictureToFile", {L"lFormatFourCC", L"lBitDepth", L"strFileName", L"strTextStamp", L"plResult"}},
    {22, dispid::kPictureToMemory, INVOKE_FUNC, L"method PictureToMemory", {L"lFormatFourCC", L"lBitDepth", L"lMemory", L"plMemorySize", L"strTextStamp", L"plResult"}},
    {23, dispid::kStartMovieRecording, INVOKE_FUNC, L"method StartMovieRecording", {L"strFileName", L"strTextStamp", L"plResult"}},
    {24, dispid::kStopMovieRecording, INVOKE_FUNC, L"method StopMovieRecording", {L"plResult"}},
    {25, dispid::kStepCaptureAddFrame, INVOKE_FUNC, L"method StepCaptureAddFrame", {L"plResult"}},
    {26, dispid::kMovieRecordWriteSingleFrame, INVOKE_FUNC, L"method MovieRecordWriteSingleFrame", {L"strFileName", L"strTextStamp", L"plResult"}},
    {27, dispid::kGetLastError, INVOKE_FUNC, L"method GetLastError", {L"plError"}},
    {28, dispid::kSetVideoFormat, INVOKE_FUNC, L"method SetVideoFormat", {L"lWidth", L"lHeight", L"lBitDepth", L"lFormatFourCC", L"plResult"}},
    {29, dispid::kGetVideoFormat, INVOKE_FUNC, L"method GetVideoFormat", {L"plWidth", L"plHeight", L"plBitDepth", L"lFormatFourCC", L"plResult"}},
    {30, dispid::kShowCameraDlg, INVOKE_FUNC, L"method ShowCameraDlg", {L"lCameraDlg", L"plResult"}},
    {31, dispid::kEnableUIElements, INVOKE_FUNC, L"method EnableUIElements", {L"lElement", L"lFlags", L"lEnable", L"plResult"}},
    {32, dispid::kStartVideoHook, INVOKE_FUNC, L"method StartVideoHook", {L"lFlag", L"plResult"}},
    {33, dispid::kStopVideoHook, INVOKE_FUNC, L"method StopVideoHook", {L"lFlag", L"plResult"}},
    {34, dispid::kSendCommand, INVOKE_FUNC, L"method SendCommand", {L"lCommand", L"lSubCommand", L"lFlags", L"lParam", L"lParamSize", L"plParam2", L"lParamSize2", L"plResult"}},
    {35, dispid::kQuery, INVOKE_FUNC, L"method Query", {L"lCommand", L"lSubCommand", L"lFlags", L"lParam", L"lParamSize", L"lParam2", L"lParamSize2", L"plResult"}},
    {36, dispid::kCameraConnected, INVOKE_PROPERTYGET, L"property CameraConnected", {}},
    {37, dispid::kCameraIndex, INVOKE_PROPERTYGET, L"property CameraIndex", {}},
    {38, dispid::kPictureSound, INVOKE_PROPERTYGET, L"property PictureSound", {}},
    {39, dispid::kPictureSound, INVOKE_PROPERTYPUT, L"property PictureSound", {}},
    {40, dispid::kEnablePreview, INVOKE_PROPERTYGET, L"property EnablePreview", {}},
    {41, dispid::kEnablePreview, INVOKE_PROPERTYPUT, L"property EnablePreview", {}},
    {42, dispid::kMovieVideoCompressionFOURCC, INVOKE_PROPERTYGET, L"property MovieVideoCompressionFOURCC", {}},
    {43, dispid::kMovieVideoCompressionFOURCC, INVOKE_PROPERTYPUT, L"property MovieVideoCompressionFOURCC", {}},
    {44, dispid::kMovieVideoCompressionKeyFrameInterval, INVOKE_PROPERTYGET, L"property MovieVideoCompressionKeyFrameInterval", {}},
    {45, dispid::kMovieVideoCompressionKeyFrameInterval, INVOKE_PROPERTYPUT, L"property MovieVideoCompressionKeyFrameInterval", {}},
    {46, dispid::kMovieVideoCompressionQuality, INVOKE_PROPERTYGET, L"property MovieVideoCompressionQuality", {}},
    {47, dispid::kMovieVideoCompressionQuality, INVOKE_PROPERTYPUT, L"property MovieVideoCompressionQuality", {}},
    {48, dispid::kMoviePlaybackFPS, INVOKE_PROPERTYGET, L"property MoviePlaybackFPS", {}},
    {49, dispid::kMoviePlaybackFPS, INVOKE_PROPERTYPUT, L"property MoviePlaybackFPS", {}},
    {50, dispid::kMovieAudioSamplesPerSecond, INVOKE_PROPERTYGET, L"property MovieAudioSamplesPerSecond", {}},
    {51, dispid::kMovieAudioSamplesPerSecond, INVOKE_PROPERTYPUT, L"property MovieAudioSamplesPerSecond", {}},
    {52, dispid::kMovieAudioChannels, INVOKE_PROPERTYGET, L"property MovieAudioChannels", {}},
    {53, dispid::kMovieAudioChannels, INVOKE_PROPERTYPUT, L"property MovieAudioChannels", {}},
    {54, dispid::kMovieAudioBitsPerSample, INVOKE_PROPERTYGET, L"property MovieAudioBitsPerSample", {}},
    {55, dispid::kMovieAudioBitsPerSample, INVOKE_PROPERTYPUT, L"property MovieAudioBitsPerSample", {}},
    {56, dispid::kMovieAudioCompressionFOURCC, INVOKE_PROPERTYGET, L"property MovieAudioCompressionFOURCC", {}},
    {57, dispid::kMovieAudioCompressionFOURCC, INVOKE_PROPERTYPUT, L"property MovieAudioCompressionFOURCC", {}},
    {58, dispid::kMovieAudioCompressionQuality, INVOKE_PROPERTYGET, L"property MovieAudioCompressionQuality", {}},
    {59, dispid::kMovieAudioCompressionQuality, INVOKE_PROPERTYPUT, L"property MovieAudioCompressionQuality", {}},
    {60, dispid::kMovieRecordAudio, INVOKE_PROPERTYGET, L"property MovieRecordAudio", {}},
    {61, dispid::kMovieRecordAudio, INVOKE_PROPERTYPUT, L"property MovieRecordAudio", {}},
    {62, dispid::kMovieRecordMode, INVOKE_PROPERTYGET, L"property MovieRecordMode", {}},
    {63, dispid::kMovieRecordMode, INVOKE_PROPERTYPUT, L"property MovieRecordMode", {}},
    {64, dispid::kMovieCreateFlags, INVOKE_PROPERTYGET, L"property MovieCreateFlags", {}},
    {65, dispid::kMovieCreateFlags, INVOKE_PROPERTYPUT, L"property MovieCreateFlags", {}},
    {66, dispid::kMovieRecordingActiveLocal, INVOKE_PROPERTYGET, L"property MovieRecordingActiveLocal", {}},
    {67, dispid::kMovieRecordingActiveGlobal, INVOKE_PROPERTYGET, L"property MovieRecordingActiveGlobal", {}},
    {68, dispid::kCameraState, INVOKE_PROPERTYGET, L"property CameraState", {}},
    {69, dispid::kEnableMovieRecordErrorPrompt, INVOKE_PROPERTYGET, L"property EnableMovieRecordErrorPrompt", {}},
    {70, dispid::kEnableMovieRecordErrorPrompt, INVOKE_PROPERTYPUT, L"property EnableMovieRecordErrorPrompt", {}},
    {71, dispid::kEnablePictureDiskErrorPrompt, INVOKE_PROPERTYGET, L"property EnablePictureDiskErrorPrompt", {}},
    {72, dispid::kEnablePictureDiskErrorPrompt, INVOKE_PROPERTYPUT, L"property EnablePictureDiskErrorPrompt", {}},
    {73, dispid::kStatusBarText, INVOKE_PROPERTYPUT, L"property StatusBarText", {}},
    {74, dispid::kPreviewMaxWidth, INVOKE_PROPERTYGET, L"property PreviewMaxWidth", {}},
    {75, dispid::kPreviewMaxWidth, INVOKE_PROPERTYPUT, L"property PreviewMaxWidth", {}},
    {76, dispid::kPreviewMaxHeight, INVOKE_PROPERTYGET, L"property PreviewMaxHeight", {}},
    {77, dispid::kPreviewMaxHeight, INVOKE_PROPERTYPUT, L"property PreviewMaxHeight", {}},
    {78, dispid::kVideoHookStateGlobal, INVOKE_PROPERTYGET, L"property VideoHookStateGlobal", {}},
    {79, dispid::kVideoHookStateLocal, INVOKE_PROPERTYGET, L"property VideoHookStateLocal", {}},
};

class TypeLibraryContract : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring path = portal_test::PortalLibraryPath();
    ASSERT_EQ(S_OK, ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib_.put()));
  }

  std::wstring Documentation(ITypeInfo* info, MEMBERID id) {
    common::UniqueBstr name;
    info->GetDocumentation(id, name.put(), nullptr, nullptr, nullptr);
    return name.str();
  }

  std::wstring HelpString(ITypeInfo* info, MEMBERID id) {
    common::UniqueBstr help;
    info->GetDocumentation(id, nullptr, help.put(), nullptr, nullptr);
    return help.str();
  }

  // The vtable description of the dual interface.
  void VtableInfo(ComPtr<ITypeInfo>* info) {
    ComPtr<ITypeInfo> dispatchInfo;
    ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(IID_IVideoPortal, dispatchInfo.put()));
    // The dual interface's vtable description sits behind reference -1.
    HREFTYPE vtableRef = 0;
    ASSERT_EQ(S_OK, dispatchInfo->GetRefTypeOfImplType(-1, &vtableRef));
    ASSERT_EQ(S_OK, dispatchInfo->GetRefTypeInfo(vtableRef, info->put()));
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
  common::UniqueBstr name;
  common::UniqueBstr help;
  ASSERT_EQ(S_OK, typeLib_->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr));
  EXPECT_EQ(L"TovraLib", name.str());
  EXPECT_EQ(L"Tovra 1.0 Type Library", help.str());
}

TEST_F(TypeLibraryContract, EveryMemberAtItsSlotWithItsDispidNamesAndHelp) {
  ComPtr<ITypeInfo> dispatchInfo;
  ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(IID_IVideoPortal, dispatchInfo.put()));
  EXPECT_EQ(L"IVideoPortal Interface", HelpString(dispatchInfo.get(), MEMBERID_NIL));
  ComPtr<ITypeInfo> info;
  ASSERT_NO_FATAL_FAILURE(VtableInfo(&info));
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
    const wchar_t* name = tovra2::MemberNameOf(expected.dispid);
    ASSERT_NE(nullptr, name);
    EXPECT_EQ(std::wstring(name), Documentation(info.get(), func->memid));
    EXPECT_EQ(std::wstring(expected.help), HelpString(info.get(), func->memid));
    if (!expected.params.empty()) {
      const std::vector<std::wstring> names = Names(info.get(), func->memid);
      ASSERT_EQ(expected.params.size() + 1, names.size());
      for (size_t n = 1; n < names.size(); ++n) EXPECT_EQ(expected.params[n - 1], names[n]);
      // The last parameter is the portal result, except for GetLastError.
      const PARAMDESC& last = func->lprgelemdescParam[func->cParams - 1].paramdesc;
      const bool isRetval = (last.wParamFlags & PARAMFLAG_FRETVAL) != 0;
      EXPECT_EQ(expected.dispid != dispid::kGetLastError, isRetval);
    }
    info->ReleaseFuncDesc(func);
  }
}

// Every DISPID of the contract header is the type library's DISPID of its
// member, and the header names every member the type library describes.
TEST_F(TypeLibraryContract, ContractHeaderAgreesWithTheTypeLibrary) {
  ComPtr<ITypeInfo> info;
  ASSERT_NO_FATAL_FAILURE(VtableInfo(&info));
  for (const tovra2::MemberName& member : tovra2::kMembers) {
    LPOLESTR name = const_cast<LPOLESTR>(member.name);
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(S_OK, info->GetIDsOfNames(&name, 1, &id)) << member.name;
    EXPECT_EQ(id, member.id) << member.name;
  }
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(S_OK, info->GetTypeAttr(&attr));
  const UINT functionCount = attr->cFuncs;
  info->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < functionCount; ++i) {
    FUNCDESC* func = nullptr;
    ASSERT_EQ(S_OK, info->GetFuncDesc(i, &func));
    const std::wstring name = Documentation(info.get(), func->memid);
    const wchar_t* inHeader = tovra2::MemberNameOf(func->memid);
    EXPECT_TRUE(inHeader && name == inHeader) << "function " << i << " is missing from the contract header";
    info->ReleaseFuncDesc(func);
  }
  // Both event interfaces carry their one member under the header's DISPID.
  for (const IID* iid : {&DIID__IVideoPortalEvents, &DIID_DIVideoPortalEvents}) {
    ComPtr<ITypeInfo> events;
    ASSERT_EQ(S_OK, typeLib_->GetTypeInfoOfGuid(*iid, events.put()));
    LPOLESTR name = const_cast<LPOLESTR>(L"PortalNotification");
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(S_OK, events->GetIDsOfNames(&name, 1, &id));
    EXPECT_EQ(dispid::kPortalNotification, id);
  }
}

TEST_F(TypeLibraryContract, AddressParametersArePointerSized) {
  ComPtr<ITypeInfo> info;
  ASSERT_NO_FATAL_FAILURE(VtableInfo(&info));
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
    const std::vector<std::wstring> expected = {L"PortalNotification", L"lMsg", L"lParam1", L"lParam2", L"lParam3"};
    EXPECT_EQ(expected, Names(info.get(), dispid::kPortalNotification));
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
