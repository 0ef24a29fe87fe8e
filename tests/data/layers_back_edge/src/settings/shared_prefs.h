// The program reaching into the test-side support library, and into ui/.
#pragma once

#include "support/fixed_clock.h"
#include "ui/run_state.h"
