#pragma once

#include <QString>

// A file name as a one-line control shows it: a name may hold line breaks (written by hand into
// Percorsi.ini, or given to a file elsewhere), and a label would draw each as a new line over
// what lies below. Every run of line-breaking characters shows as one blank.
QString oneLine(const QString &name);
