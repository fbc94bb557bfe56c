#pragma once
// The restore lists' order: a merge sort of indexes by a text key in code-unit order, with
// selection sort for short ranges.

#include <QList>
#include <QString>

// Sorts order (indexes into keys) by keys[index]. Among equal keys the order is not fixed.
void SortByKey(QList<int> &order, const QStringList &keys);
