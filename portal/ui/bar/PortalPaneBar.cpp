// The bar's configuration, its panes' texts and enabling, the status pane
// and the clicks passed to the control.
#include "ui/bar/PortalPaneBar.h"

#include "engine/interface/EngineCommands.h"
#include "engine/interface/EngineMessages.h"
#include "resources/LTovra2/LTovra2Ids.h"
#include "server/ResourceModule.h"

namespace portal {

using namespace engine;

namespace {

constexpr size_t Flag(Resolution size) { return static_cast<size_t>(size); }

}  // namespace

PortalPaneBar::PortalPaneBar(const Parts& parts)
    : session_(parts.session),
      view_(parts.view),
      menus_(parts.menus),
      surface_(parts.surface),
      timer_(parts.timer),
      clock_(parts.clock ? parts.clock : [] { return ::GetTickCount(); }),
      strings_(parts.strings ? parts.strings : [](UINT id) { return LoadResourceString(id); }) {}

void PortalPaneBar::Create() {
  wanted_ = true;
  if (surface_.Exists()) return;
  state_ = kBarNone;  // built afresh whatever the last bar was
  Build();
}

void PortalPaneBar::Destroy() {
  wanted_ = false;
  surface_.Destroy();
  state_ = kBarNone;
  blinking_ = false;
}

void PortalPaneBar::WindowCreated() {
  if (wanted_) Create();
}

void PortalPaneBar::Rebuild() {
  if (surface_.Exists()) Build();
}

BarState PortalPaneBar::ChooseState() {
  const ConnectionState& flags = session_.State();
  BarChoice choice;
  CameraRecord camera;
  const bool described = session_.ReadCurrentCamera(&camera);
  choice.indicatorCamera = described && camera.type == kCameraTypeIndicators;
  choice.companionCamera = described && (camera.options & kCameraOptionCompanion) != 0;
  choice.companionWanted = flags.barOption;
  for (Resolution size : {Resolution::k640x480, Resolution::k320x240, Resolution::k160x120}) {
    if (flags.menuEnabled[Flag(size)]) ++choice.sizeFlagsOn;
  }
  return ChooseBarState(choice);
}

void PortalPaneBar::Build() {
  if (!wanted_ || !view_.Window() || !view_.PreviewArea()) return;
  const BarState state = ChooseState();
  if (surface_.Exists() && state == state_) return;
  blinking_ = false;
  if (!surface_.Build(BarPanes(state, session_.Preview().width))) {
    state_ = kBarNone;
    return;
  }
  if (state == kBarCompanion || state == kBarFormatCompanion) surface_.SetTooltip(kPaneCompanion, Text(IDS_COMPANION_TIP));
  if (state == kBarIndicators) {
    if (session_.Preview().width <= kNarrowBarMaxWidth) surface_.SetText(kPaneMode, std::wstring());
    surface_.SetTooltip(kPaneLevel, Text(IDS_TIP_LEVEL_NONE));
  }
  state_ = state;
  surface_.UseSkinSettingsIcon(kPaneCameraButton);
  surface_.SetTooltip(kPaneResolutionButton, Text(IDS_TIP_RESOLUTION));
  surface_.SetTooltip(kPaneCameraButton, Text(IDS_TIP_CAMERA));
  statusText_ = 0;
  Refresh();
  if (state == kBarIndicators) {
    switch_ = level_ = mode_ = value_ = Indicator();
    Indicators(true);
    surface_.Repaint();
  }
}

void PortalPaneBar::Refresh() {
  if (!surface_.Exists() || !view_.PreviewArea()) return;
  const bool connected = session_.IsCameraConnected();
  const bool global = connected && session_.RecordingAnywhereOnCurrentCamera();
  const bool local = global && recordingLocal_;
  LONG width = 320, height = 240, bitDepth = 0, fourCC = 0;
  session_.ReadFormat(&width, &height, &bitDepth, &fourCC);

  surface_.SetText(kPaneResolutionButton, Text(ResolutionLabel(width, session_.State().stillCapable)));
  if (local) {
    ShowStatus(IDS_STATUS_RECORDING, true);
  } else if (global) {
    ShowStatus(IDS_STATUS_RECORDING_ELSEWHERE, true);
  } else {
    ShowStatus(IDS_STATUS_READY, false);
  }
  const bool buttons = session_.State().allowFormatSequence && !global;
  surface_.Enable(kPaneResolutionButton, buttons && connected);
  surface_.Enable(kPaneCameraButton, buttons);
  if (state_ == kBarIndicators) surface_.Enable(kPaneMode, buttons);
  surface_.Repaint();
}

// A recording's text blinks and is also the tooltip; the ready text has no
// tooltip. The text is set again only when it changes, so that a client's
// text or an engine notice stays until the recording state changes.
void PortalPaneBar::ShowStatus(UINT text, bool blinking) {
  const bool keep = statusText_ == kOwnText && text == IDS_STATUS_READY && !blinking_;
  if (!keep && (statusText_ != text || blinking != blinking_)) {
    surface_.SetText(kPaneStatus, Text(text));
    surface_.SetTooltip(kPaneStatus, blinking ? Text(text) : std::wstring());
  }
  if (blinking && !blinking_) surface_.Blink(kPaneStatus, kBlinkPeriodMs);
  if (!blinking && blinking_) surface_.StopBlinking();
  if (!keep) statusText_ = text;
  blinking_ = blinking;
}

bool PortalPaneBar::SetStatusText(const std::wstring& text) {
  if (!view_.PreviewArea() || !surface_.Exists()) return false;
  surface_.SetText(kPaneStatus, text);
  surface_.SetTooltip(kPaneStatus, text);
  statusText_ = kOwnText;
  return true;
}

void PortalPaneBar::ShowMotionNotice(WPARAM kind) {
  if (!surface_.Exists()) return;
  const bool notice = kind == kMotionNoticeFirst;
  surface_.SetText(kPaneStatus, Text(notice ? IDS_STATUS_NOTICE : IDS_STATUS_READY));
  statusText_ = notice ? kOwnText : IDS_STATUS_READY;
}

void PortalPaneBar::ResetAfterCameraLoss() {
  if (!surface_.Exists()) return;
  surface_.StopBlinking();
  blinking_ = false;
  recordingLocal_ = false;
  ShowStatus(IDS_STATUS_READY, false);
  surface_.SetText(kPaneResolutionButton, Text(IDS_LABEL_320));
  surface_.Enable(kPaneResolutionButton, false);
  surface_.Repaint();
}

// The engine is busy: nothing blinks and the format cannot change until
// it reports the busy condition over.
void PortalPaneBar::ShowPaused(bool paused) {
  if (!paused) return Refresh();
  if (!surface_.Exists()) return;
  surface_.StopBlinking();
  blinking_ = false;
  surface_.Enable(kPaneResolutionButton, false);
  surface_.Repaint();
}

void PortalPaneBar::ShowRecording(bool recording) {
  recordingLocal_ = recording;
  Refresh();
}

void PortalPaneBar::ShowRecordingEnded() {
  recordingLocal_ = false;
  if (!surface_.Exists()) return;
  if (blinking_) surface_.StopBlinking();
  blinking_ = false;
  surface_.SetText(kPaneStatus, Text(IDS_STATUS_READY));
  surface_.SetTooltip(kPaneStatus, std::wstring());
  statusText_ = IDS_STATUS_READY;
}

void PortalPaneBar::EnablePane(UINT pane, bool enable) {
  if (surface_.Exists()) surface_.Enable(static_cast<LONG>(pane), enable);
}

bool PortalPaneBar::PaneScreenRect(UINT pane, RECT* rect) const {
  return surface_.Exists() && surface_.PaneScreenRect(static_cast<LONG>(pane), rect);
}

void PortalPaneBar::OnPaneMouse(const controls::PaneRecord& pane, UINT message, const RECT& screenRect) {
  if (pane.code == 0) return;
  const DWORD now = clock_();
  const auto key = std::make_pair(pane.id, message);
  const auto last = lastSent_.find(key);
  if (last != lastSent_.end() && now - last->second < kPaneRepeatWindowMs) {
    lastSent_.erase(last);  // dropped once; the next one passes
    return;
  }
  lastSent_[key] = now;
  clickRect_ = screenRect;
  view_.PostToSelf(static_cast<UINT>(pane.code), message, reinterpret_cast<LPARAM>(&clickRect_));
}

}  // namespace portal
