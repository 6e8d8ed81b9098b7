#pragma once

#include <QString>
#include <cstdio>

namespace velta {

// One line of a command run without a window, in the terminal's encoding, written at once
// so a script reading the output sees it before the command ends.
inline void say(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace velta
