#pragma once
// "Windows Bitmap (*.BMP)" and "Windows Metafile (*WMF)": the viewer's current
// frame, drawn anew at the viewer's size, written to the chosen path. The path
// is the picture's alone; the model keeps its own file name.

#include <string>

#include "app/viewer.h"

namespace habitopia {

enum class PictureFormat { Bitmap, Metafile };

inline constexpr const char* kBitmapFilter = "Windows Bitmap file (*.bmp)|*.bmp|All files|*.*";
inline constexpr const char* kMetafileFilter = "Windows Bitmap file (*.wmf)|*.wmf|All files|*.*";
// The dialog's first entry and its default extension give the uncompressed AVI;
// the others are encoded movies (movie_writer.h).
inline constexpr const char* kMovieFilter =
    "Audio Video Interleaved File|*.AVI|MPEG-4 Video, H.264|*.mp4|WebM Video, VP9|*.webm|"
    "All Files|*.*";
inline constexpr const char* kImageAddedToClipboard = "Image added to Clipboard";

// The save dialog's default extension: "bmp" or "wmf".
const char* PictureDefaultExtension(PictureFormat format);

// Grabs the viewer's frame and writes it; false with a one-line `error` when
// the viewer gives no picture or the file cannot be written (an existing file
// is then left as it was).
bool SaveViewerPicture(Viewer& viewer, const std::string& path, PictureFormat format,
                       std::string& error, int grabTimeoutMs = 5000);

}  // namespace habitopia
