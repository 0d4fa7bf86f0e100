// The highlighting definitions as the program's windows configure them, in one place for the
// main window, the builder, the options dialog and the tests.
#pragma once

namespace brenvik {

class TPERLFountain;
class THTMLFountain;

// The main window's PERLFountain: the built-in words less "until", no brackets, its colours.
void ConfigurePERLFountain(TPERLFountain& fountain);
// The print-statement builder's HTMLFountain.
void ConfigureHTMLFountain(THTMLFountain& fountain);

} // namespace brenvik
