#include "sound/SoundEvents.h"

namespace velta {

SoundEvents& soundEvents() {
    static SoundEvents events;
    return events;
}

}  // namespace velta
