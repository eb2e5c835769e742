// The contract rows run under the small harness of the Win32 backend tests,
// which keeps GoogleTest's names.
#pragma once

#include "check.h"
