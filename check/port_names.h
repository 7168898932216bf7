// TEMPORARY stand-in until the C++ port is merged: the launcher's capacities and the submenu
// rule under the names they take there. Removed after the merge.
#pragma once

#include "config/config.h"

const DWORD FileMaxSize = FILE_MAX_SIZE;
const size_t ConfigPathCapacity = CONFIG_PATH_CAPACITY;
const size_t LineMaxLength = LINE_MAX_LENGTH;
const size_t SectionKeyCapacity = SECTION_KEY_CAPACITY;
const size_t ExtensionMaxLength = EXTENSION_MAX_LENGTH;
const size_t FileArgumentMaxLength = FILE_ARGUMENT_MAX_LENGTH;
const size_t SubmenuNameMaxLength = SUBMENU_NAME_MAX_LENGTH;
const int EntrySlots = ENTRY_SLOTS;
const size_t RegisteredExtensionMaxLength = 50;

bool OpensSubmenu(const LaunchEntry &entry);
void SelectSubmenu(const LaunchEntry &entry);
