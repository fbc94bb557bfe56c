#pragma once
// Copies a byte range from one file into another at a given position, with progress.

#include <QString>

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
