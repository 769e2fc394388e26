#include "views/shared_printer.h"

#include <QPrinter>

namespace quorbex {

QPrinter& SharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

}  // namespace quorbex
