#pragma once

#include <QString>

namespace velta {

// Renames of the question files and folders go through here, so tests can make one of them
// fail or stop a removal or an install half-way, the way a crash or a power cut would.
class FileMoves {
  public:
    virtual ~FileMoves() = default;
    // Renames `from` to `to`, never over an existing file; false when it could not.
    virtual bool move(const QString& from, const QString& to);
    // Renames the folder `from` to `to`; false when it could not.
    virtual bool moveFolder(const QString& from, const QString& to);
};

// The moves in use: the file system's own unless a test has set its stand-in.
FileMoves& fileMoves();
// Null gives the file system's own back.
void setFileMoves(FileMoves* moves);

}  // namespace velta
