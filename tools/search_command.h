#pragma once

#include "tbl_tool.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace orvane::tools {

// At most this many candidates are printed, the best; the count of the others goes to standard
// error.
inline constexpr int kPrintedCandidates = 100;

// `orvane-tbl search DATA WORD [--order ORDER] [--values 8|16be|16le]`, `arguments` being those
// after "search": the candidates, best first, one a line ("3 hits: A=41 (first at 0001F3A0)").
// Exit 1 when nothing is found or the data cannot be read; 2 for wrong arguments, with the reason
// and `usage`, or for a word that cannot be searched, with the reason.
// The arguments are the command line's bytes: the word is read as UTF-8, DATA is a file name.
[[nodiscard]] ToolResult RunSearch(const QList<QByteArray>& arguments, QByteArrayView usage);

}  // namespace orvane::tools
