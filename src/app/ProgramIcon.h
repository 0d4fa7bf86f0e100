// The program's icon, the one its desktop entry shows.
#pragma once

#include <QIcon>

namespace brenvik {

// Every size rendered into the program's resources (16 to 256 pixels).
QIcon ProgramIcon();

} // namespace brenvik
