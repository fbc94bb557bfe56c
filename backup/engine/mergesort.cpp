#include "mergesort.h"

#include "cancelflag.h"

#include <utility>
#include <vector>

namespace {

// The order is sorted as positions, by sizes read once: the records themselves move only once,
// when the order is known.
struct Sorter {
    std::vector<double> sizes; // by position in the list
    std::vector<int> order;    // the list's positions in sorted order
    std::vector<int> runs;     // the temporary copy, allocated once for every merge
    const std::function<void()> &yield;

    void Selection(int first, int last) {
        for (int i = first; i < last; ++i) {
            int largest = i;
            for (int j = i + 1; j <= last; ++j) {
                if (sizes[order[j]] > sizes[order[largest]])
                    largest = j;
            }
            if (largest != i)
                std::swap(order[i], order[largest]);
        }
    }

    void Merge(int first, int mid, int last) {
        runs.assign(order.begin() + first, order.begin() + last + 1);
        const int firstEnd = mid - first;
        const int secondEnd = last - first;
        int a = 0;
        int b = firstEnd + 1;
        int out = first;
        while (a <= firstEnd && b <= secondEnd) {
            if (sizes[runs[a]] > sizes[runs[b]])
                order[out++] = runs[a++];
            else
                order[out++] = runs[b++];
        }
        while (a <= firstEnd)
            order[out++] = runs[a++];
        while (b <= secondEnd)
            order[out++] = runs[b++];
    }

    void Sort(int first, int last) {
        if (CancelFlag())
            return;
        if (yield)
            yield();
        if (last - first < 13) {
            Selection(first, last);
            return;
        }
        // Written so that the sum cannot overflow on a very long list.
        const int mid = first + (last - first) / 2;
        Sort(first, mid);
        Sort(mid + 1, last);
        if (CancelFlag())
            return;
        Merge(first, mid, last);
    }
};

// Puts list[first..last] into the order of positions.
template <typename List> void Reorder(List &list, int first, const std::vector<int> &order) {
    std::vector<typename List::value_type> sorted;
    sorted.reserve(order.size());
    for (int position : order)
        sorted.push_back(std::move(list[first + position]));
    for (std::size_t i = 0; i < sorted.size(); ++i)
        list[first + int(i)] = std::move(sorted[i]);
}

} // namespace

void MergeSortFiles(QList<FileRecord> &files, BackupFiles &work, int first, int last,
                    const std::function<void()> &yield) {
    if (last <= first)
        return;
    const int count = last - first + 1;
    Sorter sorter{{}, {}, {}, yield};
    sorter.sizes.reserve(count);
    sorter.order.reserve(count);
    for (int i = 0; i < count; ++i) {
        sorter.sizes.push_back(work[first + i].SizeKB);
        sorter.order.push_back(i);
    }
    sorter.runs.reserve(count);
    sorter.Sort(0, count - 1);
    if (CancelFlag())
        return;
    Reorder(files, first, sorter.order);
    Reorder(work, first, sorter.order);
}
