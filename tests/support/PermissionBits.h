#pragma once
// Whether the permission bits of files stop this process. They do not stop the superuser, nor
// any process that holds CAP_DAC_OVERRIDE over the files, so tests of read-only files and
// folders ask first, and run in a user namespace (the CTest entries ending in _unprivileged)
// when the suite runs as root.

#include <optional>
#include <string>

// Nothing when a file without permissions can be neither read nor written by this process;
// otherwise why the permission bits do not bind it, for GTEST_SKIP.
std::optional<std::string> WhyPermissionBitsDoNotBind();
