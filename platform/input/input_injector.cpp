// The platform's injector comes from the source that CMake picks for the platform
// (input_xtest.cpp on Linux); this file holds what all of them share.
#include "input/input_injector.h"
