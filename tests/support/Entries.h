#pragma once

#include "entries/StartupEntry.h"

#include <string>

namespace tolvan::test {

// An entry as a Run key holds it, before anything is worked out about it.
inline entries::StartupEntry MakeEntry(entries::Scope scope, std::wstring name,
                                       std::wstring command)
{
    entries::StartupEntry entry;
    entry.scope = scope;
    entry.name = std::move(name);
    entry.command = std::move(command);
    return entry;
}

} // namespace tolvan::test
