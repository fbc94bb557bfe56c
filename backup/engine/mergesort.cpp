#include "mergesort.h"

#include "cancelflag.h"

#include <utility>

namespace {

void SelectionSort(QList<FileRecord> &files, int first, int last) {
    for (int i = first; i < last; ++i) {
        int largest = i;
        for (int j = i + 1; j <= last; ++j) {
            if (files[j].Size > files[largest].Size)
                largest = j;
        }
        if (largest != i)
            std::swap(files[i], files[largest]);
    }
}

// runs is the temporary copy; one serves every merge of a sort, so it is allocated once.
void Merge(QList<FileRecord> &files, int first, int mid, int last, QList<FileRecord> &runs) {
    runs.clear();
    for (int i = first; i <= last; ++i)
        runs.append(std::move(files[i]));
    const int firstEnd = mid - first;
    const int secondEnd = last - first;
    int a = 0;
    int b = firstEnd + 1;
    int out = first;
    while (a <= firstEnd && b <= secondEnd) {
        if (runs[a].Size > runs[b].Size)
            files[out++] = std::move(runs[a++]);
        else
            files[out++] = std::move(runs[b++]);
    }
    while (a <= firstEnd)
        files[out++] = std::move(runs[a++]);
    while (b <= secondEnd)
        files[out++] = std::move(runs[b++]);
}

void SortRange(QList<FileRecord> &files, int first, int last, const std::function<void()> &yield,
               QList<FileRecord> &runs) {
    if (CancelFlag())
        return;
    if (yield)
        yield();
    if (last - first < 13) {
        SelectionSort(files, first, last);
        return;
    }
    // Written so that the sum cannot overflow on a very long list.
    const int mid = first + (last - first) / 2;
    SortRange(files, first, mid, yield, runs);
    SortRange(files, mid + 1, last, yield, runs);
    if (CancelFlag())
        return;
    Merge(files, first, mid, last, runs);
}

} // namespace

void MergeSortFiles(QList<FileRecord> &files, int first, int last,
                    const std::function<void()> &yield) {
    QList<FileRecord> runs;
    runs.reserve(qMax(0, last - first + 1));
    SortRange(files, first, last, yield, runs);
}
