// The faults a command found, of which only the first few are told: a file
// with thousands of faulty rows would otherwise bury the first ones.
#pragma once

#include <cstddef>
#include <vector>

#include "csv/csv_fault.h"

namespace quorbex::csv {

class FaultList {
public:
    static constexpr std::size_t MOST_SHOWN = 20;

    void Add(CsvFault fault) {
        if (m_shown.size() < MOST_SHOWN) {
            m_shown.push_back(std::move(fault));
        }
        ++m_count;
    }

    bool Empty() const { return m_count == 0; }
    // The first MOST_SHOWN faults, in the order they were found.
    const std::vector<CsvFault>& Shown() const { return m_shown; }
    // How many were found beyond those shown.
    std::size_t NotShown() const { return m_count - m_shown.size(); }

private:
    std::vector<CsvFault> m_shown;
    std::size_t m_count = 0;
};

}  // namespace quorbex::csv
