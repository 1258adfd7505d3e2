#pragma once
// Checks that the pictures and icons series name can be shown. The bitmaps
// themselves are loaded by the user interface; here a picture counts as
// loadable when its file can be read and starts with the bitmap signature.
#include <filesystem>
#include <string_view>

#include "base/prompt.h"
#include "stock/series.h"
#include "stock/series_file.h"

namespace vosk::stock {

bool bitmap_loadable(const std::filesystem::path& file);

// After a series is introduced: the missing picture, then the missing icon,
// each with its own message box. Empty names are not checked.
void report_missing_pictures(const Series& s, const StockFolders& folders, Prompt& prompt);

// After a dia is opened: the first of series 1 .. extent whose picture or
// icon is named but missing, one message naming the series. True when one
// was reported.
bool report_first_missing_picture(const SeriesTable& table, const StockFolders& folders,
                                  Prompt& prompt);

}  // namespace vosk::stock
