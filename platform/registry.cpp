// Registry keys with the device's access rules.
#include "platform/platform.h"

#ifndef _WIN32_WCE

#undef RegOpenKeyExW
#undef RegCreateKeyExW

namespace {

// What a key opened or created with mask 0 may do on the device: read and write.
const REGSAM DeviceKeyAccess = KEY_READ | KEY_WRITE;

REGSAM DeviceAccess(REGSAM access)
{
    return access ? access : DeviceKeyAccess;
}

} // namespace

LONG WINAPI DeviceRegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result)
{
    return RegOpenKeyExW(parent, subKey, options, DeviceAccess(access), result);
}

LONG WINAPI DeviceRegCreateKeyExW(HKEY parent, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass,
    DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition)
{
    return RegCreateKeyExW(parent, subKey, reserved, keyClass, options, DeviceAccess(access), security,
        result, disposition);
}

#endif // _WIN32_WCE
