// Allowed edges only: nothing here may be reported.
#pragma once

#include <QMainWindow>

#include "common/text.h"
#include "platform/durable_file.h"
