// The journal of a removal: whatever a file in its place holds, the reader accepts only
// what this program writes, and never a name that would move a file out of "borrado".
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "content/RemovalJournal.h"
#include "content/TextFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto journal = velta::parseRemovalJournal(velta::decodeText(bytes));
    if (!journal) {
        return 0;
    }
    FUZZ_CHECK(journal->number >= 1 && journal->number <= velta::kLargestRoundNumber);
    FUZZ_CHECK(!journal->removedName.contains('/') && !journal->removedName.contains('\\'));
    FUZZ_CHECK(!journal->removedName.contains(QLatin1String("..")));
    const auto again = velta::parseRemovalJournal(velta::removalJournalText(*journal));
    FUZZ_CHECK(again && again->kind == journal->kind && again->number == journal->number &&
               again->removedName == journal->removedName);
    return 0;
}
