#include "views/handbook_pages.h"

namespace quorbex {

std::vector<HandbookPage> BreakIntoPages(const std::vector<HandbookLine>& lines, double pageHeight,
                                         double continuedHeight) {
    std::vector<HandbookPage> pages;
    for (std::size_t first = 0; first < lines.size();) {
        const bool continued = !lines[first].startsDrug;
        const double room = pageHeight - (continued ? continuedHeight : 0.0);
        const double top = lines[first].top;
        std::size_t fits = first + 1;  // one line at the least
        std::size_t breaks = first;    // none found yet
        for (std::size_t end = first + 1; end <= lines.size(); ++end) {
            if (lines[end - 1].bottom - top > room) {
                break;
            }
            fits = end;
            if (end == lines.size() || lines[end].mayStartPage) {
                breaks = end;
            }
        }
        const std::size_t end = breaks > first ? breaks : fits;
        pages.push_back({first, end, continued});
        first = end;
    }
    return pages;
}

}  // namespace quorbex
