#pragma once
// The standard streams of a program run from a console or by another program.

namespace kelvar {

// Standard output carries exactly the bytes written: the summary line and traces read by other
// programs are the same on every system (Windows would add a carriage return to each line).
void binaryStandardOutput();

} // namespace kelvar
