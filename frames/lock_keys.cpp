#include "frames/lock_keys.h"

// Qt's headers go first: the X11 headers define macros that clash with them.
#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace quorbex {

std::optional<LockKeys> ReadLockKeys() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return std::nullopt;
    }
    unsigned state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    // The core keyboard's first three indicators are Caps, Num and Scroll Lock.
    return LockKeys{(state & 0x1) != 0, (state & 0x2) != 0, (state & 0x4) != 0};
}

}  // namespace quorbex
