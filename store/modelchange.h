#pragma once
// A run that is about to re-sort or replace the model's lists says so first, so that a window
// that keeps positions into them (the details window) lets them go rather than read the wrong
// record, or one that is no longer there.

#include <QObject>

class ModelChange : public QObject {
    Q_OBJECT
public:
    static ModelChange &Instance();

Q_SIGNALS:
    void Changing();

private:
    ModelChange() = default;
};

// Called before a backup run and before an information file replaces the model.
void AnnounceModelChange();
