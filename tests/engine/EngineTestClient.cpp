// A client process for the lifetime tests: creates an engine object, gives
// it a notification window, connects a camera with the preview on, signals
// the event named on its command line, and then just runs until it is
// killed (or a minute has passed).
#include <windows.h>

#include <objbase.h>

#include "EngineClient.h"
#include "common/ComInit.h"

int main(int argc, char** argv) {
  const common::ComInit com(COINIT_APARTMENTTHREADED);
  if (argc < 2 || !com.MustUninitialize()) return 2;
  {
    engine_test::EngineClient client;
    if (FAILED(client.Create())) return 3;
    engine_test::MessageSink sink;
    const long window = static_cast<long>(engine::WindowToRecord(sink.Window()));
    client.ExecLong(engine::kCmdNotifyWindow, 0, window);
    client.Connect(0);
    const engine::PreviewRecord preview{32, 0, static_cast<std::uint32_t>(window), 0, 0, 320, 240, 1};
    client.ExecRecord(engine::kCmdPreview, 0, preview);
    common::UniqueKernelHandle ready(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]));
    if (ready) ::SetEvent(ready.get());
    sink.Pump(60000);
  }
  return 0;
}
