#pragma once

// Identifiers of the executable's resources, shared by the resource script and the windows.

#define IDI_TOLVAN 1

#define IDB_FLAG_ENG 101
#define IDB_FLAG_ENG_HL 102
#define IDB_FLAG_HUN 103
#define IDB_FLAG_HUN_HL 104
#define IDB_APP_64 105
#define IDB_APP_16 106
