// What is wrong with a drug list, worded in the program's language from the
// CSV reader's faults: the spreadsheet's row, the drug and the field.
#pragma once

#include <QString>

#include "csv/csv_fault.h"
#include "csv/fault_list.h"

namespace quorbex {

QString DescribeImportFault(const csv::CsvFault& fault);

// The faults shown, then how many more there were, one per line.
QString FaultLines(const csv::FaultList& faults);

}  // namespace quorbex
