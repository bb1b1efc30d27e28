// The bar's window for tests of its logic: every request is one line of
// text ("Build 116 113 115", "Text 113 #110", "Enable 115 off", "Blink 116
// 500"); panes of the last build are remembered so that requests for panes
// the bar lacks are dropped as the real bar drops them. Strings(id) gives
// "#<id>", the stand-in resource text the lines show.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/Strings.h"
#include "ui/bar/BarSurface.h"

namespace testing_support {

class FakeBarSurface final : public portal::BarSurface {
 public:
  static std::wstring Strings(UINT id) { return L"#" + std::to_wstring(id); }
  static constexpr RECT kPaneArea = {10, 300, 70, 320};

  bool Exists() const override { return built_; }
  bool Build(const std::vector<portal::controls::PaneRecord>& panes) override {
    std::string line = "Build";
    panes_.clear();
    for (const auto& pane : panes) {
      line += " " + std::to_string(pane.id);
      panes_.push_back(pane.id);
    }
    actions.push_back(line);
    built_ = !failBuild;
    return built_;
  }
  void Destroy() override {
    if (built_) actions.push_back("Destroy");
    built_ = false;
  }
  void SetText(LONG pane, const std::wstring& text) override { Pane("Text", pane, common::WideToAnsi(text)); }
  void SetTooltip(LONG pane, const std::wstring& text) override { Pane("Tip", pane, common::WideToAnsi(text)); }
  void SetIcon(LONG pane, UINT id) override { Pane("Icon", pane, std::to_string(id)); }
  void SetPicture(LONG pane, UINT id) override { Pane("Picture", pane, std::to_string(id)); }
  void UseSkinSettingsIcon(LONG pane) override { Pane("SkinIcon", pane, ""); }
  void Enable(LONG pane, bool on) override { Pane("Enable", pane, on ? "on" : "off"); }
  void Blink(LONG pane, UINT periodMs) override { Pane("Blink", pane, std::to_string(periodMs)); }
  void StopBlinking() override { actions.push_back("StopBlinking"); }
  void Repaint() override { actions.push_back("Repaint"); }
  bool PaneScreenRect(LONG pane, RECT* rect) const override {
    if (!Has(pane)) return false;
    *rect = kPaneArea;
    return true;
  }

  // The lines without repaints, for tables that do not care about them.
  std::vector<std::string> Changes() const {
    std::vector<std::string> changes;
    std::copy_if(actions.begin(), actions.end(), std::back_inserter(changes),
                 [](const std::string& line) { return line != "Repaint"; });
    return changes;
  }

  std::vector<std::string> actions;
  bool failBuild = false;

 private:
  bool Has(LONG pane) const { return built_ && std::count(panes_.begin(), panes_.end(), pane) > 0; }
  void Pane(const char* what, LONG pane, const std::string& value) {
    if (!Has(pane)) return;
    actions.push_back(std::string(what) + " " + std::to_string(pane) + (value.empty() ? "" : " " + value));
  }

  bool built_ = false;
  std::vector<LONG> panes_;
};

}  // namespace testing_support
