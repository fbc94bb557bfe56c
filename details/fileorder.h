#pragma once
// The order the details window lists files in: by name, letter case ignored, so that names that
// differ only in case stand together. Sorted once each time the window opens.

#include "model.h"

#include <QStringList>

#include <vector>

class FileSorter {
public:
    // Ranges of up to this many entries are sorted by selection, larger ones split and merged.
    static constexpr int SelectionLimit = 13;

    // One key a file (its name in lower case), followed by the sentinel that closes every run.
    explicit FileSorter(const Model &model);

    // Sorts the positions lo ... hi of the order.
    void MergeSortFiles(int lo, int hi);

    const std::vector<int> &Order() const { return order; }
    // How many merges ran.
    int Merges() const { return merges; }

private:
    bool Less(int a, int b) const;
    void SelectionSort(int lo, int hi);
    void Merge(int lo, int mid, int hi);

    QStringList keys;
    int sentinel;
    std::vector<int> order;
    std::vector<int> left;
    std::vector<int> right;
    int merges = 0;
};

// The midpoint of a range, with an exact half going to the even neighbour.
int MidPoint(int lo, int hi);

// Every file of the model in the window's order.
std::vector<int> SortedFileOrder(const Model &model);
