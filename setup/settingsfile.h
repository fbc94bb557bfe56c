#pragma once
// The setup window's actions on the information as a whole: export in any format version,
// import, reset of the backup history and the rollback of the latest update. Each asks first
// and ends without change when the user declines.

// Lets the user choose a file and a format version and writes the model to it.
void ExportSettings();
// The format version to export in, asked until it is valid; -1 when the user cancelled.
int AskExportVersion();

// Replaces the model by an information file the user chooses. True when it was loaded; on a
// failed load the model is given back as it was.
bool ImportSettings();

// Forgets every file, backup and medium after two confirmations. True when it did.
bool ResetHistory();

// Starts the updater's rollback, or says that the updater is missing.
void RollbackUpdate();
