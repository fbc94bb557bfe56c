#include "modelchange.h"

ModelChange &ModelChange::Instance() {
    static ModelChange instance;
    return instance;
}

void AnnounceModelChange() {
    emit ModelChange::Instance().Changing();
}
