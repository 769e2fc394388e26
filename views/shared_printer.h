// The printer that every print, preview and page set-up of a run shares, so
// that the settings chosen once hold for the next print.
#pragma once

class QPrinter;

namespace quorbex {

QPrinter& SharedPrinter();

}  // namespace quorbex
