// Scoped holders for the GDI objects and device contexts of paint code: whatever a scope
// takes from GDI it gives back when it ends, on every path. Win32 only.
#pragma once

#include <windows.h>

namespace tabvane {

// A window's painting between BeginPaint and EndPaint.
class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// The device context of a window's client area outside painting (GetDC / ReleaseDC).
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory device context compatible with another (CreateCompatibleDC / DeleteDC).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A GDI object the scope made (a bitmap, a font), deleted when it ends.
template <typename Object>
class OwnedObject {
 public:
  explicit OwnedObject(Object object) : object_(object) {}
  ~OwnedObject() {
    if (object_ != nullptr) DeleteObject(object_);
  }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;
  Object Get() const { return object_; }

 private:
  Object object_;
};

// An object selected into a device context; the one it replaced goes back when the scope ends,
// before the object itself may be deleted.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);  // no regions: failure is nullptr
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tabvane
