#pragma once

#include "data/data_source.h"
#include "data/job.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <stop_token>

namespace orvane::data {

// Find lists this many offsets and counts the rest.
inline constexpr qsizetype kListedFinds = 1000;
// How much Find reads at once, and so how long a Cancel waits at most.
inline constexpr qint64 kFindBlock = qint64{4} << 20;

struct FindResult {
  QList<qint64> offsets;  // the first kListedFinds, in order
  qint64 total = 0;
  bool stopped = false;  // cancelled before the end of the data
  QString error;         // the data could not be read; what was found before is kept
};

// Counts every offset where `pattern` occurs in `bytes`, overlapping ones too, adding
// `base` to each; the bytes of a block too close to its end to hold the pattern are left to
// the next block.
void FindInBlock(QByteArrayView bytes, QByteArrayView pattern, qint64 base, FindResult& result);

// Every offset at which the source holds `pattern`, read in blocks of `block_size`. A stop
// request ends the search after the block at hand.
[[nodiscard]] FindResult FindInSource(DataSource& source, QByteArrayView pattern,
                                      const std::stop_token& stop = {},
                                      const Progress& progress = {},
                                      qint64 block_size = kFindBlock);

// The same in a file opened here, only to be read: on the thread that searches.
[[nodiscard]] FindResult FindInFile(const QString& path, QByteArrayView pattern,
                                    const std::stop_token& stop = {},
                                    const Progress& progress = {});

}  // namespace orvane::data
