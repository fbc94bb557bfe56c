// The "'Include All' Patterns" tab.
#include "frmSetup.h"

#include "includeall.h"
#include "listtab.h"
#include "model.h"
#include "selectors.h"

#include <QComboBox>
#include <QPushButton>

void frmSetup::ConnectPatterns() {
    cmbCommon->addItems(CommonGroupNames());
    cmbCommon->setCurrentIndex(0);
    patternsTab =
        new ListTab(this, lstPatterns, cmdAddPatt, cmdEditPatt, cmdRemovePatt, cmdClearPatts,
                    {.rows = [] { return TheModel().IncludeAll; },
                     .add =
                         [] {
                             const QString pattern = GetPattern(QString());
                             if (!pattern.isEmpty() && !ExistsExt(pattern))
                                 AddExt(pattern);
                         },
                     .edit =
                         [](int row) {
                             const QString pattern = GetPattern(TheModel().IncludeAll[row]);
                             if (!pattern.isEmpty() && !ExistsExt(pattern)) {
                                 // The edited pattern goes to the end of the list.
                                 RemoveExt(row);
                                 AddExt(pattern);
                             }
                         },
                     .remove = RemoveExt,
                     .clear = [] { TheModel().IncludeAll.clear(); },
                     .clearQuestion = QStringLiteral("Really clear patterns?")});
    connect(cmdAddCommon, &QPushButton::clicked, this, [this] {
        AddExt(CommonGroupPatterns(cmbCommon->currentIndex()));
        patternsTab->Pop();
    });
}
