#pragma once
// The program's own version, shown on the splash window.
namespace shell {
constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 0;
} // namespace shell
