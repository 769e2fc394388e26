// The printer that every print, preview and page set-up of a run shares, so
// that the settings chosen once hold for the next print.
#pragma once

#include <QPageLayout>

class QPrinter;

namespace quorbex {

// Margins narrower than this leave a printed page hard to hold and to file;
// every page layout starts with at least these.
inline constexpr double LEAST_DEFAULT_MARGIN_MM = 15.0;

QPrinter& SharedPrinter();

// The page layout of a print made without a printer: A4, upright, with the
// least default margins.
QPageLayout DefaultPageLayout();

}  // namespace quorbex
