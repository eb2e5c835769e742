// The contract rows run under GoogleTest against the simulated machine.
#pragma once

#include <gtest/gtest.h>
