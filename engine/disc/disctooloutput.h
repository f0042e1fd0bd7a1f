#pragma once

#include <QString>

#include <cstddef>

// Reading the disc tools' output: progress lines and the lines worth showing
// when something went wrong.
namespace DiscToolOutput {

// Size of the message buffers the disc classes write into (with the end zero).
constexpr std::size_t kMessageBufferSize = 262140;

// dvdauthor: the share of the whole authoring run (0..1) a line tells of, or
// a negative value when it tells nothing.  Reading the source ("STAT: VOBU n
// at 12MB, ...") counts for nine tenths, measured against sourceMb; fixing
// the VOBUs ("STAT: fixing VOBU at 3MB (17/34, 47%)") for the rest.
double dvdauthorProgress(const QString &line, double sourceMb);
bool isDvdauthorError(const QString &line);

// genisoimage: percent done (" 58.73% done, estimate finish ..."), or negative.
double genisoimageProgress(const QString &line);
bool isGenisoimageError(const QString &line);

// xorriso writing a track ("xorriso : UPDATE :  7 of 16 MB written ..."):
// percent done, or negative.
double xorrisoProgress(const QString &line);
// A FAILURE/SORRY/FATAL line naming a cause (not xorriso's closing summary).
bool isXorrisoError(const QString &line);

// Copies text, cut to fit, into a buffer of kMessageBufferSize bytes with its
// end zero.  A null buffer is left alone.
void writeMessage(char *buffer, const QString &text);

} // namespace DiscToolOutput
