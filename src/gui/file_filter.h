#pragma once
// File-dialog filters as the controller states them ("Name|*.a;*.b|Other|*.c",
// pairs of a name and its patterns) turned into Qt's ";;"-separated
// "Name (*.a *.b)" list.

#include <QString>
#include <string>

namespace habitopia::gui {

// A pattern list in a pair's name is replaced by the pair's real patterns, so
// that the name shows what the dialog lists; "*.*" means every file, and a
// pattern in one case also matches file names in the other.
QString QtFileFilter(const std::string& filter);

// The extension (without the dot) of a Qt filter entry's first pattern,
// "Name (*.mp4 *.MP4)" giving "mp4"; empty for every file ("*") or none.
QString FilterSuffix(const QString& qtFilterEntry);

}  // namespace habitopia::gui
