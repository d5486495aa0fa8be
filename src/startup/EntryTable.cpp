#include "modSorting.h"
#include "modTolvan.h"

namespace modTolvan {

void RebuildEntryTable(platform::Platform& platform)
{
    ClearEntries();
    // A Run key that cannot be read leaves its entries out; the list shows what was read.
    (void)ReadRunKey(platform.registry, platform::reg::kCurrentUser);
    (void)ReadRunKey(platform.registry, platform::reg::kLocalMachine);
    ResolveEntries(platform);
    modSorting::SortEntries(entries, 0, 0, platform.collation);
}

} // namespace modTolvan
