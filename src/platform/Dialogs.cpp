#include "platform/Dialogs.h"

#include <cassert>

namespace velta {

namespace {
Dialogs* current = nullptr;
}

Dialogs& dialogs() {
    assert(current != nullptr && "SetDialogs must run before any dialog is shown");
    return *current;
}

void setDialogs(Dialogs* d) {
    current = d;
}

}  // namespace velta
