// A log header reaching up into contest/: the back-edge the check must catch.
#pragma once

#include "contest/bands.h"
#include "log/dupes.h"
