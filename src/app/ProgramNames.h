#pragma once
// The names Qt knows the program by.

namespace corvane {

// Sets the application name only. A display name would be appended by the platform to every
// window title ("Corvane - /path/add0001.DBF — Corvane"), and the captions carry the name already.
void NameProgram();

} // namespace corvane
