// The launcher's procedures and state that the checker drives.
#pragma once

#include "app/shell.h"
#include "check/port_names.h"
#include "config/config.h"
#include "registration/registration.h"
