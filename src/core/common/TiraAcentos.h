#pragma once

#include <QString>

// Accent folding of the incremental search: at most the first 131 characters of s, with exactly the
// 22 accented letters of Portuguese that the search ignores replaced by their plain letters (case kept).
// Every other character, "Â", "â", "È" or "ü" among them, passes unchanged.
QString TiraAcentos(const QString &s);
