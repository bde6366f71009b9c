// vauto's commands by family. Each family is one table of rows (name,
// syntax, handler) at the end of its file, beside the handlers; a new
// command is one row and one handler there.
#pragma once

#include <span>

#include "tools/vauto/script.h"

namespace vauto {

// start, wait-exit, kill, window, close, resize, sleep, screenshot, ...
// (commands_program.cpp).
std::span<const CommandRow> ProgramCommands();
// click, select, check, set-text and the expectations on controls
// (commands_controls.cpp).
std::span<const CommandRow> ControlCommands();
// answer, expect-box, no-box (commands_boxes.cpp).
std::span<const CommandRow> BoxCommands();
// The registry, files and INI files (commands_checks.cpp).
std::span<const CommandRow> CheckCommands();

// Every command, in the order the usage text lists them.
const CommandSet& AllCommands();

}  // namespace vauto
