#include "ui/caps_lock.h"

// Qt before X11: X11's macros (None, Bool, Status, KeyPress) break Qt's headers.
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef ORVANE_HAVE_XKB
#include <X11/XKBlib.h>
#endif

namespace orvane::ui {

std::optional<bool> CapsLockState() {
#ifdef ORVANE_HAVE_XKB
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
    if (Display* display = x11->display()) {
      XkbStateRec state;
      if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) {
        return (state.locked_mods & LockMask) != 0;
      }
    }
  }
#endif
  return std::nullopt;
}

}  // namespace orvane::ui
