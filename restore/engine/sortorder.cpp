#include "sortorder.h"

#include "doevents.h"

#include <QStringList>

namespace {

void SelectionSort(QList<int> &order, const QStringList &keys, qsizetype first, qsizetype last) {
    for (qsizetype i = first; i < last; ++i) {
        qsizetype smallest = i;
        for (qsizetype j = i + 1; j <= last; ++j)
            if (keys[order[j]] < keys[order[smallest]])
                smallest = j;
        if (smallest != i)
            std::swap(order[i], order[smallest]);
    }
}

void MergeSort(QList<int> &order, const QStringList &keys, QList<int> &scratch, qsizetype first,
               qsizetype last, const std::function<void()> &progress) {
    if (last - first < 13) {
        SelectionSort(order, keys, first, last);
        return;
    }
    const qsizetype mid = (first + last) / 2;
    MergeSort(order, keys, scratch, first, mid, progress);
    MergeSort(order, keys, scratch, mid + 1, last, progress);
    // Merging without sentinels: a name holding characters above any sentinel must still sort
    // inside the list, never after its end.
    qsizetype a = first, b = mid + 1, out = first;
    while (a <= mid && b <= last)
        scratch[out++] = keys[order[b]] < keys[order[a]] ? order[b++] : order[a++];
    while (a <= mid)
        scratch[out++] = order[a++];
    while (b <= last)
        scratch[out++] = order[b++];
    for (qsizetype i = first; i <= last; ++i)
        order[i] = scratch[i];
    if (last - first > 4096) {
        if (progress)
            progress();
        DoEvents();
    }
}

} // namespace

void SortByKey(QList<int> &order, const QStringList &keys, const std::function<void()> &progress) {
    if (order.size() < 2)
        return;
    QList<int> scratch(order.size());
    MergeSort(order, keys, scratch, 0, order.size() - 1, progress);
}
