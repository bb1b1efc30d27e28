// The engine watch: failed calls checked on the window's thread, the
// engine's process waited for on the thread pool.
#include "core/session/EngineWatch.h"

namespace portal {
namespace {

// Hands every call to the engine's link and its result to the watch.
class WatchedLink final : public EngineLink {
 public:
  WatchedLink(std::unique_ptr<EngineLink> link, EngineWatch& watch) : link_(std::move(link)), watch_(watch) {}

  HRESULT Execute(LONG command, LONG subCode, const void* input, LONG inputSize, void* second,
                  LONG secondSize) override {
    return Checked(link_->Execute(command, subCode, input, inputSize, second, secondSize));
  }
  HRESULT Inquire(LONG command, LONG subCode, const void* input, LONG inputSize, void* output,
                  LONG outputSize) override {
    return Checked(link_->Inquire(command, subCode, input, inputSize, output, outputSize));
  }

 private:
  HRESULT Checked(HRESULT hr) {
    watch_.CheckResult(hr);
    return hr;
  }

  std::unique_ptr<EngineLink> link_;
  EngineWatch& watch_;
};

}  // namespace

std::unique_ptr<EngineLink> EngineWatch::Watch(std::unique_ptr<EngineLink> link) {
  return std::make_unique<WatchedLink>(std::move(link), *this);
}

bool EngineWatch::Start(DWORD processId, HWND window) {
  Stop();
  window_ = window;
  noticed_ = false;
  if (!window) return false;
  process_.reset(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process_) return false;
  if (!::RegisterWaitForSingleObject(wait_.put(), process_.get(), &EngineWatch::OnProcessEnded, this, INFINITE,
                                     WT_EXECUTEONLYONCE)) {
    wait_.release();  // nothing was registered
    return false;
  }
  return true;
}

void EngineWatch::Stop() {
  noticed_ = true;
  wait_.reset();
  process_.reset();
}

void EngineWatch::CheckResult(HRESULT hr) {
  if (IsEngineGone(hr) && FirstNotice()) view_.PostToSelf(kMsgEngineGone, 0, 0);
}

VOID CALLBACK EngineWatch::OnProcessEnded(PVOID context, BOOLEAN) {
  auto* watch = static_cast<EngineWatch*>(context);
  if (watch->FirstNotice()) ::PostMessageW(watch->window_, kMsgEngineGone, 0, 0);
}

}  // namespace portal
