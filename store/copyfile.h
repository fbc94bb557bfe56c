#pragma once
// Copies a byte range from one file into another at a given position, with progress.

#include <QString>

class QFile;

// What a copy shows while it runs: the label text and the fraction of the bar.
class CopyProgressView {
public:
    virtual ~CopyProgressView() = default;
    virtual void SetCopyLabel(const QString &text) = 0;
    virtual void SetCopyFraction(double fraction) = 0;
};

// Positions are 1-based byte positions. The destination is created when missing and never
// truncated, so a piece can be written into a partly filled file. view may be nullptr.
bool CopyFileRange(const QString &source, const QString &destination, double sourceStart,
                   double length, double destinationStart, CopyProgressView *view,
                   const QString &captionSuffix = QString());

// The same copy into a destination the caller has opened for reading and writing (a file made
// safely below a directory handle); destination names it in the messages. The caller closes it.
bool CopyFileRangeInto(const QString &source, QFile &out, const QString &destination,
                       double sourceStart, double length, double destinationStart,
                       CopyProgressView *view, const QString &captionSuffix = QString());

// The message of a failed copy with its numbered file error, asking "Abort current operation?"
// (Yes sets the cancel flag). Returns false, for the caller to pass on.
bool ReportCopyFailure(const QString &source, const QString &destination, int number);
