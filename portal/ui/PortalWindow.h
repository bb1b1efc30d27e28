// The control's own child window: the preview area and the notification
// window the camera engine posts its reports to. Messages are handed to an
// owner so that the control object decides what they mean.
#pragma once

#include <windows.h>

namespace portal {

class PortalWindow {
 public:
  class Owner {
   public:
    virtual void OnPaint(HDC dc, const RECT& client) = 0;
    // Any message the window does not handle itself; return true when
    // handled, with *result set.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
    // The window is being destroyed (WM_DESTROY).
    virtual void OnDestroy() = 0;

   protected:
    ~Owner() = default;
  };

  // Marker the window keeps in its user data word.
  static constexpr LONG_PTR kUserData = 667;

  explicit PortalWindow(Owner& owner) : owner_(owner) {}
  PortalWindow(const PortalWindow&) = delete;
  PortalWindow& operator=(const PortalWindow&) = delete;
  ~PortalWindow();

  // Creates the child window under parent at (x, y), sized width x height.
  bool Create(HWND parent, int x, int y, int width, int height);
  void Destroy();
  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  Owner& owner_;
  HWND hwnd_ = nullptr;
};

}  // namespace portal
