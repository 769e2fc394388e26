// Icons drawn from the program's SVG files. Qt's own SVG icon engine parses
// a file when its icon is made, only to check it, and again for every size
// and mode it is painted at: at the start that is every icon of every
// command, most of them in menus and hidden tool bars, parsed before the
// window can be painted. This engine parses its file the first time the
// icon is painted or measured, keeps the parsed drawing, and renders each
// size and mode once, at the device's pixel ratio.
#pragma once

#include <QIcon>
#include <QString>

namespace quorbex::platform {

QIcon SvgIcon(const QString& path);

}  // namespace quorbex::platform
