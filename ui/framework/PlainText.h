#pragma once

#include <QString>

// `text` for a place that shows text looking like markup as rich text (a tool tip, a message's
// detail), so that it is shown as it is: a device named "<b>x</b><img src=...>" shows those
// characters and loads nothing. Text that does not look like markup is returned unchanged.
QString AsPlainText(const QString& text);
