// The bar's configurations, labels and indicator pictures.
#include "ui/bar/BarTables.h"

#include "resources/LTovra2/LTovra2Ids.h"
#include "ui/UiMessages.h"

namespace portal {

using controls::PaneRecord;

namespace {

constexpr UINT kCompanionCode = kMsgCompanionButton;
constexpr UINT kLevelCode = 1469;   // asks the owner for the level pane's width
constexpr UINT kSwitchCode = 1470;  // the switch pane reports nothing the control acts on

constexpr PaneRecord kStatus = {kPaneStatus, controls::kMainTextPane, 0, 0};
constexpr PaneRecord kCamera = {kPaneCameraButton, controls::kButtonPane, kMsgCameraButton, IDI_CAMERA};
constexpr PaneRecord kResolution = {kPaneResolutionButton, controls::kButtonPane, kMsgResolutionButton, 0};
constexpr PaneRecord kCompanion = {kPaneCompanion, controls::kHoldingPane6, kCompanionCode, IDI_COMPANION};

}  // namespace

BarState ChooseBarState(const BarChoice& choice) {
  if (choice.indicatorCamera) return kBarIndicators;
  const int base = choice.sizeFlagsOn >= 2 ? kBarFormat : kBarPlain;
  return static_cast<BarState>(base + (choice.companionWanted && choice.companionCamera ? 1 : 0));
}

std::vector<PaneRecord> BarPanes(BarState state, LONG previewWidth) {
  switch (state) {
    case kBarPlain: return {kStatus, kCamera};
    case kBarCompanion: return {kStatus, kCompanion, kCamera};
    case kBarFormat: return {kStatus, kResolution, kCamera};
    case kBarFormatCompanion: return {kStatus, kCompanion, kResolution, kCamera};
    case kBarIndicators:
      if (previewWidth <= kNarrowBarMaxWidth) {
        return {{kPaneMode, controls::kHoldingPane6, kMsgModePane, IDI_MODE_OFF},
                {kPaneValue, controls::kButtonPane, kMsgValuePane, 0},
                kResolution,
                kCamera};
      }
      return {{kPaneLevel, controls::kOwnerWidthPane, kLevelCode, IDI_LEVEL},
              {kPaneSwitch, controls::kTextPane, kSwitchCode, IDI_SWITCH_ON},
              {kPaneMode, controls::kHoldingPane6, kMsgModePane, IDI_MODE_OFF},
              {kPaneValue, controls::kButtonPane, kMsgValuePane, IDI_VALUE},
              kResolution,
              kCamera};
    default: return {};
  }
}

UINT ResolutionLabel(LONG width, bool stillCapable) {
  switch (width) {
    case 160: return IDS_LABEL_160;
    case 240: return IDS_LABEL_240;
    case 640: return IDS_LABEL_640;
    case 800: return IDS_LABEL_800;
    case 1024: return IDS_LABEL_1024;
    case 1280: return stillCapable ? IDS_STILL_1280 : IDS_LABEL_1280;
    case 1600: return IDS_LABEL_1600;
    default: return IDS_LABEL_320;
  }
}

LevelLook LevelLookOf(LONG level) {
  switch (level) {
    case 0: return {0, IDI_LEVEL_NONE, IDS_TIP_LEVEL_NONE};
    case 1: return {IDB_LEVEL_1, 0, IDS_TIP_LEVEL_1};
    case 2: return {IDB_LEVEL_2, 0, IDS_TIP_LEVEL_2};
    case 3: return {IDB_LEVEL_3, 0, IDS_TIP_LEVEL_3};
    default: return {IDB_LEVEL_HIGH, 0, IDS_TIP_LEVEL_HIGH};
  }
}

}  // namespace portal
