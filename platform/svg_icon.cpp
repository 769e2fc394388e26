#include "platform/svg_icon.h"

#include <QApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace quorbex::platform {

namespace {

class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(const QString& path) : m_drawing(std::make_shared<Drawing>(path)) {}

    QIconEngine* clone() const override { return new SvgIconEngine(*this); }

    QString key() const override { return QStringLiteral("quorbex-svg"); }

    // Asked of every icon laid out, painted or not: it must not parse.
    bool isNull() override { return !QFileInfo::exists(m_drawing->path); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        QSize drawn = m_drawing->Renderer().defaultSize();
        if (drawn.isEmpty()) {
            return QSize();
        }
        drawn.scale(size, Qt::KeepAspectRatio);
        return drawn;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // The size asked for is in device pixels already (QIcon multiplies it
    // by the ratio); the pixmap is drawn at that size and carries the ratio.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        const QSize drawn = actualSize(size, mode, state);
        if (drawn.isEmpty()) {
            return QPixmap();
        }
        // The ratio is part of the key: the same pixels drawn for another
        // ratio would come back marked with the wrong one.
        const auto key =
            std::make_tuple(drawn.width(), drawn.height(), static_cast<int>(mode), scale);
        if (const auto found = m_drawing->pixmaps.find(key); found != m_drawing->pixmaps.end()) {
            return found->second;
        }
        QPixmap image(drawn);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            m_drawing->Renderer().render(&painter);
        }
        if (mode != QIcon::Normal) {
            // Grayed, selected or active as the style shows any icon so.
            QStyleOption option;
            option.palette = QApplication::palette();
            image = QApplication::style()->generatedIconPixmap(mode, image, &option);
        }
        image.setDevicePixelRatio(scale);
        m_drawing->pixmaps.emplace(key, image);
        return image;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        // QIcon::paint has already fitted the rectangle to the icon's shape.
        const qreal ratio =
            painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

private:
    // The parsed file and its renderings, shared by the copies of an icon.
    struct Drawing {
        explicit Drawing(QString file) : path(std::move(file)) {}

        QSvgRenderer& Renderer() {
            if (!renderer) {
                renderer = std::make_unique<QSvgRenderer>(path);
            }
            return *renderer;
        }

        QString path;
        std::unique_ptr<QSvgRenderer> renderer;
        std::map<std::tuple<int, int, int, qreal>, QPixmap> pixmaps;
    };

    std::shared_ptr<Drawing> m_drawing;
};

}  // namespace

QIcon SvgIcon(const QString& path) {
    return QIcon(new SvgIconEngine(path));
}

}  // namespace quorbex::platform
