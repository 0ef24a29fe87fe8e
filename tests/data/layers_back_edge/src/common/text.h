// Qt in the core, and a folderless include.
#pragma once

#include <QString>
#include <string>

#include "text_helpers.h"
