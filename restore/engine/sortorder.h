#pragma once
// The restore lists' order: a merge sort of indexes by a text key in code-unit order, with
// selection sort for short ranges.

#include <QList>
#include <QString>

#include <functional>

// Sorts order (indexes into keys) by keys[index]. Among equal keys the order is not fixed.
// progress, when given, is called beside the event pump while a long list is sorted.
void SortByKey(QList<int> &order, const QStringList &keys,
               const std::function<void()> &progress = {});
