// Checked reading of the text stamp style record.
#include "media/TextStampStyle.h"

#include <cstring>

namespace media {

HRESULT ParseTextStampStyle(const void* bytes, std::size_t count, TextStampStyle* style) {
  if (bytes == nullptr || style == nullptr || count < sizeof(TextStampStyle)) return E_INVALIDARG;
  TextStampStyle read;
  std::memcpy(&read, bytes, sizeof read);
  if (read.size != sizeof(TextStampStyle)) return E_INVALIDARG;
  read.faceName[sizeof read.faceName - 1] = '\0';
  *style = read;
  return S_OK;
}

}  // namespace media
