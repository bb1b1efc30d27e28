// The timed sequence's "&Start" checks without the dialog: the fields as
// typed, checked in their order with their messages (and the speed
// question for an interval below 5 seconds), then the plan of the
// sequence: its kind, start and stop instants, interval and total.
#pragma once

#include <optional>
#include <string>

#include "Global.h"
#include "Prompter.h"

namespace torvane {

struct TimedSnapsEntry {
  std::wstring interval;    // txtCaptureFreq
  std::wstring hours[2];    // cboHours(0) start, cboHours(1) stop
  std::wstring minutes[2];  // cboMins(0), cboMins(1)
  bool startOnClick = false;
  std::wstring totalPictures;  // txtTotalPics
  std::wstring prefix;         // txtFileID
  bool bmp = true;             // optBMP, else optJPG
  std::wstring storeFolder;    // StoreFolder as the folder list set it
};

// The field that gets the focus after a refused entry.
enum class TimedSnapsField { kInterval, kStartHour, kStartMinute, kStopHour, kStopMinute, kTotal, kDrive };

// Kinds: 1 start time to stop time, 2 now to stop time, 3 start time and P
// pictures, 4 now and P pictures.
struct TimedSnapsPlan {
  short kind = 0;
  std::optional<LocalSeconds> start;  // MotionStart: the start instant
  std::optional<LocalSeconds> stop;
  short interval = 0;                 // FrameInterval
  long total = 0;                     // TotalPictures
  std::wstring pictureExt;
  std::wstring prefix;
};

struct TimedSnapsOutcome {
  std::optional<TimedSnapsPlan> plan;      // set when every check passed
  std::optional<TimedSnapsField> focus;    // where the refusal puts the focus
};

// Shows each refusal through the prompter. An interval or a total that does
// not fit its field raises error 6 (overflow).
TimedSnapsOutcome CheckTimedSnaps(const TimedSnapsEntry& entry, LocalSeconds now, Prompter& prompter);

// The pictures a plan takes: the whole seconds between its instants (kind 1
// start to stop, kind 2 now to stop) divided by the interval, rounded with
// halves to even, or the number given (kinds 3 and 4).
long CalculateTotalPics(short kind, std::optional<LocalSeconds> start, std::optional<LocalSeconds> stop,
                        LocalSeconds now, double interval, const std::wstring& totalPictures);

}  // namespace torvane
