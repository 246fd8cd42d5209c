// The tool table: the tool rows in use, drawn into the drawing as a table
// with a heading, one row a tool and a colour swatch per tool, in a frame
// the user places.
#pragma once

#include <string>
#include <vector>

#include "host/host.h"

namespace optgrind {

constexpr int kToolTableColumns = 9;
// The column of the colour code, drawn as a swatch in the tool rows.
constexpr int kSwatchColumn = 7;

// The table's rows as texts: the heading in the current language, then one
// row for each tool row from the first while its tool number holds a "T".
std::vector<std::string> toolTableRows(Host& host);
// The nine blank-delimited words of each row; a column a row has no word
// for keeps the word of the row before.
std::vector<std::vector<std::string>> toolTableCells(const std::vector<std::string>& rows);

// Draws the table (text height step first). RTNORM, or the failing host result.
int drawToolTable(Host& host);

}  // namespace optgrind
