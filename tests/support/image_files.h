// The one place the tests reach the file readers and writers: through the program's own entry points.
#pragma once

#include "app/image_files.h"
