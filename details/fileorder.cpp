#include "fileorder.h"

#include "doevents.h"

#include <utility>

FileSorter::FileSorter(const Model &model) : sentinel(model.FilesLast() + 1) {
    keys.reserve(sentinel + 1);
    order.reserve(sentinel + 1);
    for (int i = 0; i <= model.FilesLast(); ++i) {
        keys.append(model.Files[i].Name.toLower());
        order.push_back(i);
    }
    keys.append(QString(QChar(255)));
}

// The sentinel ranks above every key by its place, not by its text: a name with a letter beyond
// code 255 (Cyrillic, Greek, CJK) would otherwise sort past it and the merge read beyond a run.
bool FileSorter::Less(int a, int b) const {
    if (a == sentinel)
        return false;
    if (b == sentinel)
        return true;
    return keys[a] < keys[b];
}

int MidPoint(int lo, int hi) {
    const int sum = lo + hi;
    const int half = sum / 2;
    if (sum % 2 == 0)
        return half;
    return half % 2 == 0 ? half : half + 1;
}

void FileSorter::MergeSortFiles(int lo, int hi) {
    if (hi - lo >= SelectionLimit) {
        const int mid = MidPoint(lo, hi);
        MergeSortFiles(lo, mid);
        MergeSortFiles(mid + 1, hi);
        Merge(lo, mid, hi);
    } else {
        SelectionSort(lo, hi);
    }
}

void FileSorter::SelectionSort(int lo, int hi) {
    for (int i = lo; i < hi; ++i) {
        int smallest = i;
        for (int j = i + 1; j <= hi; ++j) {
            if (Less(order[j], order[smallest]))
                smallest = j;
        }
        std::swap(order[i], order[smallest]);
        DoEvents();
    }
}

void FileSorter::Merge(int lo, int mid, int hi) {
    ++merges;
    left.assign(order.begin() + lo, order.begin() + mid + 1);
    left.push_back(sentinel);
    right.assign(order.begin() + mid + 1, order.begin() + hi + 1);
    right.push_back(sentinel);
    size_t l = 0;
    size_t r = 0;
    // Equal keys keep the left run first, so names that differ only in case keep their order.
    for (int k = lo; k <= hi; ++k)
        order[k] = Less(right[r], left[l]) ? right[r++] : left[l++];
}

std::vector<int> SortedFileOrder(const Model &model) {
    FileSorter sorter(model);
    sorter.MergeSortFiles(0, model.FilesLast());
    return sorter.Order();
}
