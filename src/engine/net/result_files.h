#pragma once

#include "engine/bet/modality.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// The own results site that a first run (or a blank "Endereço do Site:") points at. No public
// site serves our result files, so the default is a server on the user's own machine; README.md
// tells how to serve the files and how to point the program elsewhere. The official results
// service is the default source (engine/net/official_results.h).
inline constexpr const char* defaultResultsSite = "http://localhost:8000";

// The results site's addresses and the local cache of results: one file per contest in the
// folder "Quirva_Results" of the program's data folder (engine/base/data_folder.h), named like the file
// on the site; the official service's answers are kept beside them (official_results.h).
namespace ResultFiles {

inline constexpr const char* cacheFolder = "Quirva_Results";
// What the site (or a failed fetch) says for a contest without a result.
inline constexpr const char* noResult = "erro";

// The cache folder, which may not exist yet; empty when the platform names no data folder.
QString cacheFolderPath();
// Creates the cache folder when missing and takes in the files of a cache that earlier
// versions kept in the working directory (moved, or copied where they cannot be moved; a file
// the cache holds already is kept). A folder that cannot be created is left to the writes.
void prepareCache();
// <cache folder>/MS_1234.txt; empty when there is no cache folder.
QString cachePath(Modality m, int contest);
// site + "/results/" + code + "_" + contest + ".txt"; blanks and a trailing slash of the
// typed site are dropped so that the address stays well formed.
QString resultAddress(const QString& site, Modality m, int contest);

// Whether a text is one draw of the modality in the draws area's layout: exactly D numbers of
// two digits within 1..U, each behind one non-digit character, none twice.
bool isDrawLine(QStringView text, Modality m);

// The draw a response body holds, its line end dropped; nullopt for "erro", for more than one
// line and for anything that is not a draw of the modality.
std::optional<QString> drawFromBody(const QByteArray& body, Modality m);

// The first line of a cache file when it is a draw of the modality; nullopt when the file is
// missing, unreadable or holds anything else (the contest is then fetched again).
std::optional<QString> readCached(const QString& path, Modality m);
// Writes the draw and CR LF; false when the file cannot be written.
bool writeCached(const QString& path, const QString& draw);

} // namespace ResultFiles
