#pragma once

#include <QString>

// The application's title, the caption of every error box: the program file's name without its
// folder, cut at its first ".", with the first character in upper case and the others in lower
// case. The Windows program took its capital from its file name; a Unix executable is named in
// lower case, so the capital is given here.
QString ApplicationTitle(const QString& program_file);
