#pragma once

#include "fault_support.h"
#include "window_fixture.h"

// The window tests' fixture (window_fixture.h): a shown, active window titled as the program is,
// with "." as its decimal separator, in an empty directory of its own.
using WindowFaultTest = WindowTest;

// How many of the process's descriptors are open on a file, as the command-level fault tests
// count them.
using faults::DescriptorsOn;
