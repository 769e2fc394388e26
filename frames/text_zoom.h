// The size of the dictionary windows' text: steps of one point from the
// program's font, the same in every window, remembered in the user's
// settings for the next run.
#pragma once

#include <QObject>

namespace quorbex {

class TextZoom : public QObject {
    Q_OBJECT
public:
    static constexpr int MOST_ZOOM_OUT = -4;
    static constexpr int MOST_ZOOM_IN = 16;

    // Starts at the zoom of the last run.
    explicit TextZoom(QObject* parent = nullptr);

    int Level() const { return m_level; }
    // Within the limits; a level that is already the zoom changes nothing.
    void SetLevel(int level);
    void Step(int steps) { SetLevel(m_level + steps); }

signals:
    void changed(int before, int now);

private:
    int m_level;
};

}  // namespace quorbex
