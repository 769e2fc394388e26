#include "views/shared_printer.h"

#include <QPrinter>
#include <algorithm>

namespace quorbex {

namespace {

const QMarginsF LEAST_MARGINS(LEAST_DEFAULT_MARGIN_MM, LEAST_DEFAULT_MARGIN_MM,
                              LEAST_DEFAULT_MARGIN_MM, LEAST_DEFAULT_MARGIN_MM);

// The printer's own margins, where none is narrower than the least default.
void WidenMargins(QPrinter& printer) {
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setPageMargins(QMarginsF(std::max(margins.left(), LEAST_MARGINS.left()),
                                     std::max(margins.top(), LEAST_MARGINS.top()),
                                     std::max(margins.right(), LEAST_MARGINS.right()),
                                     std::max(margins.bottom(), LEAST_MARGINS.bottom())),
                           QPageLayout::Millimeter);
}

struct SharedPrinterObject : QPrinter {
    SharedPrinterObject() : QPrinter(QPrinter::HighResolution) { WidenMargins(*this); }
};

}  // namespace

QPrinter& SharedPrinter() {
    static SharedPrinterObject printer;
    return printer;
}

QPageLayout DefaultPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, LEAST_MARGINS,
                       QPageLayout::Millimeter);
}

}  // namespace quorbex
