#pragma once

#include <string>

#include "window_fixture.h"

// The window tests' fixture (window_fixture.h): a shown, active window titled as the program is,
// with "." as its decimal separator, in an empty directory of its own.
using WindowFaultTest = WindowTest;

// How many of the process's descriptors are open on path, a removed file included; -1 when they
// cannot be listed.
int DescriptorsOn(const std::string& path);
