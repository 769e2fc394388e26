#include "frames/drug_history.h"

#include <algorithm>

#include "document/zorvik_drug_doc.h"
#include "platform/gbk_text.h"

namespace quorbex {

DrugHistory::DrugHistory(CZorvikDrugDoc& document, QObject* parent)
    : QObject(parent), m_document(document) {
    connect(&document, &CZorvikDrugDoc::currentChanged, this, &DrugHistory::OnCurrentChanged);
}

void DrugHistory::OnCurrentChanged() {
    if (m_passing == 0 && !m_going) {
        NoteCurrent();
    }
}

void DrugHistory::NoteCurrent() {
    const std::uint32_t number = m_document.GetCurrentNumber();
    if (number == 0) {
        return;
    }
    const Visit visit{number, m_document.GetCurrentStrings().tradeName};
    if (m_position >= 0 && m_visits[static_cast<std::size_t>(m_position)].number == number) {
        // The same record again, perhaps renamed.
        m_visits[static_cast<std::size_t>(m_position)] = visit;
    } else {
        m_visits.erase(m_visits.begin() + (m_position + 1), m_visits.end());
        m_visits.push_back(visit);
        if (m_visits.size() > static_cast<std::size_t>(VISITS_MAX)) {
            m_visits.erase(m_visits.begin());
        }
        m_position = static_cast<int>(m_visits.size()) - 1;
    }
    Remember(visit);
    emit changed();
}

void DrugHistory::Remember(const Visit& visit) {
    std::erase_if(m_recent, [&visit](const Visit& recent) {
        return recent.number == visit.number || recent.tradeName == visit.tradeName;
    });
    m_recent.insert(m_recent.begin(), visit);
    if (m_recent.size() > static_cast<std::size_t>(RECENT_MAX)) {
        m_recent.pop_back();
    }
}

std::optional<std::uint32_t> DrugHistory::Locate(const Visit& visit) const {
    RecordStore& store = m_document.GetStore();
    if (store.PeekField(visit.number, Field::TradeName) == visit.tradeName) {
        return visit.number;
    }
    for (std::uint32_t number = 1; number <= store.GetCount(); ++number) {
        if (store.PeekField(number, Field::TradeName) == visit.tradeName) {
            return number;
        }
    }
    return std::nullopt;
}

bool DrugHistory::Go(int position, int step) {
    while (position >= 0 && position < static_cast<int>(m_visits.size())) {
        Visit& visit = m_visits[static_cast<std::size_t>(position)];
        if (const std::optional<std::uint32_t> number = Locate(visit)) {
            visit.number = *number;
            m_going = true;
            m_document.ShowRecord(*number);
            m_going = false;
            m_position = position;
            Remember(visit);
            emit changed();
            return true;
        }
        // Gone from the dictionary: forgotten.
        m_visits.erase(m_visits.begin() + position);
        if (position < m_position) {
            --m_position;
        }
        if (step < 0) {
            --position;
        }
    }
    emit changed();
    return false;
}

void DrugHistory::GoBack() {
    if (CanGoBack()) {
        Go(m_position - 1, -1);
    }
}

void DrugHistory::GoForward() {
    if (CanGoForward()) {
        Go(m_position + 1, 1);
    }
}

std::vector<DrugHistory::Visit> DrugHistory::RecentVisits() const {
    std::vector<Visit> visits;
    for (const Visit& visit : m_recent) {
        if (Locate(visit)) {
            visits.push_back(visit);
        }
    }
    return visits;
}

QStringList DrugHistory::Recent() const {
    QStringList names;
    for (const Visit& visit : RecentVisits()) {
        names.append(platform::FromGbk(visit.tradeName));
    }
    return names;
}

void DrugHistory::ShowRecent(int index) {
    const std::vector<Visit> recent = RecentVisits();
    if (index < 0 || index >= static_cast<int>(recent.size())) {
        return;
    }
    if (const std::optional<std::uint32_t> number =
            Locate(recent[static_cast<std::size_t>(index)])) {
        // A visit of its own, after the one viewed now.
        m_document.ShowRecord(*number);
        NoteCurrent();
    }
}

}  // namespace quorbex
