// The drugs viewed in one dictionary window, to go back and forward among
// them and to list the last ones. A drug counts as viewed when it becomes
// the current one, except while the quick search merely passes over it as
// a query is typed: the box says when its drug counts.
#pragma once

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorbex {

class CZorvikDrugDoc;

class DrugHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int RECENT_MAX = 20;
    static constexpr int VISITS_MAX = 100;

    DrugHistory(CZorvikDrugDoc& document, QObject* parent);

    bool CanGoBack() const { return m_position > 0; }
    bool CanGoForward() const { return m_position + 1 < static_cast<int>(m_visits.size()); }
    // The drug viewed before or after the one viewed now, skipping drugs
    // that are no longer in the dictionary.
    void GoBack();
    void GoForward();

    // The trade names of the last drugs viewed, the most recent first, each
    // once.
    QStringList Recent() const;
    // Shows the drug at index of Recent() again.
    void ShowRecent(int index);

    // The current drug counts as viewed.
    void NoteCurrent();

    // While one lives, the drugs that become current are not visits.
    class Passing {
    public:
        explicit Passing(DrugHistory& history) : m_history(history) { ++m_history.m_passing; }
        ~Passing() { --m_history.m_passing; }
        Passing(const Passing&) = delete;
        Passing& operator=(const Passing&) = delete;

    private:
        DrugHistory& m_history;
    };

signals:
    // What can be gone back or forward to, or the recent drugs, changed.
    void changed();

private:
    struct Visit {
        std::uint32_t number;
        std::string tradeName;  // GBK
    };

    void OnCurrentChanged();
    // The record's number now: records come and go, and a visit keeps its
    // trade name to find its record again.
    std::optional<std::uint32_t> Locate(const Visit& visit) const;
    // Shows the visit at position, or the nearest one in the direction step
    // that is still there; false when none is.
    bool Go(int position, int step);
    void Remember(const Visit& visit);
    // The recent visits whose drugs are still in the dictionary.
    std::vector<Visit> RecentVisits() const;

    CZorvikDrugDoc& m_document;
    std::vector<Visit> m_visits;
    int m_position = -1;
    std::vector<Visit> m_recent;
    int m_passing = 0;
    bool m_going = false;
};

}  // namespace quorbex
