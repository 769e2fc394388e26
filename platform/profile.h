// The user's settings: the recent-file list in the section "Recent File
// List", values "File1" (the most recent) to "FileN"; the quick search's
// last queries in the section "Recent Queries", values "Query1" (the most
// recent) to "QueryN".
#pragma once

#include <QStringList>

class QSettings;

namespace quorbex::platform {

// Every non-empty entry of File1 to FileN, in order.
QStringList ReadRecentFileList(QSettings& settings, int size);
// Writes paths as File1, File2, ... and removes the values after them.
void WriteRecentFileList(QSettings& settings, const QStringList& paths, int size);
// File1, File2, ... up to FileN, stopping at the first missing or empty value.
QStringList ReadRecentFilesUntilGap(QSettings& settings, int size);

// Every non-empty entry of Query1 to QueryN, in order.
QStringList ReadRecentQueries(QSettings& settings, int size);
// Writes queries as Query1, Query2, ... and removes the values after them.
void WriteRecentQueries(QSettings& settings, const QStringList& queries, int size);

}  // namespace quorbex::platform
