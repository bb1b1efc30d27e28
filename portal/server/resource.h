// Resource identifiers of Tovra2.dll itself.
#pragma once

#define IDB_TOOLBOX 102
#define IDR_REGISTRY 103
#define IDS_PROJNAME 7
