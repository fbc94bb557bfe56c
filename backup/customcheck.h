#pragma once
// The custom medium of the wizard's first step: what the four fields say, whether they make a
// usable medium, and the fields that show a medium already in the settings.

#include "model.h"

#include <QString>

struct CustomFields {
    QString size = QStringLiteral("9999");
    bool gigabytes = false; // the unit box shows "GB" rather than "MB"
    QString name = QStringLiteral("DVD");
    QString cluster = QStringLiteral("16384");
};

// The word that makes a small medium for trying the program out.
inline constexpr char TrialWord[] = "KLOB";
inline constexpr char TrialMediumName[] = "Trial";

// Every problem of the fields, one message after the other; empty when there is none.
QString CustomProblems(const CustomFields &fields);

// Stores the medium the fields describe; the fields must have no problems.
void ApplyCustom(const CustomFields &fields, SettingsRecord &settings);

// The fields that show the settings' medium; the defaults for a medium without a limit.
CustomFields CustomFieldsOf(const SettingsRecord &settings);
