#pragma once

#include <QStringList>
#include <optional>

// The commands that run without a window, on the same reader, writer and import as the window:
//   --convert IN.jkcd OUT.jkcd        opens IN and saves it as OUT (a CD label: IN.jket)
//   --import-record RECORD OUT.jkcd   a new cover filled from a catalogue record, saved as OUT
//   --export OUT IN.jkcd [--sheet recto|dos] [--dpi N]
//                                     the cover as printed (OUT.pdf) or a sheet's picture
//                                     (OUT.png, OUT.bmp)
//   --export OUT IN.jket [--dpi N]    the CD label as printed (OUT.pdf) or its picture
//   --cddb-lookup [--server URL] [--email ADDRESS] --toc "FIRST LAST LEADOUT OFFSET1 … OFFSETn"
//                                     the disc's record, printed as its list is saved
namespace HeadlessCommands {

// True when the arguments (the program's name first) ask for one of these commands.
bool requested(const QStringList& arguments);
// Runs it: 0 on success, 1 on failure, with the window's messages on standard error.
int run(const QStringList& arguments);

} // namespace HeadlessCommands
