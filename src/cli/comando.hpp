#pragma once

namespace cadrel {

// The whole command: options, configuration check, generation with progress
// and Ctrl-C, the PDF book and, when asked for, the JSON file. Returns the
// exit code: 0 book written, 1 configuration refused or book not finished or
// file not written, 2 bad option, 130 cancelled.
int ExecutarComando(int argc, const char* const* argv);

}  // namespace cadrel
