#pragma once

#include <exception>

#include "platform/Dialogs.h"
#include "platform/Errors.h"

namespace velta {

// Every event entry point (click, key, timer tick, field change) runs its body through this
// guard: a command that fails stops at the failing step, keeps what it already did and the
// operator reads why in the error box. No exception ever reaches the Qt event loop.
template <class Body>
void guarded(Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        dialogs().error(errorMessage(e));
    } catch (...) {
        dialogs().error(QStringLiteral("Error inesperado"));
    }
}

}  // namespace velta
