#include "platform/svg_icon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace quorbex::platform {
namespace {

QImage Argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What the SVG draws in a square of that many device pixels, as a toolbar
// or a menu shows it.
QImage Drawn(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(path).render(&painter);
    return image;
}

// The program's icons at the sizes its windows ask for, at both pixel
// ratios of a desktop: the shape keeps the file's proportions, as Qt's own
// SVG icons do, and the pixels are the drawing's at that size.
TEST(SvgIcon, PaintsTheFileAtTheSizeAskedForKeepingItsShape) {
    struct Case {
        const char* path;
        QSize asked;
        qreal ratio;
        QSize devicePixels;
    };
    const Case cases[] = {
        {":/icons/file_open.svg", {16, 15}, 1.0, {15, 15}},
        {":/icons/drug_search.svg", {32, 15}, 1.0, {30, 15}},
        {":/icons/drug_search.svg", {32, 15}, 2.0, {60, 30}},
        {":/icons/application.svg", {32, 32}, 2.0, {64, 64}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.path);
        const QIcon icon = SvgIcon(QString::fromLatin1(test.path));
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.actualSize(test.asked), test.devicePixels / test.ratio);
        const QPixmap pixmap = icon.pixmap(test.asked, test.ratio);
        EXPECT_EQ(pixmap.size(), test.devicePixels);
        EXPECT_EQ(pixmap.devicePixelRatio(), test.ratio);
        EXPECT_EQ(Argb(pixmap), Drawn(QString::fromLatin1(test.path), test.devicePixels));
    }
}

TEST(SvgIcon, AGrayedIconIsTheStylesGrayingOfTheDrawing) {
    const QIcon icon = SvgIcon(QStringLiteral(":/icons/drug_save.svg"));
    const QPixmap normal = icon.pixmap(QSize(16, 16), 1.0, QIcon::Normal);
    QStyleOption option;
    option.palette = QApplication::palette();
    const QPixmap grayed =
        QApplication::style()->generatedIconPixmap(QIcon::Disabled, normal, &option);
    EXPECT_NE(Argb(grayed), Argb(normal));
    EXPECT_EQ(Argb(icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled)), Argb(grayed));
}

TEST(SvgIcon, AMissingFileIsANullIconThatPaintsNothing) {
    const QIcon icon = SvgIcon(QStringLiteral(":/icons/no_such_icon.svg"));
    EXPECT_TRUE(icon.isNull());
    EXPECT_TRUE(icon.pixmap(QSize(16, 16)).isNull());
}

}  // namespace
}  // namespace quorbex::platform
