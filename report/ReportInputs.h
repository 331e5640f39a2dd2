// A report as a case file: the inputs of its run, read back from the header.
#pragma once

#include "FieldTexts.h"

#include <string>
#include <string_view>

namespace ppspin {

// Reads the inputs from the header of a report of this program into the
// texts of their fields, written with separator; the report may have been
// written with "." or ",". The polymer's fixed fields must hold this
// program's values and keep their texts; the file name is not in the
// header and is left as it is. Reading is strict about the lines and
// lenient about how a value is written, so that a hand-edited report reads:
// a value may be any number its field takes (3500, 3500.00, 3.5e3), spaces
// around it dropped, with the one separator of the whole header. Anything
// else gives false with a message naming the line, and texts are then
// unchanged.
bool ReadReportInputs(std::string_view report, char separator, TFieldTexts& texts,
                      std::string& message);

} // namespace ppspin
