// What the user is told, as the tests expect it.
#pragma once

#include "kelvane/Version.h"

inline constexpr char kBanner[] = "Kelvane " KELVANE_VERSION "\n\n";
inline constexpr char kCreated[] = "DeviceCaps.html has been created.\n\n";
inline constexpr char kCreationMessage[] =
    "Error creating Direct3D8 object. You need to have DirectX 8 "
    "installed!\n\n";
inline constexpr char kCapsMessage[] =
    "Error retrieving caps form D3DCAPS8 using D3DDEVTYPE_HAL\n\n";
inline constexpr char kIdentifierMessage[] =
    "Error retrieving adapter identifier form D3DADAPTER_IDENTIFIER8\n\n";
inline constexpr char kWriteMessage[] = "Error writing DeviceCaps.html\n\n";
