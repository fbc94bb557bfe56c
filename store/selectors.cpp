#include "selectors.h"

namespace {
SelectorHandler *selectorHandler = nullptr;
}

void SetSelectorHandler(SelectorHandler *handler) {
    selectorHandler = handler;
}

SelectorHandler *CurrentSelectorHandler() {
    return selectorHandler;
}

QString GetDirectory(const QString &start, const QString &caption) {
    return selectorHandler ? selectorHandler->GetDirectory(start, caption) : QString();
}
