// Test doubles of the control and the main window.
#include "FakePortal.h"

#include <cstring>

#include "FlowTestSupport.h"
#include "PictureFile.h"

namespace flow_tests {

namespace {

constexpr DISPID kPictureToFile = 15;

template <typename T>
void Put(std::string& bytes, std::size_t at, T value) {
  std::memcpy(&bytes[at], &value, sizeof(value));
}

bool IsJpeg(const std::string& bytes) {
  return bytes.size() > 4 && bytes.compare(0, 2, "\xFF\xD8") == 0 && bytes.compare(bytes.size() - 2, 2, "\xFF\xD9") == 0;
}

}  // namespace

std::string BitmapFileBytes(int width, int height, int seed) {
  const int stride = (width * 3 + 3) & ~3;
  std::string bytes(54 + static_cast<std::size_t>(stride) * height, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put<DWORD>(bytes, 2, static_cast<DWORD>(bytes.size()));
  Put<DWORD>(bytes, 10, 54);
  Put<DWORD>(bytes, 14, 40);
  Put<LONG>(bytes, 18, width);
  Put<LONG>(bytes, 22, height);
  Put<WORD>(bytes, 26, 1);
  Put<WORD>(bytes, 28, 24);
  Put<DWORD>(bytes, 34, static_cast<DWORD>(stride * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      char* pixel = &bytes[54 + static_cast<std::size_t>(y) * stride + x * 3];
      pixel[0] = static_cast<char>(x * 4 + seed * 40);
      pixel[1] = static_cast<char>(y * 5);
      pixel[2] = static_cast<char>((x + y) * 2 + seed * 90);
    }
  }
  return bytes;
}

HRESULT FakePortal::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT FakePortal::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT FakePortal::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                           UINT*) {
  if (id != kPictureToFile || !(flags & DISPATCH_METHOD) || params->cArgs != 4) return DISP_E_MEMBERNOTFOUND;
  // Arguments arrive reversed: text stamp, file name, bit depth, format.
  const VARIANT& name = params->rgvarg[1];
  if (V_VT(&name) != VT_BSTR || V_I4(&params->rgvarg[2]) != 24 || V_I4(&params->rgvarg[3]) != 0) {
    return DISP_E_TYPEMISMATCH;
  }
  requests.push_back(V_BSTR(&name));
  if (mode == Mode::kFailsCall) return RPC_E_DISCONNECTED;
  LONG code = 1;
  if (mode == Mode::kRefuses) {
    code = 0;
  } else {
    const std::string bytes = mode == Mode::kWritesGarbage
                                  ? std::string("not a picture")
                                  : BitmapFileBytes(width, height, static_cast<int>(requests.size()));
    WriteFileBytes(requests.back(), bytes);
    written.push_back(bytes);
  }
  if (result) {
    V_VT(result) = VT_I4;
    V_I4(result) = code;
  }
  return code == 1 ? S_OK : S_FALSE;
}

void RecordingWindow::ClearImageView() {
  ++cleared;
  imageVisible = labelVisible = fileNameVisible = false;
}

bool RecordingWindow::LoadSnapshot(const std::wstring& path) {
  // Loadable as the real view would: a bitmap through the picture loader,
  // or a complete JPEG stream.
  if (!LoadBitmapPicture(path) && !IsJpeg(ReadFileBytes(path))) return false;
  loaded.push_back(path);
  return true;
}

void RecordingWindow::SetStatusText(int panel, const std::wstring& text) {
  status[panel] = text;
  if (panel == 2) statusHistory.push_back(text);
}

}  // namespace flow_tests
