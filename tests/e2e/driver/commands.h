// The driver's commands, grouped by what they act on. Each group adds its
// handlers to the table that main() dispatches from.
#pragma once

#include <map>
#include <string>

#include "protocol.h"

namespace driver {

using Handler = void (*)(const Fields& command, Reply& reply);
using CommandTable = std::map<std::string, Handler>;

void addWindowCommands(CommandTable& table);   // find, wait, read and place windows
void addButtonCommands(CommandTable& table);   // buttons, check boxes, message boxes
void addListCommands(CommandTable& table);     // list views and tab controls
void addProcessCommands(CommandTable& table);  // processes and profile files
void addKeyCommands(CommandTable& table);      // key strokes, the focus, the version

}  // namespace driver
