#pragma once

#include "Scope.h"

#include <string>

namespace entries {

// One program Windows starts at logon: a string value under a Run key, with what the tool works
// out about the program it names.
struct StartupEntry {
    Scope scope = Scope::AllUsers;
    std::wstring name;        // the value's name
    std::wstring command;     // the value's data, a command line, without its terminating NUL
    std::wstring programPath; // the program the command starts; empty when it cannot be told
    std::wstring arguments;   // the rest of the command line, trimmed
    // The program's version texts, trimmed; empty when it has none.
    std::wstring productName;
    std::wstring companyName;
    std::wstring legalCopyright;
    std::wstring description;
    // The line the list shows, and what it is sorted by: the description, or the name followed
    // by the program's path.
    std::wstring displayText;
};

} // namespace entries
