// A file name as a question or a message shows it: characters that would
// not show, or would change how the text around them reads, are made
// visible. A line break or another control character shows as its control
// picture (␊), a character that turns the direction of the text (U+202E
// and the other bidirectional controls) or separates lines as its code
// (<U+202E>), so that a name cannot pass for another, split a question or
// turn its words around.
#pragma once

#include <QString>

namespace quorbex::platform {

QString ShownName(const QString& name);

}  // namespace quorbex::platform
