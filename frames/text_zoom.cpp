#include "frames/text_zoom.h"

#include <QSettings>
#include <algorithm>

namespace quorbex {

namespace {

const QString ZOOM_KEY = QStringLiteral("View/Zoom");

}  // namespace

TextZoom::TextZoom(QObject* parent)
    : QObject(parent),
      m_level(std::clamp(QSettings().value(ZOOM_KEY, 0).toInt(), MOST_ZOOM_OUT, MOST_ZOOM_IN)) {}

void TextZoom::SetLevel(int level) {
    level = std::clamp(level, MOST_ZOOM_OUT, MOST_ZOOM_IN);
    if (level == m_level) {
        return;
    }
    const int before = m_level;
    m_level = level;
    QSettings().setValue(ZOOM_KEY, m_level);
    emit changed(before, m_level);
}

}  // namespace quorbex
