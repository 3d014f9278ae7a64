#pragma once

#include "fault_support.h"
#include "window_fixture.h"

// The window tests' fixture (window_fixture.h): a shown, active window titled as the program is,
// with "." as its decimal separator, in an empty directory of its own.
using WindowFaultTest = WindowTest;

// The command-level fault tests' helpers: the count of the process's descriptors open on a file,
// another program holding a file's lock, the unprivileged user.
using faults::DescriptorsOn;
using faults::LockHolder;
using faults::Nobody;
