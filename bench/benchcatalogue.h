#pragma once
// The catalogue the benchmarks work on: N files in folders of 40, each with 3 versions on the
// media of 3 backups, some of them zipped.

void FillCatalogue(int files);
