#include "frmRange.h"

#include "namedwidgets.h"
#include "selectors.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A short pause, so that stepping through a long list in the From box does not fill the To box
// again at every step.
constexpr int PopToDelayMs = 150;

// A combo box that shortens a long row in its middle, so that a path keeps both its start and
// its file name where a plain one would cut the name off.
class MiddleElidingComboBox : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *) override {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        option.currentText =
            fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, field.width() - 2);
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }
};

// Rows of a tabbed list keep their columns apart with tabs, which a combo box draws as nothing.
QString ShownText(QString text) {
    return text.replace(QLatin1Char('\t'), QLatin1String("   "));
}

} // namespace

frmRange::frmRange(QWidget *parent) : QDialog(parent) {
    BuildLayout();
    tmrPopTo = Named(new QTimer(this), "tmrPopTo");
    tmrPopTo->setSingleShot(true);
    tmrPopTo->setInterval(PopToDelayMs);
    connect(tmrPopTo, &QTimer::timeout, this, &frmRange::PopTo);
    connect(cmbFrom, &QComboBox::currentIndexChanged, this, &frmRange::FromChosen);
    connect(cmbTo, &QComboBox::currentIndexChanged, this, &frmRange::EnableRangeButtons);
    connect(cmdSelAll, &QPushButton::clicked, this,
            [this] { ChangeRange([](bool) { return true; }); });
    connect(cmdDeSelAll, &QPushButton::clicked, this,
            [this] { ChangeRange([](bool) { return false; }); });
    connect(cmdInvSel, &QPushButton::clicked, this,
            [this] { ChangeRange([](bool marked) { return !marked; }); });
    connect(cmdDone, &QPushButton::clicked, this, &frmRange::accept);
}

void frmRange::BuildLayout() {
    setObjectName(QStringLiteral("frmRange"));
    setWindowTitle(QStringLiteral("Range Selection"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    const auto combo = [this](const char *name) {
        auto *box = Named(new MiddleElidingComboBox(this), name);
        // Rows can be long paths; the box keeps a sensible width and the list shows them whole.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(40);
        // A long path in the list keeps its start and its file name.
        box->view()->setTextElideMode(Qt::ElideMiddle);
        return box;
    };
    const auto label = [this](const char *name, const char *caption, QWidget *buddy) {
        QLabel *l = Label(this, name, caption);
        l->setBuddy(buddy);
        return l;
    };
    const auto button = [this](const char *name, const char *caption) {
        QPushButton *b = Button(this, name, caption);
        b->setAutoDefault(false);
        return b;
    };
    cmbFrom = combo("cmbFrom");
    cmbTo = combo("cmbTo");
    lblFrom = label("lblFrom", "Range From :", cmbFrom);
    lblTo = label("lblTo", "Range To :", cmbTo);
    cmdSelAll = button("cmdSelAll", "Select Range");
    cmdDeSelAll = button("cmdDeSelAll", "Deselect Range");
    cmdInvSel = button("cmdInvSel", "Invert Range");
    cmdDone = button("cmdDone", "Done");
    cmdDone->setDefault(true);

    auto *range = new QGridLayout;
    range->addWidget(lblFrom, 0, 0);
    range->addWidget(cmbFrom, 0, 1);
    range->addWidget(lblTo, 1, 0);
    range->addWidget(cmbTo, 1, 1);
    range->setColumnStretch(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdSelAll);
    buttons->addWidget(cmdDeSelAll);
    buttons->addWidget(cmdInvSel);
    buttons->addStretch();
    buttons->addWidget(cmdDone);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addSpacing(6);
    layout->addLayout(buttons);
}

void frmRange::ShowForm(RangeRows &list) {
    rows = &list;
    tmrPopTo->stop();
    {
        // Nothing is chosen until the user chooses.
        const QSignalBlocker quietFrom(cmbFrom);
        const QSignalBlocker quietTo(cmbTo);
        cmbFrom->clear();
        cmbTo->clear();
        QStringList texts;
        texts.reserve(rows->RowCount());
        for (int row = 0; row < rows->RowCount(); ++row)
            texts.append(ShownText(rows->RowText(row)));
        cmbFrom->addItems(texts);
        cmbFrom->setCurrentIndex(-1);
    }
    EnableRangeButtons();
    cmbFrom->setFocus();
    exec();
    tmrPopTo->stop();
    rows = nullptr;
}

void frmRange::FromChosen() {
    // The old To rows belong to another start; they go at once, the new ones come with the timer.
    {
        const QSignalBlocker quiet(cmbTo);
        cmbTo->clear();
    }
    EnableRangeButtons();
    tmrPopTo->start();
}

void frmRange::PopTo() {
    tmrPopTo->stop();
    const int from = cmbFrom->currentIndex();
    if (!rows || from < 0)
        return;
    QStringList texts;
    for (int row = from; row < cmbFrom->count(); ++row)
        texts.append(cmbFrom->itemText(row));
    {
        const QSignalBlocker quiet(cmbTo);
        cmbTo->clear();
        cmbTo->addItems(texts);
        // The range starts as the one row chosen.
        cmbTo->setCurrentIndex(0);
    }
    EnableRangeButtons();
}

void frmRange::ChangeRange(bool (*change)(bool marked)) {
    const int from = cmbFrom->currentIndex();
    const int length = cmbTo->currentIndex();
    if (!rows || from < 0 || length < 0)
        return;
    const int last = qMin(from + length, rows->RowCount() - 1);
    for (int row = from; row <= last; ++row)
        rows->SetRowMarked(row, change(rows->RowMarked(row)));
}

void frmRange::EnableRangeButtons() {
    const bool range = cmbFrom->currentIndex() >= 0 && cmbTo->currentIndex() >= 0;
    for (QPushButton *button : {cmdSelAll, cmdDeSelAll, cmdInvSel})
        button->setEnabled(range);
}
