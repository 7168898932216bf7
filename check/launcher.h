// The launcher's procedures and state that the checker drives.
#pragma once

#include "app/report.h"
#include "config/config.h"
#include "registration/registration.h"
