// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The n-th piece (from 1) of `text` cut at `separator` (exact, case-sensitive); empty when there
// is no such piece. A text that does not end with the separator is read as if it did, so the
// last piece counts too: the second piece of "x=y=z" cut at "=" is "y".
QString GetField(const QString& text, int n, const QString& separator);
